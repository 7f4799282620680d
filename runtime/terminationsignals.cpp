#include "runtime/terminationsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <iterator>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = { SIGTERM, SIGHUP, SIGINT };
int g_sockets[2] = { -1, -1 }; // the handler writes to [0], the event loop reads [1]
// Each signal's action as it was found, for those the watcher took over.
struct sigaction g_found[std::size(kSignals)];
bool g_taken[std::size(kSignals)] = {};

void writeSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &byte, 1); // full: one is on its way
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT(g_sockets[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_sockets) != 0) {
        qWarning("Zandrel cannot watch for the end of the session: %s", qPrintable(qt_error_string(errno)));
        return;
    }
    ::fcntl(g_sockets[0], F_SETFL, O_NONBLOCK); // the handler never waits
    m_notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);

    struct sigaction action {};
    action.sa_handler = writeSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        // A signal ignored from the start stays ignored, as under nohup.
        g_taken[i] = ::sigaction(kSignals[i], nullptr, &g_found[i]) == 0 && g_found[i].sa_handler != SIG_IGN
            && ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (g_taken[i])
            ::sigaction(kSignals[i], &g_found[i], nullptr);
        g_taken[i] = false;
    }
    delete m_notifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    if (::read(g_sockets[1], &byte, 1) == 1)
        emit received(byte);
}
