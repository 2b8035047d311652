#pragma once

#include <QList>
#include <QString>

// The window's keys, as the Keys dialog shows them. The table is data/keys.tsv, built into the
// program; the manual page and the README's table come from the same file.
namespace sw {

struct KeyRow
{
    QString keys;
    QString where;
    QString what;
};

QList<KeyRow> keyTable();

} // namespace sw
