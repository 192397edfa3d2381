#pragma once
// SIGTERM and SIGINT end the program the way closing its window does, from the event loop: the signal
// handler only writes a byte into a socket that the loop watches, and the loop runs the connected action.
// A signal that arrives before the action is connected waits in the socket. A second signal terminates at
// once, for a program that no longer reaches its event loop. One object at a time.

#include <functional>
#include <memory>

class QSocketNotifier;

class CTerminationSignals
{
public:
    CTerminationSignals();
    ~CTerminationSignals();
    CTerminationSignals(const CTerminationSignals&) = delete;
    CTerminationSignals& operator=(const CTerminationSignals&) = delete;

    void Connect(std::function<void()> onSignal);

private:
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};
