#include "files/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace sw::codepage {

namespace {

// Characters of the bytes 0x80 to 0x9F; every other byte is the character of its own value.
// The undefined bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their own value too.
constexpr std::array<char16_t, 32> HighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The character of every byte, looked up rather than worked out: whole files are decoded.
constexpr std::array<char16_t, 256> Characters = [] {
    std::array<char16_t, 256> characters{};
    for (std::size_t byte = 0; byte < characters.size(); ++byte) {
        const bool high = byte >= 0x80 && byte <= 0x9F;
        characters[byte] = high ? HighControls[byte - 0x80] : char16_t(byte);
    }
    return characters;
}();

// The byte for a character, or -1 when the code page has none.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == c)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Whether bytes decode as Latin-1: none of them is 0x80 to 0x9F. A whole text is tested at
// once, faster than its lines one by one.
bool isLatin1(QByteArrayView bytes)
{
    // The bytes 0x80 to 0x9F are those whose top three bits are 100. The test is bitwise, eight
    // bytes at a time, and runs to the end without stopping early so the compiler can take
    // even more at once; shifts only carry other bits into a byte's top bit from the same byte.
    const auto highControls = [](std::uint64_t bits) { return bits & ~(bits << 1) & ~(bits << 2); };
    std::uint64_t found = 0;
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        found |= highControls(word);
    }
    for (; i < bytes.size(); ++i)
        found |= highControls(static_cast<unsigned char>(bytes[i]));
    return (found & 0x8080808080808080u) == 0;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text;
    decodeInto(bytes, text);
    return text;
}

void decodeInto(QByteArrayView bytes, QString& text)
{
    // Latin-1 is the code page but for those bytes, and Qt converts it fast.
    text.truncate(0);
    text.append(QLatin1StringView(bytes));
    if (!isLatin1(bytes)) {
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        for (const char byte : bytes)
            *out++ = Characters[static_cast<unsigned char>(byte)];
    }
}

qsizetype appendEncoded(QStringView text, QByteArray& out)
{
    out.reserve(out.size() + text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = byteOf(text[i].unicode());
        if (byte < 0)
            return i;
        out.append(static_cast<char>(byte));
    }
    return -1;
}

bool canEncode(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return byteOf(c.unicode()) >= 0; });
}

} // namespace sw::codepage
