#pragma once
// The framework's user exception: raised after a failure has been recorded, caught by the handler that can
// report it, and silently discarded by the dispatch when nobody catches it.

class CUserException
{
};

[[noreturn]] inline void ThrowUserException()
{
    throw CUserException();
}
