#pragma once
// The one stream of readings: the panel publishes each reading it shows, once; every subscribed sink gets
// it, in the order of subscription. Without a subscriber a publication only checks that there is none.
// Sinks may subscribe and unsubscribe at any time, also while a reading is being delivered (a sink that
// shows a message box lets timers run): one unsubscribed then gets nothing more, one subscribed then gets
// the next reading.

#include "Reading.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace readings
{
class IReadingSink;

class CReadingStream
{
public:
    CReadingStream() = default;
    CReadingStream(const CReadingStream&) = delete;
    CReadingStream& operator=(const CReadingStream&) = delete;

    // Subscribing a sink twice delivers to it once; unsubscribing one that is not subscribed does nothing.
    void Subscribe(IReadingSink* pSink);
    void Unsubscribe(IReadingSink* pSink);
    bool HasSubscribers() const;

    // A reading shown now, stamped with the current UTC time to the millisecond. An empty text records a
    // measurement that failed: a row with an empty reading in the log, a gap in the Readings window.
    void Publish(int nChannel, std::optional<EMeasureFunction> function, std::string_view label,
                 std::string_view text, std::string_view unit, bool bLive);

private:
    std::vector<IReadingSink*> m_apSinks; // null where a sink left during a delivery
    int m_nDeliveries = 0;                // deliveries in progress (a sink may publish again)
};
} // namespace readings
