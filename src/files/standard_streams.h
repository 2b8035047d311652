#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdio>

// Standard input, output and error as both programs meet them, which may be closed or full.
namespace sw {

// Puts /dev/null, open for reading only, on each of the descriptors 0 to 2 that is closed: a
// file or a display connection opened later would take that number and receive what is meant
// for standard output or error. A write there still fails, as on the closed descriptor. Both
// programs call this first.
void occupyClosedStandardDescriptors();

// Writes all of bytes to stream and flushes it; empty when written, else the reason.
QString writeStandardStream(std::FILE* stream, QByteArrayView bytes);
// Tells on standard error why standard output did not take what program wrote there.
void tellOutputFailure(const QString& program, const QString& reason);

} // namespace sw
