// The installed station windows, the null ones that stand in until the main dialog exists, and
// the main dialog's handling of the messages that carry a session.
#include "SessionWindows.h"

#include "ChannelSession.h"
#include "RecGroup.h"
#include "StationGlobals.h"

namespace {

class CNullStationWindows : public IStationWindows {
public:
    void PostConnectResult(CChannelSession*, int) override {}
    void PostExternalAlarm(CChannelSession*, int) override {}
    void SetLocalRelayState(int, int) override {}
    int GetLinkageHandle() override { return 0; }
    CSystemLog* GetSystemLog() override { return nullptr; }
    void AppendConnectInfo(LPCSTR) override {}
    void ShowMessage(LPCSTR) override {}
    void ClearTalkState() override {}
    void RunCameraSettings(CTermCamera*) override {}
    void RefreshLocalRelays() override {}
    IPreviewPane* GetPreviewPane(int) override { return nullptr; }
    CTermServer* ChooseServer() override { return nullptr; }
    int IsAlarmSoundMarked() override { return 0; }
    void MarkAlarmSound() override {}
    void NoteAlarmStarted() override {}
    int IsEMapShown() override { return 0; }
    int IsTourRunning() override { return 0; }
    int IsEMapEditorOpen() override { return 0; }
    int GetDisplayPageCount() override { return 0; }
    int FindPageOfCamera(CTermCamera*) override { return -1; }
    void SelectPane(int) override {}
    void OpenEMap() override {}
    void ShowEMapDevice(CVuskEMapDev*) override {}
};

// Set on the user-interface thread before any session or poller thread exists.
IStationWindows* stationWindows = nullptr;

IStationWindows& NullStationWindows()
{
    static CNullStationWindows windows;
    return windows;
}

// The session a message names, when the server tree still owns it: a session deleted after the
// message was posted must not be touched.
CChannelSession* OwnedSession(WPARAM wParam)
{
    CChannelSession* session = reinterpret_cast<CChannelSession*>(wParam);
    return g_pRecGroup != nullptr && g_pRecGroup->OwnsSession(session) ? session : nullptr;
}

}  // namespace

IStationWindows& StationWindows() { return stationWindows ? *stationWindows : NullStationWindows(); }

IStationWindows* SetStationWindows(IStationWindows* windows)
{
    IStationWindows* previous = stationWindows ? stationWindows : &NullStationWindows();
    stationWindows = windows;
    return previous;
}

void HandleConnectResultMessage(WPARAM wParam, LPARAM lParam)
{
    if (CChannelSession* session = OwnedSession(wParam))
        session->OnConnectResult(session, (int)lParam);
}

void HandleExternalAlarmMessage(WPARAM wParam, LPARAM lParam)
{
    if (CChannelSession* session = OwnedSession(wParam))
        session->OnExternalAlarm(session, (int)lParam);
}
