// A parent window that records the notifications its controls send, and a screen-sized host.
#pragma once

#include <afxwin.h>

#include <vector>

struct Notification {
    UINT id;
    UINT code;
};

class RecordingParent : public CWnd {
public:
    RecordingParent();
    ~RecordingParent() override;
    std::vector<UINT> Codes(UINT id) const;
    void Clear() { notifications.clear(); }
    std::vector<Notification> notifications;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
