#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
constexpr int kSignals[] = {SIGTERM, SIGINT};
// The handler writes into the first socket, the event loop reads the second.
int s_anSockets[2] = {-1, -1};

void OnTerminationSignal(int)
{
    const char cSignalled = 1;
    [[maybe_unused]] const ssize_t nWritten = write(s_anSockets[0], &cSignalled, 1);
}

void SetHandler(void (*pfnHandler)(int), int nFlags)
{
    struct sigaction action = {};
    action.sa_handler = pfnHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = nFlags;
    for (const int nSignal : kSignals)
        sigaction(nSignal, &action, nullptr);
}
} // namespace

CTerminationSignals::CTerminationSignals()
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_anSockets) == 0)
    {
        // Reset to the default by the first signal, so that the second one terminates.
        SetHandler(&OnTerminationSignal, SA_RESTART | SA_RESETHAND);
    }
}

CTerminationSignals::~CTerminationSignals()
{
    SetHandler(SIG_DFL, 0);
    m_pNotifier.reset();
    for (int& nSocket : s_anSockets)
    {
        if (nSocket >= 0)
            close(nSocket);
        nSocket = -1;
    }
}

void CTerminationSignals::Connect(std::function<void()> onSignal)
{
    if (s_anSockets[1] < 0)
        return;
    m_pNotifier = std::make_unique<QSocketNotifier>(s_anSockets[1], QSocketNotifier::Read);
    QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated, m_pNotifier.get(),
                     [onSignal = std::move(onSignal)]
                     {
                         char cSignalled = 0;
                         if (read(s_anSockets[1], &cSignalled, 1) == 1)
                             onSignal();
                     });
}
