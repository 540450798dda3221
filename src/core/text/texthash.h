#pragma once
// A cheap hash of short texts and a table of texts to numbers built on it, for the grid refresh.

#include <QStringView>

#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace rasp::text {

// A hash of a text that reads four characters at a time, each word mixed in by a multiply. The
// look-ups of the grid refresh run thousands of times per call on short texts, where it is
// several times cheaper than the library's seeded string hash.
struct TextHash {
    std::size_t operator()(QStringView text) const noexcept
    {
        const char16_t *p = text.utf16();
        qsizetype n = text.size();
        quint64 h = 0x9E3779B97F4A7C15ull ^ quint64(n);
        auto mix = [&h](quint64 word) {
            h = (h ^ word) * 0xFF51AFD7ED558CCDull;
            h ^= h >> 32;
        };
        for (; n >= 4; n -= 4, p += 4) {
            quint64 word;
            std::memcpy(&word, p, sizeof word);
            mix(word);
        }
        if (n > 0) {
            quint64 word = 0;
            for (; n > 0; --n, ++p)
                word = word << 16 | *p;
            mix(word);
        }
        return std::size_t(h ^ (h >> 29));
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
