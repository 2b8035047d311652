#include "app/app_style.h"
#include "app/main_window.h"
#include "files/size_limit_signal.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    sw::reportFileSizeLimitAsError();
    QApplication app(argc, argv);
    // One look everywhere, and one that honours the window's colours.
    QApplication::setStyle(new sw::WindowStyle);
    sw::MainWindow window;
    window.show();
    return QApplication::exec();
}
