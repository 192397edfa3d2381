#pragma once
// A zero-filled character buffer handed to a driver entry point: at least the driver's 256 characters,
// for an answer or for a writable copy of a text sent to the driver. An answer is read as ending at the
// last of those 256 bytes at the latest, whether or not the driver terminated it.

#include <string>
#include <vector>

class CDriverBuffer
{
public:
    CDriverBuffer();
    explicit CDriverBuffer(const std::string& text);

    char* Data() { return m_vecData.data(); }
    std::string Answer();

private:
    std::vector<char> m_vecData;
};
