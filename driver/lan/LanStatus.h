#pragma once
// The statuses the LAN driver returns besides those of the ABI header: VISA's for the resource and the link,
// and the instrument-driver codes for a wrong parameter and an identity that is not a Tarvex counter.

#include "TarvexAbi.h"

namespace lan
{
inline constexpr ViStatus kInvalidSession = static_cast<ViStatus>(0xBFFF000E);
inline constexpr ViStatus kResourceNotFound = static_cast<ViStatus>(0xBFFF0011);
inline constexpr ViStatus kInvalidResourceName = static_cast<ViStatus>(0xBFFF0012);
inline constexpr ViStatus kIoError = static_cast<ViStatus>(0xBFFF003E);
inline constexpr ViStatus kNotSupported = static_cast<ViStatus>(0xBFFF0067);
inline constexpr ViStatus kNullPointer = static_cast<ViStatus>(0xBFFF0071);
inline constexpr ViStatus kConnectionLost = static_cast<ViStatus>(0xBFFF00A6);
inline constexpr ViStatus kNotATarvexCounter = static_cast<ViStatus>(0xBFFC0011);
// Parameter n (1 the session) out of range or not sendable.
constexpr ViStatus ParameterError(int n)
{
    return static_cast<ViStatus>(0xBFFC0000 + n);
}
} // namespace lan
