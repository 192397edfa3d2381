#pragma once
// A zero-filled character buffer handed to a driver entry point, for an answer or for a writable copy of a
// text sent to the driver. The contract gives the driver 256 characters; the buffer has generous room
// beyond them, so that a driver that writes past its 256 does not overrun our memory. An answer is still
// read as ending at the last of those 256 bytes at the latest, whether or not the driver terminated it.

#include <cstddef>
#include <string>
#include <vector>

class CDriverBuffer
{
public:
    static constexpr std::size_t kRoom = 4096;

    CDriverBuffer();
    explicit CDriverBuffer(const std::string& text);

    char* Data() { return m_vecData.data(); }
    std::string Answer() const;

private:
    std::vector<char> m_vecData;
};
