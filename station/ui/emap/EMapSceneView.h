// CEMapSceneView: a scrolling view that shows one scene on its canvas, the run view's and the
// editor's common part.
#pragma once

#include <afxext.h>

#include "station/ui/emap/DlgEMapCanvas.h"

class CVuskEMapTerm;

class CEMapSceneView : public CFormView {
public:
    CEMapSceneView(UINT templateId, int editMode);

    // Creates the child view (id 0xE901) and runs its update.
    BOOL CreateView(CWnd* parent, DWORD style);
    // 1 when shown or already current, 0 when its picture cannot be loaded (the view stays cleared).
    int ShowScene(CVuskEMapTerm* scene);
    // The canvas is emptied and as large as the client area; no scene is current.
    virtual void ClearScene();

    CDlgEMapCanvas m_canvas;
    CVuskEMapTerm* m_pScene;

protected:
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
