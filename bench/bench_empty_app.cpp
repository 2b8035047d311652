// The least a Qt command-line program costs: bench_table's baseline for one check.
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return 0;
}
