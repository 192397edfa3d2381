#include "instrument/DriverBuffer.h"

#include "instrument/abi/TarvexAbi.h"

#include <algorithm>
#include <cstring>

CDriverBuffer::CDriverBuffer() : m_vecData(TARVEX_BUFFER_SIZE, '\0') {}

CDriverBuffer::CDriverBuffer(const std::string& text)
    : m_vecData(std::max<std::size_t>(TARVEX_BUFFER_SIZE, text.size() + 1), '\0')
{
    std::copy(text.begin(), text.end(), m_vecData.begin());
}

std::string CDriverBuffer::Answer()
{
    m_vecData[TARVEX_BUFFER_SIZE - 1] = '\0';
    return std::string(m_vecData.data(), strnlen(m_vecData.data(), TARVEX_BUFFER_SIZE - 1));
}
