#pragma once
// An answer buffer of the ABI's size, followed by bytes the driver must never write: poisoned under
// AddressSanitizer, which reports a write there at once, and checked afterwards in every build.

#include "TarvexAbi.h"

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace lantest
{
class CAnswerBuffer
{
public:
    static constexpr size_t kGuardSize = 64;
    static constexpr char kFill = '#';

    CAnswerBuffer() : m_bytes(TARVEX_BUFFER_SIZE + kGuardSize, kFill)
    {
        ASAN_POISON_MEMORY_REGION(m_bytes.data() + TARVEX_BUFFER_SIZE, kGuardSize);
    }
    ~CAnswerBuffer() { ASAN_UNPOISON_MEMORY_REGION(m_bytes.data() + TARVEX_BUFFER_SIZE, kGuardSize); }
    CAnswerBuffer(const CAnswerBuffer&) = delete;
    CAnswerBuffer& operator=(const CAnswerBuffer&) = delete;

    char* Data() { return m_bytes.data(); }
    // The text up to its NUL; none when the buffer holds no NUL.
    std::optional<std::string> Text() const
    {
        const char* pEnd = static_cast<const char*>(std::memchr(m_bytes.data(), '\0', TARVEX_BUFFER_SIZE));
        return pEnd ? std::optional<std::string>(std::string(m_bytes.data(), pEnd)) : std::nullopt;
    }
    bool IsUntouched() const
    {
        return std::all_of(
            m_bytes.begin(), m_bytes.begin() + TARVEX_BUFFER_SIZE, [](char c) { return c == kFill; });
    }
    bool IsGuardIntact()
    {
        ASAN_UNPOISON_MEMORY_REGION(m_bytes.data() + TARVEX_BUFFER_SIZE, kGuardSize);
        const bool bIntact = std::all_of(m_bytes.begin() + TARVEX_BUFFER_SIZE, m_bytes.end(),
                                         [](char c) { return c == kFill; });
        ASAN_POISON_MEMORY_REGION(m_bytes.data() + TARVEX_BUFFER_SIZE, kGuardSize);
        return bIntact;
    }

private:
    std::vector<char> m_bytes;
};
} // namespace lantest
