#pragma once

#include "script/script_store.h"

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
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

// Every field of a copy is bounded, so a damaged or crafted one costs the reader little: a
// path no system takes, a line far longer than any step and its comment, and a copy, read only
// from a regular file as Open reads a script, no larger than MaxScriptFileSize.
inline constexpr qsizetype MaxRecoveryPathLength = 4096;
inline constexpr qsizetype MaxRecoveryLineLength = 1024 * 1024;

// The copy's bytes: every line kept exactly, whatever characters it holds.
QByteArray encodeRecovery(const RecoveryContent& content);
// Nothing when the bytes are not a whole copy of this format within its bounds.
std::optional<RecoveryContent> decodeRecovery(const QByteArray& bytes);

struct RecoveryRead
{
    std::optional<RecoveryContent> content; // a copy whose script loads as Open would load it
    ErrorText error;                        // why not, when there is no content
    QString detail;                         // the line at fault, for a script that fails
};

// The user's own data folder for this program.
QString recoveryFolder();

class RecoveryCopy
{
public:
    // This editor's copy, under a name of its own in folder; nothing is on disk before write.
    static std::unique_ptr<RecoveryCopy> create(const QString& folder);
    // The copies in folder that no running editor holds, newest first: a lock whose editor has
    // ended, or that names none, holds nothing. Each stays locked for the caller while its
    // object lives, so no other editor offers it at the same time.
    static std::vector<std::unique_ptr<RecoveryCopy>> claimLeft(const QString& folder);

    const QString& path() const { return m_path; }

    // Replaces the copy as a whole, readable by its owner alone; a failed write leaves the
    // former copy. Whatever else stands at its name, a link included, is replaced, never
    // written through.
    ErrorText write(const RecoveryContent& content);
    // The copy, checked as Open checks a script file.
    RecoveryRead read() const;
    // The copy goes, then its lock.
    void remove();
    // Renames a copy that cannot be restored out of the way of later starts, and keeps it; its
    // new path, or the reason it stays where it is.
    std::pair<QString, ErrorText> setAside();
    // A left copy whose work this one now holds: it goes once this copy is written, or with it.
    void replaces(std::unique_ptr<RecoveryCopy> left) { m_replaced = std::move(left); }

    // The copy stays for the next start; only the lock goes.
    ~RecoveryCopy() = default;
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

private:
    explicit RecoveryCopy(const QString& path);
    void removeReplaced();

    QString m_path;
    QLockFile m_lock;
    std::unique_ptr<RecoveryCopy> m_replaced;
};

} // namespace sw
