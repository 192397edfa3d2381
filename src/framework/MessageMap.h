#pragma once
// Static message maps: one table per class of {notification, control or command id, member handler}.

#include "WinTypes.h"

template <class T> struct SMessageEntry
{
    ENotification nCode;
    int nId;
    void (T::*pfnHandler)();
};
