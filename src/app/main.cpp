#include "app/app_style.h"
#include "app/main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // One look everywhere, and one that honours the window's colours.
    QApplication::setStyle(new sw::WindowStyle);
    sw::MainWindow window;
    window.endOnTerminationSignals();
    window.show();
    return QApplication::exec();
}
