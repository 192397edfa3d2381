#include "DriverBuffer.h"

#include "TarvexAbi.h"

#include <algorithm>
#include <cstring>

CDriverBuffer::CDriverBuffer() : m_vecData(kRoom, '\0') {}

CDriverBuffer::CDriverBuffer(const std::string& text) : m_vecData(std::max(kRoom, text.size() + 1), '\0')
{
    std::copy(text.begin(), text.end(), m_vecData.begin());
}

std::string CDriverBuffer::Answer() const
{
    return std::string(m_vecData.data(), strnlen(m_vecData.data(), TARVEX_BUFFER_SIZE - 1));
}
