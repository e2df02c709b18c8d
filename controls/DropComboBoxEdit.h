// The edit part of the drop-down combo box; its notifications go to the combo box, its parent.
#pragma once

#include <afxwin.h>

class CDropComboBoxEdit : public CEdit {
public:
    CDropComboBoxEdit() = default;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()
};
