#pragma once
// The numbers of the VXI-11 protocol beside its RPC definition (vxi11.x): error codes, operation flags and
// the reasons a read ends.

namespace vxi11
{
enum EError : long
{
    kNoError = 0,
    kSyntaxError = 1,
    kDeviceNotAccessible = 3,
    kInvalidLink = 4,
    kParameterError = 5,
    kNotSupported = 8,
    kOutOfResources = 9,
    kIoTimeout = 15,
    kIoError = 17,
    kAbort = 23,
};

enum EFlag : long
{
    kWaitLock = 0x01,
    kEnd = 0x08,         // device_write: the data end a message
    kTermCharSet = 0x80, // device_read: termChar ends the read
};

enum EReason : long
{
    kRequestCount = 0x01, // the requested size was read
    kCharacter = 0x02,    // the termination character was read
    kEndOfMessage = 0x04, // the message ended
};
} // namespace vxi11
