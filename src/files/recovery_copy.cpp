#include "files/recovery_copy.h"

#include "files/script_file.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

constexpr quint32 Magic = 0x53575243; // "SWRC"
constexpr quint16 FormatVersion = 1;
// Fixed, so a copy reads back whichever Qt wrote it.
constexpr auto StreamVersion = QDataStream::Qt_6_4;
constexpr auto CopySuffix = ".recovery"_L1;
constexpr auto AsideSuffix = ".damaged"_L1;
constexpr auto TooLarge = "The script is too large for a recovery copy"_L1;
// The script may be private: no one but its owner may list the folder or read a copy or lock.
constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions OwnerFolder = OwnerOnly | QFile::ExeOwner;
// QLockFile writes its owner into a lock at once after making it: a lock that names no owner
// for longer was left damaged or half-written, and no editor holds it.
constexpr qint64 UnnamedLockGraceSeconds = 10;
// Far above what QLockFile writes (a number and two names), so a larger file is none of its.
constexpr qint64 MaxLockSize = 4096;

// Each flow as its line count, then its lines up to the empty slot that ends it.
template <typename Flows> void writeFlows(QDataStream& out, const Flows& flows)
{
    for (const auto& flow : flows) {
        quint32 count = 0;
        while (count <= LastLineSlot && !flow[count].isEmpty())
            ++count;
        out << count;
        for (quint32 slot = 0; slot < count; ++slot)
            out << flow[slot];
    }
}

// The count is checked before anything is taken in, so a damaged copy never makes the reader
// reserve memory for it; a line takes no more than the copy's bytes hold.
template <typename Flows> bool readFlows(QDataStream& in, Flows& flows)
{
    for (auto& flow : flows) {
        quint32 count = 0;
        in >> count;
        if (count > MaxFlowLines)
            return false;
        for (quint32 slot = 0; slot < count; ++slot) {
            in >> flow[slot];
            if (flow[slot].isEmpty() || flow[slot].size() > MaxRecoveryLineLength)
                return false;
        }
    }
    return true;
}

template <typename Flows> bool linesWithinBounds(const Flows& flows)
{
    for (const auto& flow : flows)
        for (const QString& line : flow)
            if (line.size() > MaxRecoveryLineLength)
                return false;
    return true;
}

// Where the script fails the reader's checks; empty when both copies load.
QString scriptFault(const RecoveryContent& content)
{
    for (const auto& [normal, error] :
         {std::pair{std::span<const QString>(content.working.flows[0]),
                    std::span<const QString>(content.working.flows[1])},
          {std::span<const QString>(content.saved.flows[0]),
           std::span<const QString>(content.saved.flows[1])}}) {
        const ScriptParse check = checkScriptFlows(normal, error);
        if (!check.loaded())
            return faultDetail(check.fault);
    }
    return {};
}

QString systemError()
{
    return errno != 0 ? qt_error_string(errno) : u"Unknown error"_s;
}

ErrorText removeEntry(const QString& path)
{
    std::error_code error;
    std::filesystem::remove(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    return error ? QString::fromLocal8Bit(error.message()) : ErrorText();
}

// Anything but a regular file at path, a link included, goes: it is no copy or lock of this
// program's, and neither a write nor a read may go through it.
ErrorText clearPlanted(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink() && (!info.exists() || info.isFile()))
        return {};
    return removeEntry(path);
}

// A lock QLockFile may read: its reading waits on a pipe and takes a large file whole.
bool mayBeLock(const QString& path)
{
    const QFileInfo info(path);
    return !info.isSymLink() && (!info.exists() || (info.isFile() && info.size() <= MaxLockSize));
}

bool lockPrivately(QLockFile& lock, const QString& lockPath)
{
    if (!lock.tryLock())
        return false;
    QFile::setPermissions(lockPath, OwnerOnly);
    return true;
}

// Takes the lock of a left copy unless a running editor holds it. A lock whose owner has ended
// is stale to QLockFile itself; one that names no owner is stale too.
bool lockLeftCopy(QLockFile& lock, const QString& lockPath)
{
    if (!mayBeLock(lockPath) && !removeEntry(lockPath).isEmpty())
        return false;
    if (lockPrivately(lock, lockPath))
        return true;
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.error() != QLockFile::LockFailedError || lock.getLockInfo(&pid, &host, &application))
        return false;
    const qint64 age = QFileInfo(lockPath).lastModified().secsTo(QDateTime::currentDateTime());
    return std::abs(age) > UnnamedLockGraceSeconds && lock.removeStaleLockFile() &&
           lockPrivately(lock, lockPath);
}

// The folder made, or an older one closed, to its owner alone.
ErrorText preparePrivateFolder(const QString& folder)
{
    errno = 0;
    const QFileInfo info(folder);
    if (!info.exists()) {
        if (!QDir().mkpath(info.absolutePath()) || !QDir().mkdir(folder, OwnerFolder))
            return systemError();
        return {};
    }
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    if (info.permissions().testAnyFlags(others) && !QFile::setPermissions(folder, OwnerFolder))
        return systemError();
    return {};
}

} // namespace

