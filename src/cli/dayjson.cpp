#include "dayjson.h"

#include "state.h"

#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

QString ArgbText(quint32 argb)
{
    return QString::number(argb, 16).toUpper().rightJustified(8, u'0');
}

QJsonArray DayCellsJson(const State &state)
{
    QJsonArray cells;
    for (int i = 1; i <= state.max_ur; ++i)
        for (int j = 1; j <= state.klassvis; ++j) {
            const day::Cell &c = state.grid.cell(i, j);
            cells.append(QJsonObject{{u"row"_s, i},
                                     {u"class"_s, j},
                                     {u"subject"_s, c.subject},
                                     {u"room"_s, c.room},
                                     {u"teachers"_s, c.teachers},
                                     {u"text"_s, ArgbText(c.textColour)},
                                     {u"background"_s, ArgbText(c.background)},
                                     {u"roomColour"_s, ArgbText(c.roomColour)},
                                     {u"locked"_s, c.locked()}});
        }
    return cells;
}

} // namespace rasp::cli
