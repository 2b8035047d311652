#pragma once

#include <QFlags>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <exception>
#include <optional>

// Every message box, file dialog, the version dialog and the table of keys go through this one
// interface, so tests answer for the user instead of clicking real modal boxes.
namespace sw {

inline constexpr QLatin1StringView DialogCaption{"Stepwright"};

enum class Answer
{
    Yes,
    No,
    Cancel,
};

enum class FileOption
{
    ConfirmOverwrite = 0x1,
    PathMustExist = 0x2,
    FileMustExist = 0x4,
    HideReadOnly = 0x8,
};
using FileOptions = QFlags<FileOption>;

struct FileRequest
{
    QString title;
    QString filterDescription; // what the user reads, e.g. "Script File (*.SCP)"
    QString pattern;           // which files are listed, e.g. "*.scp"
    QString initialName;
    QString folder; // empty: the dialog's own default
    FileOptions options;
    QString defaultSuffix; // added to a typed name without one, e.g. "scp"
};

class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // A modal box with the critical icon and an OK button; the detail, if any, stands in
    // smaller type under the text.
    virtual void critical(const QString& text, const QString& detail = {}) = 0;
    // A modal box with the question icon and the buttons Yes and No.
    virtual Answer question(const QString& text) = 0;
    // The same with a third button, Cancel, which Escape and the box's close button also
    // answer; Yes stays the default.
    virtual Answer questionWithCancel(const QString& text) = 0;
    // A warning that must not hold up the work: shown without waiting for an answer.
    virtual void notice(const QString& text) = 0;
    // The full path of the chosen file, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileRequest& request) = 0;
    virtual void showVersion() = 0;
    // The table of keys, beside the window; not waited for.
    virtual void showKeys() = 0;

    // Shows a failure; true when there was one.
    bool showError(const QString& error);
    void showNotice(const QString& notice);
    // A failure inside a command is shown and ends it; what it had changed stays.
    template <class Body> void runCommand(Body body);
};

template <class Body> void UserDialogs::runCommand(Body body)
{
    try {
        body();
    } catch (const std::exception& failure) {
        critical(QString::fromLocal8Bit(failure.what()));
    }
}

// The real boxes and dialogs, modal over the given window.
class WidgetDialogs : public UserDialogs
{
public:
    explicit WidgetDialogs(QWidget* parent) : m_parent(parent) {}

    void critical(const QString& text, const QString& detail) override;
    Answer question(const QString& text) override;
    Answer questionWithCancel(const QString& text) override;
    void notice(const QString& text) override;
    std::optional<QString> openFileName(const FileRequest& request) override;
    std::optional<QString> saveFileName(const FileRequest& request) override;
    void showVersion() override;
    void showKeys() override;

private:
    QPointer<QWidget> m_parent;
    QPointer<QWidget> m_keys; // the table standing open, raised again rather than doubled
};

} // namespace sw

Q_DECLARE_OPERATORS_FOR_FLAGS(sw::FileOptions)
