#pragma once

// The texts a person sees in a widget tree, each measured from the geometry and font its widget
// paints with: labels, buttons, radio buttons and check boxes, group titles, table headers and
// the shown text of drop-down lists. A text is whole when it fits its own text area, that area
// is not clipped by any ancestor (a panel's or group's edge, the window's edge), and a label's
// text keeps clear of the widgets beside it. `cutTexts` lists every text that is not, one line
// each, in Russian.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTableView>
#include <QTextDocument>

#include <cmath>
#include <QToolButton>

namespace textsinview {

using namespace Qt::Literals::StringLiterals;

// Clearance in px a label's text keeps from a neighbouring widget.
inline constexpr int kClearance = 2;

// A short name of the widget for the failure list.
inline QString nameOf(const QWidget *w)
{
    const QString kind = QString::fromLatin1(w->metaObject()->className());
    return w->objectName().isEmpty() ? kind : kind + u' ' + w->objectName();
}

// The part of `w` (in its own coordinates) that its ancestors up to `root` leave visible.
inline QRect visiblePart(const QWidget *w, const QWidget *root)
{
    QRect part = w->rect();
    QPoint offset(0, 0); // w's origin in the current ancestor's coordinates
    const QWidget *child = w;
    for (const QWidget *a = w->parentWidget(); a; child = a, a = a->parentWidget()) {
        offset += child->pos();
        // A scroll area's viewport shows its content in part by design: what is out of view is
        // scrolled to, not cut (the area's own place is checked with the area).
        auto *area = qobject_cast<const QAbstractScrollArea *>(a->parentWidget());
        if (area && area->viewport() == a)
            break;
        part &= a->rect().translated(-offset);
        if (a == root || a->isWindow())
            break;
    }
    return part;
}

// The width of a text's widest line, as the painters advance it.
inline double advance(const QFont &font, const QString &text)
{
    double widest = 0;
    for (const QString &line : text.split(u'\n'))
        widest = std::max(widest, QFontMetricsF(font).horizontalAdvance(QString(line).remove(u'&')));
    return widest;
}

// The rectangle a plain or wrapped label text takes inside the label, as QLabel lays it out.
inline QRect labelTextRect(const QLabel *label, QSize *needed = nullptr)
{
    QRect area = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    const QString text = label->text();
    const bool rich = label->textFormat() == Qt::RichText
                      || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    QSize size;
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        doc.setHtml(text);
        if (label->wordWrap())
            doc.setTextWidth(area.width());
        size = QSize(int(std::ceil(doc.idealWidth())), int(std::ceil(doc.size().height())));
    } else {
        const QFontMetrics fm(label->font());
        const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
        size = fm.boundingRect(QRect(0, 0, label->wordWrap() ? area.width() : 1 << 20, 1 << 20), flags, text).size();
        if (!label->wordWrap()) // one line is as wide as the painter advances
            size.setWidth(int(std::ceil(advance(label->font(), text))));
    }
    if (needed)
        *needed = size;
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), size, area);
}

