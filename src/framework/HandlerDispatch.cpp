#include "HandlerDispatch.h"

#include <QtGlobal>

namespace framework
{
void LogEscapedException(const char* what)
{
    qWarning("An exception escaped a handler and was dropped: %s", what ? what : "");
}
} // namespace framework
