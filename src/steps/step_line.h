#pragma once

#include <QString>

// The text form of a flow line: the fixed start and end lines, comment lines from files,
// and the step lines the panels compose. The same string lives in the list, the store and
// the file, so everything here works on plain text.
namespace sw {

inline constexpr QLatin1StringView StartLine{"(Start)"};
inline constexpr QLatin1StringView EndLine{"(End)"};
inline constexpr QLatin1StringView CommentPartLead{"  // "};

enum class StepKind
{
    None,
    Input,
    Output,
    Wait,
    DeviceFunction,
    SelectModule,
    LoadFile,
    BufferClear,
    ProbeSelect,
};

// An ASCII character upper-cased; any other stays as it is.
constexpr char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// The full Unicode comparison behind upperCaseEquals, for text that is not plain ASCII.
bool upperCaseEqualsUnicode(QStringView text, QStringView keyword);

// Whether text, upper-cased, is keyword (given in upper case). Upper-casing never makes a
// text shorter, so a longer one cannot match. Plain ASCII is compared character by character
// without building a string, here where the compiler sees it: every line read or rendered
// passes through it many times. A mismatch there stands whatever follows. Only text with
// another character pays for the full Unicode upper-casing, in which one character may become
// several (U+FB06 "st" becomes "ST").
inline bool upperCaseEquals(QStringView text, QStringView keyword)
{
    if (text.size() > keyword.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return upperCaseEqualsUnicode(text, keyword);
        if (asciiUpper(c) != keyword[i].unicode())
            return false;
    }
    return text.size() == keyword.size();
}

// "(Start)" and "(End)" are recognised in any letter case.
inline bool isStartLine(QStringView line)
{
    return upperCaseEquals(line, u"(START)");
}
inline bool isEndLine(QStringView line)
{
    return upperCaseEquals(line, u"(END)");
}
// Whether text begins with "//", the comment mark; told character by character, since the
// line checks ask it at every character of a name.
constexpr bool startsWithCommentMark(QStringView text)
{
    return text.size() >= 2 && text[0] == u'/' && text[1] == u'/';
}
// A line whose first two characters are "//"; it carries no step number.
inline bool isCommentLine(QStringView line)
{
    return startsWithCommentMark(line);
}
// Neither start, end nor comment line: a line that carries a step number.
bool isNumberedLine(QStringView line);

// The kind a line's first two characters (upper-cased) name; None for any other prefix.
// Call it on step lines only: start, end and comment lines are told apart first.
StepKind classifyStep(QStringView line);

// True when the first characters of text, as many as keyword has, upper-cased, are keyword
// (given in upper case). This is how every reader recognises a step's keywords.
inline bool startsWithKeyword(QStringView text, QStringView keyword)
{
    return text.size() >= keyword.size() && upperCaseEquals(text.left(keyword.size()), keyword);
}

// Bodies, composed exactly as written in a script; no field is trimmed, padded or re-cased.
QString inputBody(const QString& port, const QString& level, const QString& timeout);
QString outputBody(const QString& port, const QString& level);
QString waitBody(const QString& time);
QString selectModuleBody(const QString& moduleName);
QString loadFileBody(const QString& fileName);
inline constexpr QLatin1StringView BufferClearBody{"BufferClear"};

// What a step's fields may hold: both times at most five digits, a module name ending in
// ".YIM" at most 253 characters (suffix included), a file name at most 248.
inline constexpr int MaxTimeDigits = 5;
inline constexpr int MaxModuleNameLength = 253;
inline constexpr int MaxFileNameLength = 248;
inline constexpr QLatin1StringView ModuleSuffix{".YIM"};
// Whether a module name ends in ".YIM" in any letter case, as the reader takes it; Set adds the
// suffix only to a name that lacks it.
inline bool hasModuleSuffix(QStringView name)
{
    return startsWithKeyword(name.right(ModuleSuffix.size()), u".YIM");
}
// A flow that holds all the lines it can takes no further step.
inline constexpr QLatin1StringView FlowFullMessage{"Number of commands is a maximum."};

// A decimal digit "0" to "9"; other scripts' digits are not digits of a script line.
constexpr bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Body followed by the comment part "  // " + comment, which an empty comment leaves out.
QString composeStepLine(const QString& body, const QString& comment);

// Where the step number tag ":(" digits ")" that ends a line begins, or -1 when the line ends
// in none. Only such a tag is a step's number: the numbering replaces it, and loading a step
// back leaves it out of the comment, so a ":" anywhere else is the line's own text.
qsizetype trailingTag(QStringView line);

} // namespace sw