// Checks one widget's own text; adds a line to `cut` when it is not whole.
inline void checkWidget(const QWidget *w, const QWidget *root, QStringList &cut)
{
    const QRect visible = visiblePart(w, root);
    const auto clipped = [&](const QRect &textRect) { return !visible.contains(textRect); };
    const auto report = [&](const QString &text, const QString &why) {
        cut << u"%1: %3 — «%2»"_s.arg(nameOf(w), text.left(60), why);
    };

    if (auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty())
            return;
        QSize needed;
        const QRect textRect = labelTextRect(label, &needed);
        const QRect area = label->contentsRect();
        if (needed.width() > area.width() || needed.height() > area.height())
            report(label->text(), u"нужно %1×%2, есть %3×%4"_s.arg(needed.width())
                                      .arg(needed.height())
                                      .arg(area.width())
                                      .arg(area.height()));
        else if (clipped(textRect))
            report(label->text(), u"срезан краем родителя"_s);
        else if (const QWidget *parent = label->parentWidget()) {
            // The text keeps clear of its visible neighbours.
            const QRect inParent = textRect.translated(label->pos()).adjusted(-kClearance, -kClearance, kClearance, kClearance);
            for (const QObject *o : parent->children()) {
                auto *sibling = qobject_cast<const QWidget *>(o);
                if (!sibling || sibling == label || !sibling->isVisible() || sibling->isWindow())
                    continue;
                if (sibling->geometry().intersects(inParent) && !sibling->geometry().contains(label->geometry())) {
                    report(label->text(), u"касается %1"_s.arg(nameOf(sibling)));
                    break;
                }
            }
        }
        return;
    }

    if (auto *box = qobject_cast<const QGroupBox *>(w)) {
        if (box->title().isEmpty())
            return;
        QStyleOptionGroupBox opt;
        opt.initFrom(box);
        opt.text = box->title();
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        opt.textAlignment = box->alignment();
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
        if (advance(box->font(), box->title()) > label.width() || clipped(label))
            report(box->title(), u"заголовок группы срезан"_s);
        return;
    }

    if (auto *button = qobject_cast<const QAbstractButton *>(w)) {
        const QString text = button->text();
        if (text.isEmpty())
            return;
        if (auto *tool = qobject_cast<const QToolButton *>(w); tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return;
        QRect area;
        double need = advance(button->font(), text);
        if (qobject_cast<const QRadioButton *>(w) || qobject_cast<const QCheckBox *>(w)) {
            QStyleOptionButton opt;
            opt.initFrom(button);
            opt.text = text;
            area = button->style()->subElementRect(qobject_cast<const QRadioButton *>(w) ? QStyle::SE_RadioButtonContents
                                                                                         : QStyle::SE_CheckBoxContents,
                                                   &opt, button);
        } else if (auto *push = qobject_cast<const QPushButton *>(w)) {
            QStyleOptionButton opt;
            opt.initFrom(push);
            opt.text = text;
            // The contents less a little room on either side: a text that runs into the frame
            // reads as cut even when it is not.
            area = push->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, push).adjusted(2, 0, -2, 0);
            if (!push->icon().isNull())
                need += push->iconSize().width() + 4;
        } else if (auto *tool = qobject_cast<const QToolButton *>(w)) {
            area = tool->rect().adjusted(3, 0, -3, 0);
            if (tool->toolButtonStyle() == Qt::ToolButtonTextBesideIcon && !tool->icon().isNull())
                need += tool->iconSize().width() + 4;
        } else {
            area = button->rect().adjusted(2, 0, -2, 0); // painted buttons: tabs, weekdays
        }
        if (need > area.width())
            report(text, u"нужно %1 px, есть %2"_s.arg(qRound(need)).arg(area.width()));
        else if (clipped(area.intersected(button->rect())))
            report(text, u"срезана краем родителя"_s);
        return;
    }

    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        if (combo->currentText().isEmpty() || combo->isEditable())
            return;
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.currentText = combo->currentText();
        opt.editable = false;
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
        if (advance(combo->font(), combo->currentText()) > field.width())
            report(combo->currentText(), u"нужно %1 px, есть %2"_s.arg(qRound(advance(combo->font(), combo->currentText())))
                                             .arg(field.width()));
        return;
    }

    if (auto *header = qobject_cast<const QHeaderView *>(w)) {
        if (header->orientation() != Qt::Horizontal || !header->model())
            return;
        for (int s = 0; s < header->count(); ++s) {
            if (header->isSectionHidden(s) || header->sectionViewportPosition(s) >= header->viewport()->width())
                continue;
            const QString text = header->model()->headerData(s, Qt::Horizontal).toString();
            if (text.isEmpty())
                continue;
            // What the header itself says the section needs, against what it has.
            const int need = header->sectionSizeHint(s);
            if (need > header->sectionSize(s))
                report(text, u"столбец %1 px, нужно %2"_s.arg(header->sectionSize(s)).arg(need));
        }
    }
}

// Every visible text under `root` that is not drawn whole.
inline QStringList cutTexts(const QWidget *root)
{
    QStringList cut;
    const auto walk = [&](const auto &self, const QWidget *w) -> void {
        if (!w->isVisible())
            return;
        checkWidget(w, root, cut);
        // A drop-down's own parts, a spin box's editor: their texts are the parent's.
        if (qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w))
            return;
        for (const QObject *o : w->children())
            if (auto *child = qobject_cast<const QWidget *>(o); child && !child->isWindow())
                self(self, child);
    };
    walk(walk, root);
    return cut;
}

} // namespace textsinview
