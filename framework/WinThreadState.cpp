// The per-thread state of the window half, and the deletion of temporary wrapper objects.
#include "afxwin.h"
#include "afxcmn.h"
#include "WinThreadState.h"

AfxWinThreadState* AfxGetWinThreadState()
{
    static thread_local AfxWinThreadState state;
    return &state;
}

void AfxDeleteTemporaryObjects(AfxWinThreadState* state)
{
    state->windows.DeleteTemporaries([](CWnd* p) {
        p->m_hWnd = nullptr;
        delete p;
    });
    state->menus.DeleteTemporaries([](CMenu* p) {
        p->m_hMenu = nullptr;
        delete p;
    });
    state->dcs.DeleteTemporaries([](CDC* p) {
        p->m_hDC = p->m_hAttribDC = nullptr;
        delete p;
    });
    state->gdiObjects.DeleteTemporaries([](CGdiObject* p) {
        p->m_hObject = nullptr;
        delete p;
    });
    state->imageLists.DeleteTemporaries([](CImageList* p) {
        p->m_hImageList = nullptr;
        delete p;
    });
}

AfxWinThreadState::~AfxWinThreadState() { AfxDeleteTemporaryObjects(this); }
