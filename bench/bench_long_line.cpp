// Prints how the window copes with a script that holds one very long line (a comment of some
// megabytes, which the reader accepts): opening it until the list is painted, and each arrow
// key in the list with its repaint. The baseline is the same script with that line at an
// ordinary length, measured in the same run, alternately; figures are medians.
//   bench_long_line [MEGABYTES] [ROUNDS]        (default 10 and 3)
#include "app/window/main_window.h"
#include "bench_dialogs.h"
#include "bench_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A script of ten steps with a comment line of the given length after the first.
QString writeScript(const QString& path, qsizetype commentLength)
{
    QByteArray text = "(Start)\r\nWait , 1  //:(1)\r\n// "_ba;
    const QByteArray words = "a comment that goes on "_ba;
    while (text.size() < commentLength)
        text += words;
    text += "\r\n"_ba;
    for (int step = 2; step <= 10; ++step)
        text +=
            "Wait , " + QByteArray::number(step) + "  //:(" + QByteArray::number(step) + ")\r\n";
    text += "(End)\r\n-\r\n(Start)\r\n(End)\r\n-\r\n"_ba;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

struct Figures
{
    double openMs = 0;
    double keyMs = 0;
};

Figures measure(sw::MainWindow& window, BenchDialogs& dialogs, const QString& path)
{
    auto* list = window.findChild<QListView*>(u"lstScript"_s);
    dialogs.path = path;
    QElapsedTimer timer;
    timer.start();
    window.menu().mnuOpen->trigger();
    list->viewport()->repaint();
    Figures figures;
    figures.openMs = double(timer.nsecsElapsed()) / 1e6;

    // Down onto the first step, the comment line and back, with the list repainted each time.
    list->setFocus();
    const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up};
    timer.restart();
    for (const Qt::Key key : keys) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        list->viewport()->repaint();
    }
    figures.keyMs = double(timer.nsecsElapsed()) / 1e6 / std::size(keys);
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const double megabytes = args.size() > 1 ? args[1].toDouble() : 10;
    const int rounds = args.size() > 2 ? args[2].toInt() : 3;

    QTemporaryDir folder;
    const QString longScript =
        writeScript(folder.filePath(u"long.scp"_s), qsizetype(megabytes * 1024 * 1024));
    const QString shortScript = writeScript(folder.filePath(u"short.scp"_s), 80);

    keepOffUserData(folder.path());
    auto dialogs = std::make_unique<BenchDialogs>();
    BenchDialogs& answers = *dialogs;
    sw::MainWindow window(
        std::move(dialogs),
        std::make_unique<QSettings>(folder.filePath(u"settings.conf"_s), QSettings::IniFormat));
    window.show();
    QApplication::processEvents();

    std::vector<double> openLong, openShort, keyLong, keyShort;
    for (int round = 0; round < rounds; ++round) {
        const Figures base = measure(window, answers, shortScript);
        const Figures with = measure(window, answers, longScript);
        openShort.push_back(base.openMs);
        keyShort.push_back(base.keyMs);
        openLong.push_back(with.openMs);
        keyLong.push_back(with.keyMs);
    }
    std::printf("%-40s %12s %12s %8s\n", "measure", "long line", "baseline", "ratio");
    const auto row = [](const char* what, double withLine, double base) {
        std::printf("%-40s %9.2f ms %9.2f ms %7.1fx\n", what, withLine, base, withLine / base);
    };
    std::printf("(a comment line of %.1f MB; medians of %d rounds)\n", megabytes, rounds);
    row("open, until the list is painted", bench::median(openLong), bench::median(openShort));
    row("arrow key in the list, with repaint", bench::median(keyLong), bench::median(keyShort));
    return 0;
}
