#pragma once
// A cheap hash of short texts and a table of texts to numbers built on it, for the grid refresh.

#include <QStringView>

#include <cstddef>
#include <utility>
#include <vector>

namespace rasp::text {

// A plain FNV-1a hash of a text. The look-ups of the grid refresh run thousands of times per
// call on short texts, where it is several times cheaper than the library's seeded string hash.
struct TextHash {
    std::size_t operator()(QStringView text) const noexcept
    {
        std::size_t h = 14695981039346656037ull;
        for (const QChar ch : text) {
            h ^= ch.unicode();
            h *= 1099511628211ull;
        }
        return h;
    }
};

// Texts to non-negative numbers in one open-addressed table (a power-of-two size, linear probing,
// the hash kept beside each entry, so a miss rarely compares texts). The views point into strings
// that outlive the table.
class TextIndex
{
public:
    // A table sized for about `expected` texts (it grows beyond that as needed).
    explicit TextIndex(std::size_t expected = 16);

    // The number of `text`, or -1 when it is not in the table.
    int find(QStringView text) const;

    // The number of `text`; an absent text is added with `value` (not negative). `second` tells
    // whether it was added.
    std::pair<int, bool> insert(QStringView text, int value);

    // Texts in the table.
    std::size_t size() const { return m_count; }

private:
    struct Slot {
        QStringView text;
        std::size_t hash = 0;
        int value = -1; // -1: a free slot
    };

    // Doubles the table, keeping every entry.
    void grow();

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

} // namespace rasp::text
