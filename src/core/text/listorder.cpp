#include "listorder.h"

#include <algorithm>

namespace rasp::text {

namespace {

char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? char16_t(u - u'A' + u'a') : u;
}

} // namespace

bool ListTextLess(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = folded(a[i]);
        const char16_t y = folded(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

qsizetype SortedInsert(QStringList &list, const QString &item)
{
    const auto at = std::upper_bound(list.begin(), list.end(), item,
                                     [](const QString &x, const QString &y) { return ListTextLess(x, y); });
    const qsizetype index = at - list.begin();
    list.insert(index, item);
    return index;
}

} // namespace rasp::text
