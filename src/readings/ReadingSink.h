#pragma once
// Whatever wants the readings (the CSV log, the Readings window) subscribes to the stream as a sink.

namespace readings
{
struct SReading;

class IReadingSink
{
public:
    virtual ~IReadingSink() = default;
    virtual void OnReading(const SReading& reading) = 0;
};
} // namespace readings
