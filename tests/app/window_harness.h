#pragma once

#include "app/window/main_window.h"

#include <QDir>
#include <QFile>
#include <QListView>
#include <QMetaProperty>
#include <QPushButton>
#include <QQueue>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>

inline const QString BaseCaption = QStringLiteral("KT615 Stepwright   V1.02");
inline const QByteArray TwoEmptyFlows = "(Start)\r\n(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n";
inline const QString ChangedQuestion = QStringLiteral("Script Data Changed.\r\nSave Script File?");

// Answers for the user from queues and records what the program asked, so no modal box ever
// waits in a test.
class FakeDialogs : public sw::UserDialogs
{
public:
    QStringList criticals; // the text, then " / " and the detail when there is one
    QStringList questions;
    QStringList notices;
    QStringList requests; // each file dialog as title|filter|pattern|name|folder|options|suffix
    int versionsShown = 0;
    int keysShown = 0;
    QQueue<sw::Answer> answers;               // none left: No
    QQueue<std::optional<QString>> fileNames; // nullopt or none left: the user cancels

    void critical(const QString& text, const QString& detail) override
    {
        criticals << (detail.isEmpty() ? text : text + QStringLiteral(" / ") + detail);
    }
    sw::Answer question(const QString& text) override
    {
        const sw::Answer answer = questionWithCancel(text);
        if (answer == sw::Answer::Cancel)
            qFatal("Cancel given to a question without it: %s", qPrintable(text));
        return answer;
    }
    sw::Answer questionWithCancel(const QString& text) override
    {
        questions << text;
        return answers.isEmpty() ? sw::Answer::No : answers.dequeue();
    }
    void notice(const QString& text) override { notices << text; }
    // The request's title tells the load dialog from the save dialogs.
    std::optional<QString> openFileName(const sw::FileRequest& r) override
    {
        return saveFileName(r);
    }
    std::optional<QString> saveFileName(const sw::FileRequest& r) override
    {
        requests << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                        .arg(r.title, r.filterDescription, r.pattern, r.initialName, r.folder,
                             QString::number(r.options.toInt()), r.defaultSuffix);
        return fileNames.isEmpty() ? std::nullopt : fileNames.dequeue();
    }
    void showVersion() override { ++versionsShown; }
    void showKeys() override { ++keysShown; }
};

// A main window with fake dialogs and a settings store in a folder that goes with the test,
// never the user's; each start() is a new run of the program on the same store.
struct WindowHarness
{
    std::optional<QTemporaryDir> m_folder;
    FakeDialogs* m_dialogs = nullptr;
    std::unique_ptr<sw::MainWindow> m_window;

    // A first run, on a machine of its own: its data folder, which holds the recovery copies,
    // too.
    void startAfresh()
    {
        m_window.reset();
        m_folder.emplace();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_folder->filePath(QStringLiteral("data"))));
        start();
    }
    // The answers are there for the questions that start-up asks; a file, as if named on the
    // command line.
    void start(const QList<sw::Answer>& answers = {}, std::unique_ptr<FakeDialogs> dialogs = {},
               const QString& file = {}, const QByteArray& nativeFile = {})
    {
        if (!dialogs)
            dialogs = std::make_unique<FakeDialogs>();
        dialogs->answers.append(answers);
        m_dialogs = dialogs.get();
        m_window = std::make_unique<sw::MainWindow>(std::move(dialogs), settingsStore());
        if (!file.isEmpty())
            m_window->openAtStart(file, nativeFile);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    std::unique_ptr<QSettings> settingsStore() const
    {
        return std::make_unique<QSettings>(m_folder->filePath(QStringLiteral("Stepwright.conf")),
                                           QSettings::IniFormat);
    }
    // A name in the test's folder; an absolute one as it is.
    QString path(const QString& name) const { return QDir(m_folder->path()).filePath(name); }
    // The same as the window shows it, with the system's separators.
    QString displayed(const QString& name) const { return QDir::toNativeSeparators(path(name)); }
    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString storedSetting(const QString& key) const
    {
        return settingsStore()->value(QStringLiteral("Data/") + key).toString();
    }
    // Triggers the menu command; its file dialog, if any, is given the named file.
    void run(const QString& command, const QString& file = {}) const
    {
        if (!file.isEmpty())
            m_dialogs->fileNames << path(file);
        find<QAction>(command)->trigger();
    }
    // Opens a file of two empty flows, Line1.scp, and sets one step: an unsaved change.
    void openAndChangeLine1()
    {
        writeFile(QStringLiteral("Line1.scp"), TwoEmptyFlows);
        run(QStringLiteral("mnuOpen"), QStringLiteral("Line1.scp"));
        click(QStringLiteral("cmdF2"));
    }
    template <class T = QWidget> T* find(const QString& name) const
    {
        T* widget = m_window->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    void click(const QString& button) const
    {
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
    }
    void clickShifted(const QString& button) const
    {
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton, Qt::ShiftModifier);
    }
    // Panel fields and lists given as "name=text", set to their text when fill is on, as they
    // show afterwards.
    QStringList entries(const QStringList& values, bool fill = false) const
    {
        QStringList shown;
        for (const QString& value : values) {
            QWidget* widget = find(value.section(u'=', 0, 0));
            const QMetaProperty text = widget->metaObject()->userProperty();
            if (fill)
                text.write(widget, value.section(u'=', 1));
            shown << widget->objectName() + u'=' + text.read(widget).toString();
        }
        return shown;
    }
    sw::FlowListView* flowList() const
    {
        return find<sw::FlowListView>(QStringLiteral("lstScript"));
    }
    QStringList items() const { return m_window->document().view().items(); }
    // The flow view's selection; -2 when the list does not show it as its selected rows: the
    // line, or the run from its first line to its last, the selected line current.
    int selected() const
    {
        const sw::FlowView& flow = m_window->document().view();
        const QItemSelectionModel* list = flowList()->selectionModel();
        QList<int> rows;
        for (const QModelIndex& index : list->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        QList<int> run;
        for (int row = flow.runFirst(); row >= 0 && row <= flow.runLast(); ++row)
            run << row;
        return rows == run && list->currentIndex().row() == flow.selected() ? flow.selected() : -2;
    }
};
