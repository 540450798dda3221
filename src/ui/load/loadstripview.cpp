#include "loadstripview.h"

#include "load/loadgeometry.h"
#include "state.h"
#include "widgets/typedlength.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QToolTip>

namespace rasp::ui {

using load::LoadGeometry;

namespace {

constexpr QRgb kFieldBorder = 0xFFABADB3;
constexpr QRgb kDots = 0xFF4D4D4D;

} // namespace

LoadStripView::LoadStripView(const State &state, Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_kind(kind)
    , m_editor(new QLineEdit(this))
    , m_font(QStringLiteral("Calibri"), 12)
    , m_fit(m_font)
{
    setObjectName(kind == Classes ? QStringLiteral("ScrollBox4") : QStringLiteral("ScrollBox3"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    if (kind == Classes)
        setFixedHeight(LoadGeometry::kClassStripHeight);
    else
        setFixedWidth(LoadGeometry::kTeacherStripWidth);

    m_editor->setObjectName(kind == Classes ? QStringLiteral("klassEditor") : QStringLiteral("pedFioEditor"));
    m_editor->setFont(m_font);
    // Class names are short and centred; teacher names are long, so they start at the left
    // edge and a name wider than its field is cut on the right.
    m_editor->setAlignment(kind == Classes ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    // "|" and ";" separate the fields of the load file, so they cannot be typed into a name. A
    // name read from the file may be longer than may be typed: it is shown and kept whole.
    m_editor->setValidator(new TypedLengthValidator(
        kind == Classes ? LoadGeometry::kClassNameLength : LoadGeometry::kTeacherNameLength,
        [this] { return m_item >= 1 && m_item <= count() ? name(m_item).size() : 0; }, QStringLiteral("|;"),
        m_editor));
    m_editor->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #ABADB3; padding: 0px; background: white; }"
                                           "QLineEdit:focus { border-color: #0061B0; }"));
    m_editor->hide();
    connect(m_editor, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_item < 1 || m_item > count())
            return;
        emit nameTyped(m_item, text);
        m_editor->setFont(fittedName(m_item).font); // a longer name is set smaller, as painted
    });
    // A finished name shows its beginning again, as the painted field does.
    connect(m_editor, &QLineEdit::editingFinished, this, [this] { m_editor->setCursorPosition(0); });
}

int LoadStripView::count() const
{
    return qMax(0, m_kind == Classes ? m_state.klassvis : m_state.pedvis);
}

QString LoadStripView::name(int n) const
{
    return m_kind == Classes ? m_state.Klass[n] : m_state.PedFio[n].name;
}

QPoint LoadStripView::toWidget(QPoint content) const
{
    return m_kind == Classes ? content - QPoint(m_offset, 0) : content - QPoint(0, m_offset);
}

QPoint LoadStripView::toContent(QPoint widget) const
{
    return m_kind == Classes ? widget + QPoint(m_offset, 0) : widget + QPoint(0, m_offset);
}

QRect LoadStripView::nameRect(int n) const
{
    const QRect r = m_kind == Classes ? LoadGeometry::classNameRect(n) : LoadGeometry::teacherNameRect(n);
    return QRect(toWidget(r.topLeft()), r.size());
}

QRect LoadStripView::menuRect(int n) const
{
    const QRect r = m_kind == Classes ? LoadGeometry::classMenuRect(n) : LoadGeometry::teacherMenuRect(n);
    return QRect(toWidget(r.topLeft()), r.size());
}

const FieldFont::Fitted &LoadStripView::fittedName(int n)
{
    // The live editor's text area: the field less its 1-px border and the line edit's 2-px
    // margins on either side, so a name the painted field shows whole the editor shows whole.
    return m_fit.fit(name(n), nameRect(n).width() - 6);
}

bool LoadStripView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QPoint content = toContent(help->pos());
    const int n = m_kind == Classes ? LoadGeometry::hitClassName(content, count())
                                    : LoadGeometry::hitTeacherName(content, count());
    if (n > 0 && fittedName(n).cut)
        QToolTip::showText(help->globalPos(), name(n), this);
    else
        QToolTip::hideText();
    return true;
}

