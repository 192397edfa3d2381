#pragma once
// Runs a message handler or timer tick so that no exception ever crosses the Qt event loop: a
// CUserException that escapes is discarded without a message, as the original framework did; any other
// exception is logged and dropped.

#include "base/UserException.h"

#include <exception>
#include <utility>

void LogEscapedException(const char* what);

template <class F> void DispatchHandler(F&& handler) noexcept
{
    try
    {
        std::forward<F>(handler)();
    }
    catch (const CUserException&)
    {
    }
    catch (const std::exception& e)
    {
        LogEscapedException(e.what());
    }
    catch (...)
    {
        LogEscapedException("unknown exception");
    }
}
