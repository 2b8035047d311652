#include "files/code_page.h"

#include <array>

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

} // namespace

QString decode(QByteArrayView bytes)
{
    // Most lines hold no byte 0x80 to 0x9F: for them Latin-1 is the code page, and Qt converts
    // it fast. Those bytes are the ones whose top three bits are 100; the test is bitwise and
    // runs over the whole line without stopping early, so the compiler takes many bytes at once.
    QString text = QString::fromLatin1(bytes);
    unsigned highControls = 0;
    for (const char byte : bytes) {
        const unsigned bits = static_cast<unsigned char>(byte);
        highControls |= bits & ~(bits << 1) & ~(bits << 2);
    }
    if (highControls & 0x80u) {
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        for (const char byte : bytes)
            *out++ = Characters[static_cast<unsigned char>(byte)];
    }
    return text;
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

} // namespace sw::codepage
