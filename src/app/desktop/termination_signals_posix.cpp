#include "app/desktop/termination_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

// The handler may do almost nothing safely: it writes one byte into a socket pair, and the
// event loop, watching the other end, emits the signal.
namespace sw {

namespace {

constexpr std::array Requests{SIGTERM, SIGHUP, SIGINT};
int ends[2] = {-1, -1}; // written by the handler, read by the notifier
std::array<struct sigaction, Requests.size()> former{};

void onRequest(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full socket already holds a request that has not been read yet.
    [[maybe_unused]] const ssize_t written = ::write(ends[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;
    m_notifier = new QSocketNotifier(ends[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(ends[1], bytes, sizeof bytes) > 0) {
        }
        Q_EMIT terminationRequested();
    });
    struct sigaction action = {};
    action.sa_handler = onRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Requests.size(); ++i)
        ::sigaction(Requests[i], &action, &former[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (ends[0] < 0)
        return;
    // The notifier goes before the socket it watches.
    delete m_notifier;
    for (std::size_t i = 0; i < Requests.size(); ++i)
        ::sigaction(Requests[i], &former[i], nullptr);
    ::close(ends[0]);
    ::close(ends[1]);
    ends[0] = ends[1] = -1;
}

} // namespace sw
