#include "app/desktop/termination_signals.h"

// A Windows program with a window is asked to end through the session (WM_QUERYENDSESSION),
// which Qt delivers as commitDataRequest and the window answers there; there are no signals to
// turn into a request.
namespace sw {

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

} // namespace sw
