// The per-thread state of the window half, and the deletion of temporary wrapper objects.
#include "afxwin.h"
#include "afxcmn.h"
#include "framework/WinThreadState.h"

namespace {

// Frees the state when the thread ends. Objects destroyed later (globals at exit) that still ask
// for it get a fresh one instead of a destroyed one.
struct StateOwner {
    AfxWinThreadState* state = nullptr;
    ~StateOwner()
    {
        delete state;
        state = nullptr;
    }
};

thread_local StateOwner owner;

} // namespace

AfxWinThreadState* AfxGetWinThreadState()
{
    if (owner.state == nullptr)
        owner.state = new AfxWinThreadState;
    return owner.state;
}

void AfxDeleteTemporaryObjects(AfxWinThreadState* state)
{
    state->windows.DeleteTemporaries<&CWnd::m_hWnd>();
    state->menus.DeleteTemporaries<&CMenu::m_hMenu>();
    state->dcs.DeleteTemporaries([](CDC* p) {
        p->m_hDC = p->m_hAttribDC = nullptr;
        delete p;
    });
    state->gdiObjects.DeleteTemporaries<&CGdiObject::m_hObject>();
    state->imageLists.DeleteTemporaries<&CImageList::m_hImageList>();
}

AfxWinThreadState::~AfxWinThreadState()
{
    AfxDeleteTemporaryObjects(this);
}