QByteArray encodeRecovery(const RecoveryContent& content)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    out << Magic << FormatVersion << content.filePath << content.time;
    writeFlows(out, content.working.flows);
    writeFlows(out, content.saved.flows);
    return bytes;
}

std::optional<RecoveryContent> decodeRecovery(const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(StreamVersion);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (magic != Magic || version != FormatVersion)
        return std::nullopt;
    RecoveryContent content;
    in >> content.filePath >> content.time;
    if (content.filePath.size() > MaxRecoveryPathLength || !readFlows(in, content.working.flows) ||
        !readFlows(in, content.saved.flows) || in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return content;
}

QString recoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

RecoveryCopy::RecoveryCopy(const QString& path) : m_path(path), m_lock(path + ".lock"_L1)
{
    // An editor may hold its copy for days: only an ended editor makes a lock stale.
    m_lock.setStaleLockTime(0);
}

std::unique_ptr<RecoveryCopy> RecoveryCopy::create(const QString& folder)
{
    const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces) + CopySuffix;
    return std::unique_ptr<RecoveryCopy>(new RecoveryCopy(QDir(folder).filePath(name)));
}

std::vector<std::unique_ptr<RecoveryCopy>> RecoveryCopy::claimLeft(const QString& folder)
{
    std::vector<std::unique_ptr<RecoveryCopy>> left;
    const QDir dir(folder);
    // Pipes, devices and links too, so that what stands among the copies is told and set aside.
    for (const QString& name :
         dir.entryList({u'*' + CopySuffix}, QDir::Files | QDir::System, QDir::Time)) {
        std::unique_ptr<RecoveryCopy> copy(new RecoveryCopy(dir.filePath(name)));
        if (lockLeftCopy(copy->m_lock, copy->m_path + ".lock"_L1))
            left.push_back(std::move(copy));
    }
    return left;
}

ErrorText RecoveryCopy::write(const RecoveryContent& content)
{
    if (content.filePath.size() > MaxRecoveryPathLength ||
        !linesWithinBounds(content.working.flows) || !linesWithinBounds(content.saved.flows))
        return TooLarge;
    // The lock comes first: no other editor may take a copy that is being written.
    if (!m_lock.isLocked()) {
        if (const ErrorText error = preparePrivateFolder(QFileInfo(m_path).absolutePath());
            !error.isEmpty())
            return error;
        const QString lockPath = m_path + ".lock"_L1;
        if (const ErrorText error = clearPlanted(lockPath); !error.isEmpty())
            return error;
        errno = 0;
        if (!lockPrivately(m_lock, lockPath))
            return m_lock.error() == QLockFile::PermissionError ? qt_error_string(EACCES)
                                                                : systemError();
    }
    if (const ErrorText error = clearPlanted(m_path); !error.isEmpty())
        return error;
    const QByteArray bytes = encodeRecovery(content);
    if (bytes.size() > MaxScriptFileSize)
        return TooLarge;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !file.setPermissions(OwnerOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    removeReplaced();
    return {};
}

RecoveryRead RecoveryCopy::read() const
{
    if (QFileInfo(m_path).isSymLink())
        return {std::nullopt, u"Is a symbolic link, not a recovery copy"_s, {}};
    // Refused by the open too: a link put in place after the look above is not followed.
    const FileContent file = readScriptFileBytes(QFile::encodeName(m_path), Links::Refuse);
    if (!file.error.isEmpty())
        return {std::nullopt, file.error, {}};
    std::optional<RecoveryContent> content = decodeRecovery(file.bytes);
    if (!content)
        return {std::nullopt, u"Not a whole recovery copy"_s, {}};
    if (const QString fault = scriptFault(*content); !fault.isEmpty())
        return {std::nullopt, FormatErrorMessage, fault};
    return {std::move(content), {}, {}};
}

void RecoveryCopy::removeReplaced()
{
    if (m_replaced)
        m_replaced->remove();
    m_replaced.reset();
}

void RecoveryCopy::remove()
{
    removeReplaced();
    QFile::remove(m_path);
    m_lock.unlock();
}

std::pair<QString, ErrorText> RecoveryCopy::setAside()
{
    const QString aside = m_path + AsideSuffix;
    const QFileInfo target(aside);
    if (target.exists() || target.isSymLink())
        return {{}, u"\"%1\" already exists"_s.arg(QDir::toNativeSeparators(aside))};
    // Renamed as it stands: a link stays a link, nothing behind it is touched.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(m_path).toStdString(),
                            QFile::encodeName(aside).toStdString(), error);
    if (error)
        return {{}, QString::fromLocal8Bit(error.message())};
    m_lock.unlock();
    return {aside, {}};
}

} // namespace sw
