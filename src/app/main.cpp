#include <QApplication>
#include <QMainWindow>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(u"KT615 Stepwright   V1.02"_s);
    window.resize(938, 730);
    window.show();
    return QApplication::exec();
}
