#include "AccessibleText.h"

void CAccessibleText::selection(int /*nSelection*/, int* pnStart, int* pnEnd) const
{
    *pnStart = 0;
    *pnEnd = 0;
}

QString CAccessibleText::text(int nStart, int nEnd) const
{
    return m_face.AccessibleValue().mid(nStart, nEnd - nStart);
}

int CAccessibleText::characterCount() const
{
    return static_cast<int>(m_face.AccessibleValue().size());
}

QString CAccessibleText::attributes(int /*nOffset*/, int* pnStart, int* pnEnd) const
{
    // One run without attributes over the whole text.
    *pnStart = 0;
    *pnEnd = characterCount();
    return {};
}