void LoadStripView::setOffset(int offset)
{
    if (offset == m_offset)
        return;
    m_offset = offset;
    placeEditor();
    update();
}

void LoadStripView::modelChanged()
{
    if (m_item > count()) {
        releaseEditor();
    } else if (m_item >= 1 && m_editor->text() != name(m_item)) {
        m_editor->setText(name(m_item));
        m_editor->setFont(fittedName(m_item).font);
        m_editor->setCursorPosition(0);
    }
    placeEditor();
    update();
}

void LoadStripView::editItem(int n, bool takeFocus)
{
    if (n < 1 || n > count())
        return;
    m_item = n;
    m_editor->setText(name(n));
    m_editor->setFont(fittedName(n).font);
    // A name cut even at the floor opens at its beginning; one that fits takes typing at its end.
    if (fittedName(n).cut)
        m_editor->setCursorPosition(0);
    placeEditor();
    if (takeFocus)
        m_editor->setFocus(Qt::MouseFocusReason);
    update();
}

void LoadStripView::releaseEditor()
{
    m_item = -1;
    m_editor->hide();
    update();
}

void LoadStripView::placeEditor()
{
    if (m_item < 1 || m_item > count()) {
        m_editor->hide();
        return;
    }
    m_editor->setGeometry(nameRect(m_item));
    m_editor->show();
}

void LoadStripView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect exposed = event->rect();
    const int n = count();
    // The items that touch the exposed part, one step of margin on either side.
    const QPoint from = toContent(exposed.topLeft());
    const QPoint to = toContent(exposed.bottomRight());
    int first = 1;
    int last = n;
    if (m_kind == Classes) {
        const auto range = LoadGeometry::classesIn(from.x() - LoadGeometry::kColumnStep, to.x() + LoadGeometry::kColumnStep, n);
        first = range.first;
        last = range.second;
    } else {
        const auto range = LoadGeometry::teachersIn(from.y() - LoadGeometry::kRowStep, to.y() + LoadGeometry::kRowStep, n);
        first = range.first;
        last = range.second;
    }

    p.setFont(m_font);
    const QPen border{QColor::fromRgba(kFieldBorder)};
    for (int i = first; i <= last; ++i) {
        const QRect field = nameRect(i);
        if (field.intersects(exposed) && !(i == m_item && m_editor->isVisible())) {
            p.setPen(border);
            p.setBrush(Qt::white);
            p.drawRect(field.adjusted(0, 0, -1, -1));
            const QString text = name(i);
            if (!text.isEmpty()) {
                p.setPen(Qt::black);
                p.save();
                p.setClipRect(field.adjusted(1, 1, -1, -1));
                // Set by the fitting rule; a name cut even at the floor starts at the left edge.
                const FieldFont::Fitted &fitted = fittedName(i);
                p.setFont(fitted.font);
                const int align = m_kind == Classes && !fitted.cut ? int(Qt::AlignCenter)
                                                                   : int(Qt::AlignLeft | Qt::AlignVCenter);
                p.drawText(field.adjusted(3, 0, -1, 0), align | Qt::TextSingleLine, text);
                p.restore();
            }
        }
        const QRect menu = menuRect(i);
        if (menu.intersects(exposed)) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor::fromRgba(kDots));
            for (int d = 0; d < 3; ++d)
                p.drawRect(menu.x() + 2 + 4 * d, menu.y() + 8, 2, 2);
        }
    }
}

void LoadStripView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint content = toContent(event->position().toPoint());
    const int n = count();
    const int menu = m_kind == Classes ? LoadGeometry::hitClassMenu(content, n) : LoadGeometry::hitTeacherMenu(content, n);
    if (menu > 0) {
        emit menuClicked(menu);
        return;
    }
    const int field = m_kind == Classes ? LoadGeometry::hitClassName(content, n) : LoadGeometry::hitTeacherName(content, n);
    if (field > 0)
        editItem(field);
}

void LoadStripView::wheelEvent(QWheelEvent *event)
{
    // ScrollBox3MouseWheel / ScrollBox4MouseWheel: the strips never scroll by the wheel.
    event->accept();
}

} // namespace rasp::ui
