// CEMapLink: a link on a scene's map to one of its child scenes, shown as the child's name.
#pragma once

#include "station/ui/emap/EMapItemWnd.h"

class CVuskEMapTerm;

class CEMapLink : public CEMapItemWnd {
public:
    CEMapLink();

    BOOL Create(CDlgEMapCanvas* canvas, CVuskEMapTerm* scene);
    // Caption and window text; the window becomes 8 pixels per byte of it plus 4 wide, 20 high.
    virtual void SetCaption(LPCSTR caption);

    CVuskEMapTerm* m_pScene;

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
