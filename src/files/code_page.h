#pragma once

#include <QByteArrayView>
#include <QString>

// Script files hold one byte per character in Windows-1252, the code page the programmer's
// tools read. Every byte decodes, the five bytes the code page leaves undefined included (to
// the control characters of the same value), so a file that loads saves back byte for byte.
namespace sw::codepage {

QString decode(QByteArrayView bytes);
// The same into text, whose room is kept for the next: many files are read one after another.
void decodeInto(QByteArrayView bytes, QString& text);

// Appends the bytes of text to out. Returns the position of the first character the code page
// cannot hold, or -1 when all of text went in; out then holds the bytes in front of it.
qsizetype appendEncoded(QStringView text, QByteArray& out);
// Whether the code page holds every character of text.
bool canEncode(QStringView text);

} // namespace sw::codepage
