#include "app/controls/app_style.h"
#include "app/desktop/app_identity.h"
#include "app/desktop/command_line.h"
#include "app/window/main_window.h"
#include "files/size_limit_signal.h"
#include "files/standard_streams.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before anything opens a file or the display connection, which would take a closed one's
    // number.
    sw::occupyClosedStandardDescriptors();
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
    // Opened once the window is up and the start-up question answered, so a message about the
    // file stands over the window and never inside that question.
    if (!line.file.isEmpty())
        window.openAtStart(line.file, line.nativeFile);
    return QApplication::exec();
}
