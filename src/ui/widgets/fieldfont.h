#pragma once

#include "text/textfit.h"

#include <QFont>
#include <QHash>
#include <QString>

namespace rasp::ui {

// A field font that fits short texts into fixed widths by the one fitting rule
// (text::FitText): the designed font where the text fits, else tighter, else smaller down to
// the floor, else cut. Results are measured with the font that paints them and kept by text
// and width, so painting many fields measures each text once.
class FieldFont
{
public:
    explicit FieldFont(QFont designed, text::FitSteps steps = {});

    struct Fitted {
        QFont font;       // the font to draw the text in
        bool cut = false; // wider than the field even at the floor
    };
    // The font a text is drawn in within `width` pixels.
    const Fitted &fit(const QString &text, int width);
    // The font lines are drawn in within `width` x `height` pixels: every line within the
    // width and all of them, one under another, within the height; cut when even the floor
    // cannot show them all.
    const Fitted &fitLines(const QStringList &lines, int width, int height);
    // The designed font (what an empty field or a typed first letter uses).
    const QFont &designed() const { return m_designed; }
    // The width of a text drawn in a font, as the painters measure it.
    static double widthOf(const QString &text, const QFont &font);

private:
    QFont fontFor(const text::TextFit &f) const;

    QFont m_designed;
    text::FitSteps m_steps;
    QHash<QString, Fitted> m_cache; // by width and text
};

} // namespace rasp::ui
