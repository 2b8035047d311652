// One start of a window, for bench_table: "editor" starts the editor's window as the program
// does, "bare W H" a plain QMainWindow of that size, "label W H" the same with one short label:
// what any window with text pays for its fonts. The process ends as soon as the window's
// first paint is done, so its run time is start-up to first paint. "editor --size" prints the
// size the editor's window takes, for the bare window to match.
#include "app/controls/app_style.h"
#include "app/desktop/app_identity.h"
#include "app/window/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Ends the process once the paint that the first Paint event belongs to is flushed.
class FirstPaintExit : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(
                this, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    const bool editor = argc >= 2 && std::strcmp(argv[1], "editor") == 0;
    const bool label = argc >= 4 && std::strcmp(argv[1], "label") == 0;
    const bool bare = argc >= 4 && (label || std::strcmp(argv[1], "bare") == 0);
    if (!editor && !bare) {
        std::fputs("usage: bench_window editor [--size] | bare|label WIDTH HEIGHT\n", stderr);
        return 2;
    }
    if (editor)
        sw::setApplicationIdentity();
    QApplication app(argc, argv);
    std::unique_ptr<QMainWindow> window;
    if (editor) {
        QApplication::setStyle(new sw::WindowStyle);
        window = std::make_unique<sw::MainWindow>();
        if (argc >= 3 && std::strcmp(argv[2], "--size") == 0) {
            std::printf("%d %d\n", window->width(), window->height());
            return 0;
        }
    } else {
        window = std::make_unique<QMainWindow>();
        window->resize(std::atoi(argv[2]), std::atoi(argv[3]));
        if (label)
            (new QLabel(QStringLiteral("Normal"), window.get()))->move(10, 40);
    }
    FirstPaintExit exitAtPaint;
    window->installEventFilter(&exitAtPaint);
    window->show();
    return QApplication::exec();
}
