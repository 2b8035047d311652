#include "app/app_identity.h"
#include "app/command_line.h"
#include "window_harness.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

// The editor as the desktop starts it and hands it files: its command line, the files dropped
// on its window, and where its settings go.
class DesktopTest : public QObject, WindowHarness
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startAfresh(); }

    void fileArgumentOpensAsOpen();
    void droppedScriptsOpenAsOpen_data();
    void droppedScriptsOpenAsOpen();
    void settingsStayInPlace();

private:
    QString copyOfData(const QString& name, const QString& as) const
    {
        const QString path = m_folder->filePath(as);
        if (!QFile::copy(QStringLiteral(STEPWRIGHT_TEST_DATA "/") + name, path))
            qFatal("cannot copy %s", qPrintable(name));
        return path;
    }
};

// A file named as a user types it, from the folder it lies in, opens as Open opens it.
void DesktopTest::fileArgumentOpensAsOpen()
{
    const QString path = copyOfData(u"unnumbered.scp"_s, u"given.scp"_s);
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_folder->path());
    const sw::CommandLine line = sw::readCommandLine({u"stepwright"_s, u"given.scp"_s});
    QDir::setCurrent(before);
    QCOMPARE(line.exitStatus, std::nullopt);
    QCOMPARE(line.file, path);
    click(u"cmdF2"_s); // an unsaved change, so the question comes first
    m_window->openFile(line.file);
    QCOMPARE(m_dialogs->questions.size(), 1);
    QCOMPARE(m_window->windowTitle(), BaseCaption + u" - given.scp"_s);
    QCOMPARE(m_window->settings().DefaultFile, m_folder->path());
}

void DesktopTest::droppedScriptsOpenAsOpen_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("files"); // names in the test's folder, or URLs
    QTest::addColumn<bool>("taken");

    QTest::newRow("script on the list") << u"lstScript"_s << QStringList{u"drop.SCP"_s} << true;
    QTest::newRow("script on a comment field")
        << u"txtINComm"_s << QStringList{u"drop.scp"_s} << true;
    QTest::newRow("other file") << u"txtINComm"_s << QStringList{u"drop.txt"_s} << false;
    QTest::newRow("two scripts") << u"lstScript"_s << QStringList{u"a.scp"_s, u"b.scp"_s} << false;
    QTest::newRow("remote script")
        << u"lstScript"_s << QStringList{u"https://example.org/drop.scp"_s} << false;
}

void DesktopTest::droppedScriptsOpenAsOpen()
{
    QFETCH(QString, target);
    QFETCH(QStringList, files);
    QFETCH(bool, taken);

    QList<QUrl> urls;
    for (const QString& file : files)
        urls << (file.contains(u':') ? QUrl(file)
                                     : QUrl::fromLocalFile(copyOfData(u"unnumbered.scp"_s, file)));
    QMimeData data;
    data.setUrls(urls);
    // File managers offer the paths as text too, which a field would paste.
    data.setText(files.join(u'\n'));
    QWidget* widget = find(target);
    const QPoint at = widget->rect().center();
    click(u"cmdF2"_s); // an unsaved change, so the question must come first

    // Shift proposes a move; the file manager must keep its file.
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    if (!taken)
        return;
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(at), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);

    QTRY_COMPARE(m_window->currentFilePath(), urls[0].toLocalFile());
    QCOMPARE(m_dialogs->questions.size(), 1);
    QCOMPARE(find<QLineEdit>(u"txtINComm"_s)->text(), QString());
    QVERIFY(QFileInfo::exists(urls[0].toLocalFile()));
}

void DesktopTest::settingsStayInPlace()
{
    // The desktop identity does not move the user's settings: a run with the user's own store,
    // in a home of the test's, leaves them where every earlier version kept them.
    m_window.reset();
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&before] { qputenv("XDG_CONFIG_HOME", before); });
    qputenv("XDG_CONFIG_HOME", m_folder->path().toLocal8Bit());
    sw::setApplicationIdentity();
    const QString path = m_folder->filePath(u"Stepwright/Stepwright.conf"_s);
    // Checked before the window writes anything, so a test never writes the user's own file.
    QCOMPARE(sw::openUserSettings()->fileName(), path);
    auto window = std::make_unique<sw::MainWindow>(std::make_unique<FakeDialogs>());
    window->show();
    QVERIFY(window->close());
    window.reset();
    QSettings stored(path, QSettings::IniFormat);
    QCOMPARE(stored.childGroups(), QStringList{u"Data"_s});
    QCOMPARE(stored.allKeys().size(), 3);
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
