#include "app/main_window.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // One look everywhere, and one that honours the window's colours.
    QApplication::setStyle(u"Fusion"_s);
    sw::MainWindow window;
    window.show();
    return QApplication::exec();
}
