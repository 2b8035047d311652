#include "files/recovery_copy.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

constexpr quint32 Magic = 0x53575243; // "SWRC"
constexpr quint16 FormatVersion = 1;
// Fixed, so a copy reads back whichever Qt wrote it.
constexpr auto StreamVersion = QDataStream::Qt_6_4;
constexpr auto CopySuffix = ".recovery"_L1;

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
// reserve memory for it.
template <typename Flows> bool readFlows(QDataStream& in, Flows& flows)
{
    for (auto& flow : flows) {
        quint32 count = 0;
        in >> count;
        if (count > MaxFlowLines)
            return false;
        for (quint32 slot = 0; slot < count; ++slot) {
            in >> flow[slot];
            if (flow[slot].isEmpty())
                return false;
        }
    }
    return true;
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
    if (!readFlows(in, content.working.flows) || !readFlows(in, content.saved.flows) ||
        in.status() != QDataStream::Ok || !in.atEnd())
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
    for (const QString& name : dir.entryList({u'*' + CopySuffix}, QDir::Files, QDir::Time)) {
        std::unique_ptr<RecoveryCopy> copy(new RecoveryCopy(dir.filePath(name)));
        if (copy->m_lock.tryLock())
            left.push_back(std::move(copy));
    }
    return left;
}

ErrorText RecoveryCopy::write(const RecoveryContent& content)
{
    // The lock comes first: no other editor may take a copy that is being written.
    if (!m_lock.isLocked() &&
        (!QDir().mkpath(QFileInfo(m_path).absolutePath()) || !m_lock.tryLock()))
        return u"The recovery copy %1 cannot be locked."_s.arg(QDir::toNativeSeparators(m_path));
    const QByteArray bytes = encodeRecovery(content);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

std::optional<RecoveryContent> RecoveryCopy::read() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeRecovery(file.readAll());
}

void RecoveryCopy::remove()
{
    QFile::remove(m_path);
    m_lock.unlock();
}

} // namespace sw
