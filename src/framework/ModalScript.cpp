#include "ModalScript.h"

#include <deque>

namespace
{
std::deque<ModalScript>& Queue()
{
    static std::deque<ModalScript> s_queue;
    return s_queue;
}
} // namespace

void QueueModalScript(ModalScript script)
{
    Queue().push_back(std::move(script));
}

bool HasQueuedModalScript()
{
    return !Queue().empty();
}

void ClearModalScripts()
{
    Queue().clear();
}

ModalScript TakeModalScript()
{
    if (Queue().empty())
        return {};
    ModalScript script = std::move(Queue().front());
    Queue().pop_front();
    return script;
}
