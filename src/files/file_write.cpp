#include "files/file_write.h"

#include "files/file_identity.h"
#include "files/regular_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

constexpr auto Unchanged = "The file is unchanged."_L1;
constexpr auto NotCreated = "No file was written."_L1;
constexpr auto PutBack = "Its former content was put back."_L1;
constexpr auto Damaged = "Its former content could not be put back: the file may be cut short."_L1;
constexpr auto BitsCleared = "The system cleared its set-ID bits, as it does when another user "
                             "than the owner writes a file; only the owner can set them again."_L1;
// As files of /proc, or one that grows while it is read: what it holds cannot be kept whole.
constexpr auto LongerThanItSays = "It holds more than its size says"_L1;

ErrorText failure(const QString& path, const QString& reason, const QString& outcome)
{
    return u"Cannot save \"%1\".\r\n%2.\r\n%3"_s.arg(QDir::toNativeSeparators(path), reason,
                                                     outcome);
}

QString reasonOf(const QFileDevice& file)
{
    // Qt says "Unknown error" where it passed on no reason of the system's.
    const QString reason = file.errorString();
    return reason.isEmpty() || reason == "Unknown error"_L1 ? u"The system gave no reason"_s
                                                            : reason;
}

// Unbuffered, every write checked: QSaveFile::commit() does not notice when flushing its buffer
// fails. A full disk or a size limit may also take part of a write without an error; the next
// write then gives the reason.
bool writeAll(QFileDevice& file, QByteArrayView bytes)
{
    for (QByteArrayView rest = bytes; !rest.isEmpty();) {
        const qint64 written = file.write(rest.data(), rest.size());
        if (written <= 0)
            return false;
        rest = rest.sliced(written);
    }
    return true;
}

// What the file holds once its former bytes are written back. Every step is tried whatever the
// one before gave, and the file read back decides: under a size limit the write of the bytes
// the failed save never reached fails as well, though they still hold their former value.
QString putBack(QFile& file, const QByteArray& former, const FileIdentity& target)
{
    if (file.seek(0))
        writeAll(file, former);
    file.resize(former.size());
    QByteArray now;
    if (!file.seek(0) ||
        !readToEnd({file.handle(), former.size(), {}}, former.size(), LongerThanItSays, now)
             .isEmpty() ||
        now != former)
        return Damaged;
    return giveIdentity(file.handle(), target) ? QString(PutBack)
                                               : u"%1 %2"_s.arg(PutBack, BitsCleared);
}

WriteResult writeInPlace(const QString& path, const FileIdentity& target, QByteArrayView bytes)
{
    const RegularFile opened = openRegularFile(QFile::encodeName(target.path), true);
    if (opened.handle < 0)
        return {failure(path, opened.error, Unchanged), {}};
    QFile file;
    if (!file.open(opened.handle, QIODevice::ReadWrite | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle))
        return {failure(path, reasonOf(file), Unchanged), {}};
    QByteArray former;
    if (const QString reason = readToEnd(opened, opened.size, LongerThanItSays, former);
        !reason.isEmpty())
        return {failure(path, reason, Unchanged), {}};

    if (!file.seek(0) || !writeAll(file, bytes) || !file.resize(bytes.size())) {
        const QString reason = reasonOf(file);
        return {failure(path, reason, putBack(file, former, target)), {}};
    }
    // A write by anyone clears the set-ID bits; the owner may set them again, nobody else can.
    if (!giveIdentity(file.handle(), target))
        return {{}, u"Saved \"%1\".\r\n%2"_s.arg(QDir::toNativeSeparators(path), BitsCleared)};
    return {};
}

} // namespace

WriteResult writeFileKeepingIt(const QString& path, QByteArrayView bytes)
{
    const FileIdentity target = identifyFile(path);
    if (target.exists && !target.replaceable)
        return writeInPlace(path, target, bytes);

    QSaveFile file(target.path);
    const QString none = target.exists ? Unchanged : NotCreated;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {failure(path, reasonOf(file), none), {}};
    // Without commit, the new file is discarded and the former one stays.
    if (!writeAll(file, bytes))
        return {failure(path, reasonOf(file), none), {}};
    // After the writes, which clear set-ID bits.
    if (target.exists && !giveIdentity(file.handle(), target)) {
        file.cancelWriting();
        return writeInPlace(path, target, bytes);
    }
    if (!file.commit())
        return {failure(path, reasonOf(file), none), {}};
    return {};
}

} // namespace sw
