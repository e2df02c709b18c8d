#include "controls/MemDC.h"

CMemDC::CMemDC(CDC* target) : m_target(target)
{
    m_memory = target->GetDeviceCaps(TECHNOLOGY) != DT_RASPRINTER;
    target->GetClipBox(&m_rect);
    if (!m_memory) {
        m_hDC = target->m_hDC;
        m_hAttribDC = target->m_hAttribDC;
        return;
    }
    CreateCompatibleDC(target);
    m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height());
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
}

CMemDC::~CMemDC()
{
    if (!m_memory) {
        // The handles are the target's: they are not ours to delete.
        m_hDC = nullptr;
        m_hAttribDC = nullptr;
        return;
    }
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_oldBitmap);
}
