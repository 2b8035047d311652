#include "app/controls/key_table.h"

#include <QFile>

using namespace Qt::StringLiterals;

// Resources of a static library need their initialiser called by name, outside any namespace.
static void initKeys()
{
    Q_INIT_RESOURCE(keys);
}

namespace sw {

QList<KeyRow> keyTable()
{
    initKeys();
    QFile file(u":/text/keys.tsv"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<KeyRow> rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList columns = line.split(u'\t');
        if (columns.size() == 3 && !line.startsWith(u'#'))
            rows.append({columns[0], columns[1], columns[2]});
    }
    return rows;
}

} // namespace sw
