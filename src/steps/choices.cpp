#include "steps/choices.h"

using namespace Qt::StringLiterals;

namespace sw::choices {

namespace {
QStringList numbered(const QString& prefix)
{
    QStringList entries;
    for (int i = 0; i <= 4; ++i)
        entries << prefix + QString::number(i);
    return entries;
}
} // namespace

const QStringList& flowModes()
{
    static const QStringList entries{u"Normal mode"_s, u"Error mode"_s};
    return entries;
}

const QStringList& inputPorts()
{
    static const QStringList entries = numbered(u"IN"_s);
    return entries;
}

const QStringList& outputPorts()
{
    static const QStringList entries = numbered(u"OUT"_s);
    return entries;
}

const QStringList& levels()
{
    static const QStringList entries{u"ON"_s, u"OFF"_s};
    return entries;
}

const QStringList& deviceFunctions()
{
    static const QStringList entries{u"EPR"_s,  u"Program"_s, u"Erase"_s,
                                     u"Copy"_s, u"Blank"_s,   u"Read"_s};
    return entries;
}

const QStringList& probes()
{
    static const QStringList entries{u"TargetProbe1"_s, u"TargetProbe2"_s, u"ProbeSelect"_s};
    return entries;
}

} // namespace sw::choices
