#include "HandlerDispatch.h"

#include <QtGlobal>

void LogEscapedException(const char* what)
{
    qWarning("An exception escaped a handler and was dropped: %s", what ? what : "");
}
