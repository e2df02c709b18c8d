// A device context that draws into a bitmap of the target's clip box and copies it onto the target
// when it goes, so that a control repaints without flicker. On a printer it draws straight into the
// target.
#pragma once

#include <afxwin.h>

class CMemDC : public CDC {
public:
    explicit CMemDC(CDC* target);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    BOOL IsMemory() const { return m_memory; }

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_target;
    CRect m_rect;
    BOOL m_memory;
};
