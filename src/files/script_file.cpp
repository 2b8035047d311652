#include "files/script_file.h"

#include "files/code_page.h"
#include "files/line_checks.h"
#include "files/regular_file.h"
#include "steps/choices.h"
#include "steps/step_line.h"

#include <QFile>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace sw {

namespace {

// The state of the reader between lines.
class ScriptReader
{
public:
    // Without keepLines only the verdict is made: the lines are not copied.
    explicit ScriptReader(bool keepLines) : m_keepLines(keepLines) {}

    // Handed over, not copied: a full script is over five hundred strings.
    ScriptParse takeResult() { return std::move(m_result); }

    // Handles the next line. False at a fault.
    bool takeLine(QStringView line)
    {
        ++m_lineNumber;
        const bool separator = line == SeparatorLine;
        const bool end = !separator && isEndLine(line);
        m_lastClosesFlow = separator || end;
        if (m_flow >= FlowCount)
            return fault(u"nothing may follow the second separator"_s);
        if (separator) {
            if (m_count == 0)
                return fault(u"a separator where the flow should begin with (Start)"_s);
            if (!m_ended)
                return fault(u"the separator comes before the flow's (End)"_s);
            m_ended = false;
            ++m_flow;
            m_count = 0;
            return true;
        }
        if (m_ended)
            return fault(u"only the separator \"-\" may follow (End)"_s);
        if (m_count == MaxFlowLines)
            return fault(u"the flow holds more than %1 lines"_s.arg(MaxFlowLines));
        if (m_count == 0 && !isStartLine(line))
            return fault(u"the flow does not begin with (Start)"_s);
        if (!Check_Script_Line(line))
            return fault(u"the line is not a valid script line"_s);
        m_ended = end;
        if (m_keepLines)
            m_result.script.flows[m_flow][m_count] = line.toString();
        ++m_count;
        return true;
    }

    // Checks how the text ended.
    void finish()
    {
        ++m_lineNumber;
        if (m_lineNumber == 1)
            fault(u"the file is empty"_s);
        else if (!m_lastClosesFlow)
            fault(u"the file ends inside a flow"_s);
        else if (m_flow == 0)
            fault(u"the file ends before the first separator"_s);
        else if (m_flow == 1 && m_count == 0)
            fault(u"the file ends before the Error mode flow"_s);
    }

private:
    bool fault(const QString& reason)
    {
        m_result.faultLine = m_lineNumber;
        m_result.faultReason = reason;
        return false;
    }

    ScriptParse m_result;
    bool m_keepLines;
    int m_lineNumber = 0;
    int m_flow = 0;
    int m_count = 0;               // lines accepted into the flow being read
    bool m_ended = false;          // the flow being read has its (End)
    bool m_lastClosesFlow = false; // the last line read is "(End)" or the separator
};

ErrorText unencodable(int flow, int slot, QStringView line, qsizetype position)
{
    // A character outside the 16-bit range arrives as a surrogate pair; name all of it.
    qsizetype length = 1;
    char32_t code = line[position].unicode();
    if (line[position].isHighSurrogate() && position + 1 < line.size() &&
        line[position + 1].isLowSurrogate()) {
        code = QChar::surrogateToUcs4(line[position], line[position + 1]);
        length = 2;
    }
    return u"Line %1 of the %2 flow holds the character \"%3\" (U+%4), which a script file "
           "cannot hold. Replace it, then save again."_s.arg(slot + 1)
               .arg(choices::flowModes().at(flow), line.sliced(position, length).toString(),
                    QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

// Reads the lines of bytes, decoded whole into text, which holds one character per byte: the
// line ends are found in the bytes, where the search is quickest.
ScriptParse readScriptText(QByteArrayView bytes, bool keepLines, QString& text)
{
    codepage::decodeInto(bytes, text);
    const QStringView all(text);
    ScriptReader reader(keepLines);
    for (qsizetype start = 0; start < all.size();) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(bytes.data() + start, '\n', all.size() - start));
        const qsizetype next = lineFeed ? lineFeed - bytes.data() + 1 : all.size();
        QStringView line = all.sliced(start, next - start);
        if (line.endsWith(u'\n'))
            line.chop(line.size() >= 2 && line[line.size() - 2] == u'\r' ? 2 : 1);
        if (!reader.takeLine(line))
            return reader.takeResult();
        start = next;
    }
    reader.finish();
    return reader.takeResult();
}

// Reads the file into bytes and its lines through text, keeping them in parse when given. The
// result holds the file's error or the format error, as Read_Script_File reports them.
ReadResult readScriptFile(const QByteArray& nativePath, QByteArray& bytes, QString& text,
                          ScriptParse* parse)
{
    ReadResult result;
    result.error = readScriptFileInto(nativePath, bytes);
    if (!result.error.isEmpty())
        return result;
    ScriptParse read = readScriptText(bytes, parse != nullptr, text);
    if (!read.loaded()) {
        result.error = FormatErrorMessage;
        result.faultLine = read.faultLine;
        result.faultReason = read.faultReason;
    }
    if (parse)
        *parse = std::move(read);
    return result;
}

} // namespace

