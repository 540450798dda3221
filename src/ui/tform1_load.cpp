// School reference data: the teaching load read into and written from the window's state.
#include "tform1.h"

#include "daygridview.h"
#include "load/loadmodel.h"
#include "load/nagruzfile.h"
#include "tabbutton.h"

#include <QListWidget>

using namespace Qt::Literals::StringLiterals;

void TForm1::PedCreate()
{
    rasp::load::PedCreate(m_state);
    // The load page paints the new teacher row from the model.
}

void TForm1::masClear(const QString &tipp)
{
    rasp::load::masClear(m_state, tipp);
    if (tipp == u"RaspUrPredm"_s) {
        m_state.pins.clear();
        sCheckListBox1->clear(); // the settings page's "Предметы" list is emptied with it
    }
}

void TForm1::fillSubjectLists()
{
    fillPinList();
    // The settings page's "Предметы" list takes the same subjects.
    const QStringList subjects = rasp::load::SortedSubjects(m_state.RaspUrPredm);
    ListBox2->clear();
    ListBox2->addItems(subjects);
    for (int k = 0; k < ListBox2->count(); ++k)
        ListBox2->item(k)->setFont(QFont(u"Calibri"_s, 12));
}

void TForm1::NagruzLoad(int prm)
{
    masClear(u"RaspUrPredm"_s);
    const rasp::load::NagruzReport report = rasp::load::NagruzLoad(m_state, prm);
    if (report.classNames > 0) {
        SpeedB1->setEnabled(true);
        SpeedB2->setEnabled(true);
        SpeedB5->setEnabled(true);
        // After a save the load page stays in front; the page switch shows the grid page later.
        if (prm == 1)
            Tab_1->show();
    }
    fillSubjectLists();
    grid->gridChanged();
    if (report.status == rasp::text::ReadResult::Unreadable) {
        Rct_SoobPokaz(report.error);
    } else if (!report.problems.isEmpty()) {
        QString notice = u"Файл нагрузки прочитан с замечаниями.\r\n"_s + report.problems.first();
        if (report.problems.size() > 1)
            notice += u"\r\n(и ещё %1)"_s.arg(report.problems.size() - 1);
        Rct_SoobPokaz(notice);
    }
}

void TForm1::NagruzSave(int ssoob)
{
    QString error;
    if (!rasp::load::NagruzSave(m_state, &error)) {
        Rct_SoobPokaz(error);
        return;
    }
    if (ssoob == 1)
        Rct_SoobPokaz(u"Данные сохранены"_s);
}
