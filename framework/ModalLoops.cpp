// The modal loops of a thread: which run inside which, ending them from outside, and messages held
// until they have returned.
#include "afxwin.h"
#include "framework/WinThreadState.h"

#include <algorithm>

namespace {

// The index of the first loop inside pWnd's: after pWnd's own, or 0 when pWnd runs none.
size_t FirstLoopInside(const AfxWinThreadState* state, CWnd* pWnd)
{
    const std::vector<CWnd*>& loops = state->modalLoops;
    auto own = std::find(loops.begin(), loops.end(), pWnd);
    return own == loops.end() ? 0 : (size_t)(own - loops.begin()) + 1;
}

bool LoopsRunInside(const AfxWinThreadState* state, HWND hWnd)
{
    if (state->nSystemModal > 0)
        return true;
    CWnd* pWnd = state->windows.LookupPermanent(hWnd);
    return FirstLoopInside(state, pWnd) < state->modalLoops.size();
}

// Posts the held messages whose windows no longer wait for a loop inside theirs.
void ReleaseHeldMessages(AfxWinThreadState* state)
{
    std::vector<AfxWinThreadState::HeldMessage>& held = state->heldMessages;
    for (size_t i = 0; i < held.size();) {
        if (LoopsRunInside(state, held[i].hWnd)) {
            ++i;
            continue;
        }
        AfxWinThreadState::HeldMessage message = held[i];
        held.erase(held.begin() + (ptrdiff_t)i);
        ::PostMessageA(message.hWnd, message.message, message.wParam, message.lParam);
    }
}

} // namespace

void AfxModalLoopStarted(CWnd* pWnd)
{
    AfxGetWinThreadState()->modalLoops.push_back(pWnd);
}

void AfxModalLoopEnded(CWnd* pWnd)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    std::vector<CWnd*>& loops = state->modalLoops;
    auto own = std::find(loops.rbegin(), loops.rend(), pWnd);
    if (own != loops.rend())
        loops.erase(std::next(own).base());
    ReleaseHeldMessages(state);
}

int AFXAPI AfxEndModalLoopsInside(CWnd* pWnd, int nResult)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    size_t first = FirstLoopInside(state, pWnd);
    int ended = 0;
    for (size_t i = state->modalLoops.size(); i > first; --i) {
        CWnd* inner = state->modalLoops[i - 1];
        if (inner->ContinueModal())
            inner->EndModalLoop(nResult);
        ++ended;
    }
    return ended;
}

BOOL AFXAPI AfxPostAfterModalLoops(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == nullptr || !LoopsRunInside(state, hWnd))
        return FALSE;
    state->heldMessages.push_back({hWnd, message, wParam, lParam});
    return TRUE;
}

AfxSystemModalScope::AfxSystemModalScope()
{
    ++AfxGetWinThreadState()->nSystemModal;
}

AfxSystemModalScope::~AfxSystemModalScope()
{
    AfxWinThreadState* state = AfxGetWinThreadState();
    --state->nSystemModal;
    ReleaseHeldMessages(state);
}