ScriptParse parseScript(QByteArrayView bytes)
{
    QString text;
    return readScriptText(bytes, true, text);
}

ScriptParse checkScriptFlows(std::span<const QString> normal, std::span<const QString> error)
{
    ScriptReader reader(false);
    for (const std::span<const QString> flow : {normal, error}) {
        for (const QString& line : flow) {
            if (line.isEmpty())
                break;
            if (!reader.takeLine(line))
                return reader.takeResult();
        }
        // Each flow ends at its separator line, as the writer writes it.
        if (!reader.takeLine(u"-"))
            return reader.takeResult();
    }
    reader.finish();
    return reader.takeResult();
}

ScriptBytes serialiseScript(const ScriptStore& store)
{
    ScriptBytes out;
    for (int f = 0; f < FlowCount; ++f) {
        for (int slot = 0; slot <= LastLineSlot; ++slot) {
            const QString& line = store.flows[f][slot];
            if (line.isEmpty())
                break;
            if (const qsizetype bad = codepage::appendEncoded(line, out.bytes); bad >= 0)
                return {{}, unencodable(f, slot, line, bad)};
            out.bytes.append("\r\n");
        }
        out.bytes.append("-\r\n");
    }
    return out;
}

WriteResult Write_Script_File(const ScriptStore& store, const QString& path, QByteArray* written)
{
    const ScriptBytes out = serialiseScript(store);
    if (!out.error.isEmpty())
        return {out.error, {}};
    WriteResult result = writeFileKeepingIt(path, out.bytes);
    if (result.error.isEmpty() && written)
        *written = out.bytes;
    return result;
}

FileContent readScriptFileBytes(const QByteArray& nativePath, Links links)
{
    FileContent content;
    content.error = readScriptFileInto(nativePath, content.bytes, links);
    if (!content.error.isEmpty())
        content.bytes.clear();
    return content;
}

ErrorText readScriptFileInto(const QByteArray& nativePath, QByteArray& bytes, Links links)
{
    // Past the limit by the size seen at the open, or by what was read: a file may grow.
    return readRegularFile(
        nativePath, MaxScriptFileSize,
        u"Larger than %1 MiB, too large for a script file"_s.arg(MaxScriptFileSize / (1024 * 1024)),
        bytes, links);
}

QString faultDetail(const ReadResult& result)
{
    if (result.faultLine == 0)
        return {};
    return u"Line %1: %2"_s.arg(result.faultLine).arg(result.faultReason);
}

ReadResult Read_Script_File(ScriptDocument& document, const QString& path)
{
    return Read_Script_File(document, QFile::encodeName(path));
}

ReadResult Read_Script_File(ScriptDocument& document, const QByteArray& nativePath)
{
    QByteArray bytes;
    QString text;
    ScriptParse parse;
    ReadResult result = readScriptFile(nativePath, bytes, text, &parse);
    if (!result.error.isEmpty()) {
        document.New_Script();
        result.resetEntryPanels = true;
        return result;
    }
    // A flow holds at most 258 lines, so the saved copy's slots take all of it.
    for (int f = 0; f < FlowCount; ++f)
        std::copy_n(parse.script.flows[f].begin(), SavedSlots, document.saved().flows[f].begin());
    result.content = bytes;
    document.store() = std::move(parse.script);
    return result;
}

ReadResult ScriptFileChecker::check(const QByteArray& nativePath)
{
    return readScriptFile(nativePath, m_bytes, m_text, nullptr);
}

} // namespace sw
