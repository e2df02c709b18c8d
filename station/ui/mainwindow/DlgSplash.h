// CDlgSplash: the start picture "backpic.bmp" of the start directory, shown for about two seconds
// before the main dialog (dialog 244).
#pragma once

#include <afxwin.h>

#include "resources/warden/resource.h"

// Loads "<start directory>\backpic.bmp" as a bitmap; null when it cannot be read.
HBITMAP LoadSplashPicture(LPCSTR startDir);

class CDlgSplash : public CDialog {
public:
    enum { IDD = IDD_SPLASH };
    explicit CDlgSplash(CWnd* pParent = nullptr);

    int m_tickCount;
    int m_pictureHeight;
    int m_pictureWidth;
    HBITMAP m_picture;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
