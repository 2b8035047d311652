// Two rows of bench_table, measured inside one window process (offscreen), each against its
// baseline in alternating pairs: the Open of a full script against filling the same items into
// a bare QListWidget, and a Set with "(Start)" selected on a flow of 255 steps against one
// insert into a bare QListWidget holding as many items. A repaint is part of every figure.
#include "app/controls/app_style.h"
#include "app/window/main_window.h"
#include "bench_dialogs.h"
#include "bench_support.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <ctime>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int Pairs = 31;

// What a repaint after a change takes: the delayed item layout, then the paint itself.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The processor time of this thread: on a shared machine the time spent waiting for a
// processor would only measure the neighbours.
double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double timed(const std::function<void()>& work)
{
    const double start = threadSeconds();
    work();
    settle();
    return threadSeconds() - start;
}

// Median of the ratios editor / baseline over alternating pairs; prepare runs untimed first.
double pairedRatio(const std::function<void()>& prepareEditor, const std::function<void()>& editor,
                   const std::function<void()>& prepareBase, const std::function<void()>& base)
{
    return bench::pairedRatios(Pairs, [&](bool a) {
        (a ? prepareEditor : prepareBase)();
        settle();
        return std::vector<double>{timed(a ? editor : base)};
    })[0];
}

QStringList shownItems(QListView* list)
{
    QStringList items;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        items << list->model()->index(row, 0).data().toString();
    return items;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(new sw::WindowStyle);
    QTemporaryDir folder;
    const QString full = folder.filePath(u"full.scp"_s);
    const QString steps255 = folder.filePath(u"steps255.scp"_s);
    for (const auto& [path, steps] : {std::pair{full, 256}, std::pair{steps255, 255}}) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bench::fullScript(steps)) < 0)
            return 2;
    }

    keepOffUserData(folder.path());
    auto* dialogs = new BenchDialogs;
    dialogs->path = full;
    sw::MainWindow window(
        std::unique_ptr<sw::UserDialogs>(dialogs),
        std::make_unique<QSettings>(folder.filePath(u"settings.conf"_s), QSettings::IniFormat));
    window.show();
    auto* open = window.findChild<QAction*>(u"mnuOpen"_s);
    auto* flowList = window.findChild<QListView*>(u"lstScript"_s);
    auto* waitField = window.findChild<QLineEdit*>(u"txtWait"_s);
    auto* waitSet = window.findChild<QPushButton*>(u"cmdwait"_s);
    if (!open || !flowList || !waitField || !waitSet)
        return 2;

    QListWidget bare;
    bare.resize(flowList->size());
    bare.show();
    settle();

    open->trigger();
    const QStringList fullItems = shownItems(flowList);
    const double openRatio = pairedRatio([&] { dialogs->path = full; }, [&] { open->trigger(); },
                                         [&] { bare.clear(); }, [&] { bare.addItems(fullItems); });
    bench::printRow("Open of a full script vs filling a bare QListWidget", openRatio,
                    "<= 0.60x (keep)");

    dialogs->path = steps255;
    open->trigger();
    const QStringList items255 = shownItems(flowList);
    bare.clear();
    bare.addItems(items255);
    const double setRatio = pairedRatio(
        [&] {
            open->trigger(); // "(Start)" selected, no step added yet
            waitField->setText(u"100"_s);
        },
        [&] { waitSet->click(); },
        [&] {
            if (bare.count() > items255.size())
                delete bare.takeItem(2);
        },
        [&] { bare.insertItem(2, u"Wait , 100  //:(1)"_s); });
    bench::printRow("Set at (Start) on 255 steps vs one insert into a bare QListWidget", setRatio,
                    "<= 1.00x (keep)");
    if (flowList->model()->rowCount() != items255.size() + 2)
        std::fprintf(stderr, "unexpected: the Set added no step\n");
    return 0;
}
