#include "station/ui/emap/EMapSceneView.h"

#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/ui/emap/EMapMessages.h"

BEGIN_MESSAGE_MAP(CEMapSceneView, CFormView)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CEMapSceneView::CEMapSceneView(UINT templateId, int editMode)
    : CFormView(templateId), m_canvas(editMode), m_pScene(nullptr)
{
}

BOOL CEMapSceneView::CreateView(CWnd* parent, DWORD style)
{
    if (!Create(nullptr, nullptr, style, CRect(0, 0, 0, 0), parent, kEMapViewId))
        return FALSE;
    OnInitialUpdate();
    return TRUE;
}

void CEMapSceneView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (m_canvas.m_hWnd == nullptr)
        m_canvas.Create(CDlgEMapCanvas::IDD, this);
    ClearScene();
}

void CEMapSceneView::ClearScene()
{
    CRect client;
    GetClientRect(&client);
    if (m_canvas.m_hWnd != nullptr) {
        m_canvas.Clear();
        m_canvas.MoveWindow(0, 0, client.Width(), client.Height());
    }
    SetScrollSizes(MM_TEXT, client.Size());
    m_pScene = nullptr;
}

int CEMapSceneView::ShowScene(CVuskEMapTerm* scene)
{
    if (scene != nullptr && scene == m_pScene)
        return 1;
    ClearScene();
    if (scene == nullptr || scene->m_mapPath.IsEmpty())
        return 0;
    // The canvas reads the picture (once) and takes its size; the view scrolls over it.
    if (!m_canvas.LoadScene(scene))
        return 0;
    SetScrollSizes(MM_TEXT, CSize(m_canvas.m_pictureWidth, m_canvas.m_pictureHeight));
    m_canvas.MoveWindow(0, 0, m_canvas.m_pictureWidth, m_canvas.m_pictureHeight);
    m_pScene = scene;
    return 1;
}

void CEMapSceneView::OnDestroy()
{
    ClearScene();
    CFormView::OnDestroy();
}
