#pragma once

#include "files/file_write.h"
#include "files/regular_file.h"
#include "script/script_document.h"
#include "script/script_store.h"

#include <QByteArray>
#include <QByteArrayView>

#include <span>

// The .scp file: the Normal mode flow, a line "-", the Error mode flow, a line "-"; every line
// ended by CR LF and held in Windows-1252. A file loads only as a whole.
namespace sw {

inline constexpr QLatin1StringView FormatErrorMessage{"Script File Format Error."};
inline constexpr QLatin1StringView SeparatorLine{"-"};

// Where and why a text does not make a script.
struct FormatFault
{
    int line = 0; // 1-based line of the first fault; one past the last line for a fault found at
                  // the end of the text; 0 when the text loads
    QString reason;
    int flow = -1; // the flow the line stands in, if any
    int step = 0;  // the number the line would have as a step of that flow, if it is a step line
    QString text;  // the line, if there is one
};

// The flow and step a format error lies in, as "Normal mode flow, step 3"; empty outside flows.
QString faultPlace(const FormatFault& fault);
// Where a format error lies and why, as "Line 7 (Normal mode flow, step 3): the time must be
// 1 to 5 digits" with the line quoted below; empty when there is no fault.
QString faultDetail(const FormatFault& fault);

// The lines of a script text, or where and why they do not make a script.
struct ScriptParse
{
    ScriptStore script; // the lines read so far, in their slots; whole only when loaded
    FormatFault fault;
    bool loaded() const { return fault.line == 0; }
};

// Reads the lines of a script. A line ends at LF, or at CR LF, which files from elsewhere may
// use; the last line may lack its end. Every line other than a separator must pass
// Check_Script_Line. Reading stops at the first fault.
ScriptParse parseScript(QByteArrayView bytes);
// Checks the lines of both flows as parseScript checks a file's, each flow its slots up to the
// first empty one, and keeps none: for a script that comes from elsewhere than a script file.
ScriptParse checkScriptFlows(std::span<const QString> normal, std::span<const QString> error);

struct ScriptBytes
{
    QByteArray bytes;
    ErrorText error; // set, and bytes empty, when a line holds a character the file cannot hold
};

// The file's bytes for the working copy, as they are written. The lines are not checked.
ScriptBytes serialiseScript(const ScriptStore& store);

// Writes the working copy to path, keeping what the file was (see writeFileKeepingIt). A failed
// write leaves the former content, or puts it back, and says which.
// The bytes as written go to written, when given.
WriteResult Write_Script_File(const ScriptStore& store, const QString& path,
                              QByteArray* written = nullptr);

// The largest file the reader takes: far above any script, low enough that a file that is no
// script is refused before it is read.
inline constexpr qint64 MaxScriptFileSize = 64 * 1024 * 1024;

struct FileContent
{
    QByteArray bytes;
    ErrorText error;
};

// The bytes of a regular file of at most MaxScriptFileSize bytes, named by nativePath as the
// system names it. Anything else is refused without blocking and without reading it whole.
FileContent readScriptFileBytes(const QByteArray& nativePath, Links links = Links::Follow);
// The same into bytes, whose room is kept for the next file; the error, or empty when read.
ErrorText readScriptFileInto(const QByteArray& nativePath, QByteArray& bytes,
                             Links links = Links::Follow);

struct ReadResult
{
    ErrorText error; // "Script File Format Error." or the file layer's text; empty when read
    // Set on every failure: both copies then hold a new script, and the window must reset its
    // entry panels as for New.
    bool resetEntryPanels = false;
    FormatFault fault;  // for a format error
    QByteArray content; // the bytes read, when read (see file_stamp.h)
};

// Reads a file into both copies of the document. Neither renders nor numbers: Open does that
// next. On any failure the document holds a new script (New_Script).
ReadResult Read_Script_File(ScriptDocument& document, const QString& path);
// The same, for a file named by the bytes the system names it by, which need not be text.
ReadResult Read_Script_File(ScriptDocument& document, const QByteArray& nativePath);

// Tells whether files would load, as Read_Script_File does, keeping neither their bytes nor
// their lines: for checking many files one after another, in buffers they share.
class ScriptFileChecker
{
public:
    // The result Read_Script_File gives, without content and without resetEntryPanels.
    ReadResult check(const QByteArray& nativePath);

private:
    QByteArray m_bytes;
    QString m_text;
};

} // namespace sw
