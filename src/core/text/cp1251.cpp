#include "cp1251.h"

#include <array>

namespace rasp::text {

namespace {

// Characters of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kUpper = {
    0x0402,
    0x0403,
    0x201A,
    0x0453,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x20AC,
    0x2030,
    0x0409,
    0x2039,
    0x040A,
    0x040C,
    0x040B,
    0x040F,
    0x0452,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x0098,
    0x2122,
    0x0459,
    0x203A,
    0x045A,
    0x045C,
    0x045B,
    0x045F,
    0x00A0,
    0x040E,
    0x045E,
    0x0408,
    0x00A4,
    0x0490,
    0x00A6,
    0x00A7,
    0x0401,
    0x00A9,
    0x0404,
    0x00AB,
    0x00AC,
    0x00AD,
    0x00AE,
    0x0407,
    0x00B0,
    0x00B1,
    0x0406,
    0x0456,
    0x0491,
    0x00B5,
    0x00B6,
    0x00B7,
    0x0451,
    0x2116,
    0x0454,
    0x00BB,
    0x0458,
    0x0405,
    0x0455,
    0x0457,
};

char16_t byteToChar(unsigned char b)
{
    if (b < 0x80)
        return b;
    if (b >= 0xC0)
        return char16_t(0x0410 + (b - 0xC0));
    return kUpper[b - 0x80];
}

// Reverse table over the Basic Multilingual Plane; 0 marks "not in the code page".
struct EncodeTable {
    std::array<unsigned char, 0x10000> bytes{};
    EncodeTable()
    {
        for (int b = 0x80; b <= 0xFF; ++b)
            bytes[byteToChar(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
    }
};

const EncodeTable &encodeTable()
{
    static const EncodeTable table;
    return table;
}

} // namespace

QString decode1251(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(byteToChar(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray encode1251(QStringView text)
{
    const EncodeTable &table = encodeTable();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out.append(static_cast<char>(c));
            continue;
        }
        // A surrogate pair is one character outside the code page: one '?'.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        const unsigned char b = table.bytes[c];
        out.append(b ? static_cast<char>(b) : '?');
    }
    return out;
}

bool In1251(QChar c)
{
    return c.unicode() < 0x80 || encodeTable().bytes[c.unicode()] != 0;
}

QString Outside1251(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (In1251(text[i]))
            continue;
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = text.sliced(i, length);
        if (!out.contains(character))
            out += character;
        i += length - 1;
    }
    return out;
}

QString SpacedCharacters(const QString &characters)
{
    QString listed;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        if (!listed.isEmpty() && !characters[i].isLowSurrogate())
            listed += QLatin1Char(' ');
        listed += characters[i];
    }
    return listed;
}

QString Outside1251Notice(const QString &characters)
{
    return QStringLiteral("Этих знаков нет в кодировке Windows-1251 файлов школы, они не вводятся: ")
           + SpacedCharacters(characters);
}

} // namespace rasp::text
