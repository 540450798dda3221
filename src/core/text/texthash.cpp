#include "texthash.h"

#include <algorithm>
#include <bit>

namespace rasp::text {

namespace {

// Whether two texts are equal, compared here: the texts are short and a library call per
// look-up cost more than the comparison itself.
bool sameText(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    const char16_t *p = a.utf16();
    const char16_t *q = b.utf16();
    for (qsizetype k = 0; k < a.size(); ++k)
        if (p[k] != q[k])
            return false;
    return true;
}

// The first slot to probe for a hash.
std::size_t home(std::size_t hash, std::size_t mask)
{
    return hash & mask;
}

} // namespace

TextIndex::TextIndex(std::size_t expected)
    : m_slots(std::bit_ceil(std::max<std::size_t>(expected * 2, 16)))
{
}

int TextIndex::find(QStringView text) const
{
    const std::size_t hash = TextHash()(text);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t n = home(hash, mask);; n = (n + 1) & mask) {
        const Slot &slot = m_slots[n];
        if (slot.value < 0)
            return -1;
        if (slot.hash == hash && sameText(slot.text, text))
            return slot.value;
    }
}

std::pair<int, bool> TextIndex::insert(QStringView text, int value)
{
    if (2 * (m_count + 1) > m_slots.size()) // at most half full
        grow();
    const std::size_t hash = TextHash()(text);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t n = home(hash, mask);; n = (n + 1) & mask) {
        Slot &slot = m_slots[n];
        if (slot.value < 0) {
            slot = {text, hash, value};
            ++m_count;
            return {value, true};
        }
        if (slot.hash == hash && sameText(slot.text, text))
            return {slot.value, false};
    }
}

void TextIndex::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot &slot : old) {
        if (slot.value < 0)
            continue;
        std::size_t n = home(slot.hash, mask);
        while (m_slots[n].value >= 0)
            n = (n + 1) & mask;
        m_slots[n] = slot;
    }
}

} // namespace rasp::text
