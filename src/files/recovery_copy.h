#pragma once

#include "script/script_store.h"

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// While a script has unsaved changes, each running editor keeps a copy of it in a file of its
// own, so that a kill, a hang-up or a crash does not take the work. A lock beside the copy
// lives as long as its editor holds the copy: a copy without a live lock was left by an editor
// that no longer runs, and the next start may offer it.
namespace sw {

struct RecoveryContent
{
    ScriptStore working;
    // The saved copy comes back too, so the restored script differs from it as it did.
    SavedScript saved;
    QString filePath; // the script's file; empty for a script that has none
    QDateTime time;   // when the copy was taken
};

// The copy's bytes: every line kept exactly, whatever characters it holds.
QByteArray encodeRecovery(const RecoveryContent& content);
// Nothing when the bytes are not a whole copy of this format.
std::optional<RecoveryContent> decodeRecovery(const QByteArray& bytes);

// The user's own data folder for this program.
QString recoveryFolder();

class RecoveryCopy
{
public:
    // This editor's copy, under a name of its own in folder; nothing is on disk before write.
    static std::unique_ptr<RecoveryCopy> create(const QString& folder);
    // The copies in folder that no running editor holds, newest first. Each stays locked for
    // the caller while its object lives, so no other editor offers it at the same time.
    static std::vector<std::unique_ptr<RecoveryCopy>> claimLeft(const QString& folder);

    // Replaces the copy as a whole; a failed write leaves the former copy.
    ErrorText write(const RecoveryContent& content);
    std::optional<RecoveryContent> read() const;
    // The copy goes, then its lock.
    void remove();

    // The copy stays for the next start; only the lock goes.
    ~RecoveryCopy() = default;
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

private:
    explicit RecoveryCopy(const QString& path);

    QString m_path;
    QLockFile m_lock;
};

} // namespace sw
