#include "app/app_identity.h"
#include "app/app_style.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "files/size_limit_signal.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    sw::reportFileSizeLimitAsError();
    sw::setApplicationIdentity();
    const sw::CommandLine line = sw::readCommandLine(argc, argv);
    if (line.exitStatus)
        return *line.exitStatus;
    QApplication app(argc, argv);
    // One look everywhere, and one that honours the window's colours.
    QApplication::setStyle(new sw::WindowStyle);
    sw::MainWindow window;
    window.endOnTerminationSignals();
    window.show();
    // Once the window is up, so a message about the file stands over it.
    if (!line.file.isEmpty())
        QMetaObject::invokeMethod(
            &window, [&window, &line] { window.openFile(line.file); }, Qt::QueuedConnection);
    return QApplication::exec();
}
