#include "loadmatrixview.h"

#include "widgets/codepageguard.h"
#include "load/loadgeometry.h"
#include "state.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolTip>

namespace rasp::ui {

using load::LoadGeometry;

namespace {

constexpr QRgb kFieldBorder = 0xFFABADB3;
constexpr QRgb kEditBorder = 0xFF0061B0;
constexpr int kTextMargin = 2; // the editor's document margin; painted text sits where it types

QString joined(const load::PredmetLines &lines)
{
    return lines.join(u'\n');
}

} // namespace

LoadMatrixView::LoadMatrixView(const State &state, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_state(state)
    , m_editor(new QPlainTextEdit(viewport()))
    , m_font(QStringLiteral("Calibri"), 12)
    , m_fit(m_font)
{
    setObjectName(QStringLiteral("ScrollBox1"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    horizontalScrollBar()->setSingleStep(LoadGeometry::kColumnStep);
    verticalScrollBar()->setSingleStep(LoadGeometry::kRowStep);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_editor->setObjectName(QStringLiteral("predmetEditor"));
    m_editor->setFont(m_font);
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One subject per line: a line wider than the field is cut at its edge, never wrapped.
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->document()->setDocumentMargin(kTextMargin);
    m_editor->setTabChangesFocus(false);
    m_editor->setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px solid #ABADB3; background: white; }"
                                           "QPlainTextEdit:focus { border-color: #0061B0; }"));
    m_editor->hide();
    m_editor->installEventFilter(this);
    connect(m_editor, &QPlainTextEdit::textChanged, this, [this] {
        if (m_syncing || m_teacher < 1)
            return;
        // "|" and ";" separate the fields of the load file, and the file cannot hold characters
        // outside Windows-1251: pasted ones are taken out again, and this runs anew for the rest.
        if (TakeOutCharacters(m_editor, [](QChar c) { return c == u'|' || c == u';'; }) || TakeOutOutside1251(m_editor))
            return;
        const QString text = m_editor->toPlainText();
        QStringList lines = text.split(u'\n');
        if (lines == QStringList{QString()})
            lines.clear();
        emit cellTyped(m_teacher, m_klass, lines);
        setEditorFont(); // one more subject is set smaller, as the painted field sets it
    });
    updateScrollBars();
}

QPoint LoadMatrixView::toViewport(QPoint content) const
{
    return content - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void LoadMatrixView::modelChanged()
{
    updateScrollBars();
    if (m_teacher > m_state.pedvis || m_klass > m_state.klassvis) {
        releaseEditor();
    } else if (m_teacher >= 1) {
        const QString text = joined(m_state.Predmet[m_teacher][m_klass]);
        if (m_editor->toPlainText() != text) {
            m_syncing = true;
            m_editor->setPlainText(text);
            m_syncing = false;
        }
        setEditorFont();
        placeEditor();
    }
    viewport()->update();
}

void LoadMatrixView::updateScrollBars()
{
    const QSize content = LoadGeometry::matrixSize(m_state.klassvis, m_state.pedvis);
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, qMax(0, content.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, qMax(0, content.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

void LoadMatrixView::editCell(int m, int j, bool takeFocus)
{
    if (m < 1 || m > m_state.pedvis || j < 1 || j > m_state.klassvis)
        return;
    m_teacher = m;
    m_klass = j;
    m_syncing = true;
    m_editor->setPlainText(joined(m_state.Predmet[m][j]));
    m_syncing = false;
    setEditorFont();
    placeEditor();
    // The caret goes to the end of the last line, but the field keeps showing its first line.
    m_editor->moveCursor(QTextCursor::End);
    m_editor->verticalScrollBar()->setValue(0);
    if (takeFocus)
        m_editor->setFocus(Qt::MouseFocusReason);
    viewport()->update();
}

void LoadMatrixView::releaseEditor()
{
    m_teacher = m_klass = -1;
    m_editor->hide();
    viewport()->update();
}

void LoadMatrixView::placeEditor()
{
    if (m_teacher < 1) {
        m_editor->hide();
        return;
    }
    const QRect r = LoadGeometry::subjectRect(m_teacher, m_klass);
    m_editor->setGeometry(QRect(toViewport(r.topLeft()), r.size()));
    m_editor->show();
}

void LoadMatrixView::ensureCellVisible(int m, int j)
{
    const QRect r = LoadGeometry::subjectRect(m, j);
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    const QSize view = viewport()->size();
    if (r.left() < h->value())
        h->setValue(r.left() - 5);
    else if (r.right() >= h->value() + view.width())
        h->setValue(r.right() + 6 - view.width());
    if (r.top() < v->value())
        v->setValue(r.top() - 4);
    else if (r.bottom() >= v->value() + view.height())
        v->setValue(r.bottom() + 5 - view.height());
}

void LoadMatrixView::stepEditor(int step)
{
    const int k = m_state.klassvis;
    if (m_teacher < 1 || k < 1)
        return;
    int index = (m_teacher - 1) * k + (m_klass - 1) + step;
    const int total = m_state.pedvis * k;
    index = (index % total + total) % total;
    const int m = index / k + 1;
    const int j = index % k + 1;
    ensureCellVisible(m, j);
    editCell(m, j);
}

const FieldFont::Fitted &LoadMatrixView::fittedCell(int m, int j)
{
    // Inside the 1-px border and the 2-px text margin on every side, as the editor types.
    const int inset = 2 * (1 + kTextMargin);
    return m_fit.fitLines(m_state.Predmet[m][j], LoadGeometry::kSubjectWidth - inset,
                          LoadGeometry::kSubjectHeight - inset);
}

void LoadMatrixView::setEditorFont()
{
    if (m_teacher < 1)
        return;
    const QFont font = fittedCell(m_teacher, m_klass).font;
    if (m_editor->font() != font) {
        m_editor->setFont(font);
        m_editor->document()->setDefaultFont(font);
    }
}

bool LoadMatrixView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QPoint content = help->pos() + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const LoadGeometry::Cell cell = LoadGeometry::hitSubject(content, m_state.klassvis, m_state.pedvis);
    if (cell.valid() && fittedCell(cell.teacher, cell.klass).cut)
        QToolTip::showText(help->globalPos(), joined(m_state.Predmet[cell.teacher][cell.klass]), viewport());
    else
        QToolTip::hideText();
    return true;
}

const QStaticText &LoadMatrixView::laidOut(const QString &text, const QFont &font)
{
    if (m_texts.size() > 8192)
        m_texts.clear();
    const QString key = font.toString() + u'\x1f' + text;
    auto it = m_texts.find(key);
    if (it == m_texts.end()) {
        // A laid-out plain text breaks its lines only at line separators.
        QStaticText laid(QString(text).replace(u'\n', QChar::LineSeparator));
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), font);
        it = m_texts.insert(key, laid);
    }
    return *it;
}

void LoadMatrixView::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    paintMatrix(p, event->rect());
}

void LoadMatrixView::renderTo(QPaintDevice *device)
{
    QPainter p(device);
    const QRect all(0, 0, device->width(), device->height());
    p.fillRect(all, Qt::white);
    paintMatrix(p, all);
}

void LoadMatrixView::paintMatrix(QPainter &p, const QRect &exposed)
{
    const State &s = m_state;
    if (s.pedvis < 1 || s.klassvis < 1)
        return;
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRect area = exposed.translated(scroll);
    const auto columns = LoadGeometry::classesIn(area.left(), area.right(), s.klassvis);
    const auto rows = LoadGeometry::teachersIn(area.top(), area.bottom(), s.pedvis);
    const bool editing = m_editor->isVisible();

    p.setFont(m_font);
    const QPen border{QColor::fromRgba(kFieldBorder)};
    for (int m = rows.first; m <= rows.second; ++m) {
        const std::vector<load::PredmetLines> &row = s.Predmet[m];
        for (int j = columns.first; j <= columns.second; ++j) {
            const QRect field(toViewport(LoadGeometry::subjectRect(m, j).topLeft()),
                              QSize(LoadGeometry::kSubjectWidth, LoadGeometry::kSubjectHeight));
            if (editing && m == m_teacher && j == m_klass)
                continue;
            p.setPen(border);
            p.setBrush(Qt::white);
            p.drawRect(field.adjusted(0, 0, -1, -1));
            const load::PredmetLines &lines = row[j];
            if (lines.isEmpty())
                continue;
            p.save();
            p.setClipRect(field.adjusted(1, 1, -1, -1));
            p.setPen(Qt::black);
            // Set by the fitting rule: smaller until every subject shows, cut only below the floor.
            const QFont &font = fittedCell(m, j).font;
            p.setFont(font);
            p.drawStaticText(field.topLeft() + QPoint(kTextMargin + 2, kTextMargin + 1), laidOut(joined(lines), font));
            p.restore();
        }
    }
}

void LoadMatrixView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint content = event->position().toPoint()
                           + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const LoadGeometry::Cell cell = LoadGeometry::hitSubject(content, m_state.klassvis, m_state.pedvis);
    if (!cell.valid())
        return;
    editCell(cell.teacher, cell.klass);
    // The caret goes where the field was clicked; a second line that shows only in part does
    // not scroll the first out of view.
    const QPoint at = m_editor->viewport()->mapFrom(viewport(), event->position().toPoint());
    m_editor->setTextCursor(m_editor->cursorForPosition(at));
    m_editor->verticalScrollBar()->setValue(0);
}

bool LoadMatrixView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            stepEditor(key->key() == Qt::Key_Tab ? 1 : -1);
            return true;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void LoadMatrixView::wheelEvent(QWheelEvent *event)
{
    // ScrollBox1MouseWheel: the matrix scrolls only by its scroll bars.
    event->accept();
}

void LoadMatrixView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    placeEditor();
}

void LoadMatrixView::scrollContentsBy(int, int)
{
    placeEditor();
    viewport()->update();
}

} // namespace rasp::ui
