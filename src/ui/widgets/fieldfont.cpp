#include "widgets/fieldfont.h"

#include <QFontMetricsF>
#include <QStringList>

#include <algorithm>

namespace rasp::ui {

FieldFont::FieldFont(QFont designed, text::FitSteps steps)
    : m_designed(std::move(designed))
    , m_steps(steps)
{
    m_steps.designed = m_designed.pointSizeF();
}

QFont FieldFont::fontFor(const text::TextFit &f) const
{
    QFont font = m_designed;
    font.setPointSizeF(f.pointSize);
    if (f.spacing != 100)
        font.setLetterSpacing(QFont::PercentageSpacing, f.spacing);
    return font;
}

double FieldFont::widthOf(const QString &text, const QFont &font)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

const FieldFont::Fitted &FieldFont::fit(const QString &text, int width)
{
    if (m_cache.size() > 8192)
        m_cache.clear();
    const QString key = QString::number(width) + u'\x1f' + text;
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return *it;
    const text::TextFit f = text::FitText(
        width, [&](double size, double spacing) { return widthOf(text, fontFor({size, spacing, false})); }, m_steps);
    return *m_cache.insert(key, Fitted{fontFor(f), f.cut});
}

const FieldFont::Fitted &FieldFont::fitLines(const QStringList &lines, int width, int height)
{
    if (m_cache.size() > 8192)
        m_cache.clear();
    const QString key = QString::number(width) + u'x' + QString::number(height) + u'\x1f' + lines.join(u'\n');
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return *it;
    const auto measure = [&](double size, double spacing) {
        const QFont font = fontFor({size, spacing, false});
        const QFontMetricsF metrics(font);
        if (lines.size() * metrics.lineSpacing() > height)
            return double(width) + 1; // taller than the field: does not fit at this size
        double widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        return widest;
    };
    const text::TextFit f = text::FitText(width, measure, m_steps);
    return *m_cache.insert(key, Fitted{fontFor(f), f.cut});
}

} // namespace rasp::ui
