#pragma once

#include <QStringList>

// The entries of the panels' drop-down lists, in the order the lists hold them. Loading a step
// back into its panel selects entries by these positions, so the order is part of the format.
namespace sw::choices {

const QStringList& flowModes();       // "Normal mode", "Error mode"
const QStringList& inputPorts();      // IN0 to IN4
const QStringList& outputPorts();     // OUT0 to OUT4
const QStringList& levels();          // "ON", "OFF"
const QStringList& deviceFunctions(); // "EPR", "Program", "Erase", "Copy", "Blank", "Read"
const QStringList& probes();          // "TargetProbe1", "TargetProbe2", "ProbeSelect"

} // namespace sw::choices
