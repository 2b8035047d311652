#include "files/native_arguments.h"

#include <QFile>

namespace sw {

QList<QByteArray> nativeArguments(const QStringList& names, int argc, char** argv)
{
    QList<QByteArray> native;
    for (int i = 1; i < argc && native.size() < names.size(); ++i) {
        if (QFile::decodeName(argv[i]) == names[native.size()])
            native << QByteArray(argv[i]);
    }
    return native;
}

} // namespace sw
