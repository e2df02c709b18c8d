#include "controls/DropComboBoxEdit.h"

BEGIN_MESSAGE_MAP(CDropComboBoxEdit, CEdit)
ON_WM_TIMER()
END_MESSAGE_MAP()

void CDropComboBoxEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    // A combo box over a pop-up cell comes up behind its owner; bring it forward once settled.
    SetTimer(1, 100, nullptr);
}

void CDropComboBoxEdit::OnTimer(UINT_PTR id)
{
    if (id == 1) {
        KillTimer(1);
        ::SetForegroundWindow(m_hWnd);
    }
    CEdit::OnTimer(id);
}
