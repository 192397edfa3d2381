#pragma once
// The CSV form of readings, shared by the log and by saving the Readings window: RFC 4180 (fields with a
// comma, a double quote or a line break quoted, quotes doubled, CRLF after each row), the time in ISO 8601
// UTC with milliseconds, numbers with a point whatever the locale.

#include "Reading.h"

#include <string>
#include <string_view>

namespace readings
{
// The header row, CRLF included.
const std::string& CsvHeader();

// One row: time, channel, function, reading (the text as shown; empty for a measurement that failed),
// value (empty when the text is no number, otherwise the shortest text that reads back as the same
// double), unit, live ("yes" or "no").
std::string CsvRow(const SReading& reading);

// A field as RFC 4180 writes it.
std::string CsvField(std::string_view text);

// "2024-05-01T12:34:56.789Z".
std::string IsoUtcTime(TReadingTime time);
} // namespace readings
