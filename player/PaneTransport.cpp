// The play pane's work with its Framewell player, without the window.
#include "player/PaneTransport.h"

#include <afxstr.h>

#include "devices/framewell/FramewellApi.h"
#include "player/PlayerLayout.h"
#include "resources/clipview/resource.h"

namespace {

const UINT WM_PLAYER_NOTIFY = 0x4C8;
const int kVolumeStep = 6553;

} // namespace

CPaneTransport::CPaneTransport(PaneHost& host, int index)
    : m_index(index), m_handle(-1), m_cutting(0), m_started(0), m_target(), m_pictureWidth(0), m_pictureHeight(0),
      m_playlistMode(0), m_totalTime(10), m_playTime(0), m_dragging(0), m_volume(10), m_enable(), m_grey(),
      m_state(paneReady), m_sound(0), m_host(host)
{
    m_target.local = 1;
    SetAllFlags(0, 1);
}

CPaneTransport::~CPaneTransport() = default;

void CPaneTransport::SetAllFlags(int enable, int grey)
{
    for (int& flag : m_enable)
        flag = enable;
    for (int& flag : m_grey)
        flag = grey;
}

void CPaneTransport::Changed()
{
    if (!m_host.IsActivePane())
        return;
    m_host.UpdateControls();
    m_host.ShowStateText(m_state);
}

int CPaneTransport::Control(int command)
{
    const FramewellApi& fw = GetFramewellApi();
    if (command < cmdPlay || command > cmdStep)
        return 0;
    if (m_handle < 1)
        return command == cmdPlay ? OpenFile(nullptr) : 1;
    switch (command) {
    case cmdPlay: {
        m_totalTime = fw.GetTotalTime(m_handle);
        m_host.StopPaneTimer(kPlayTimeTimer);
        m_host.StartPaneTimer(kPlayTimeTimer, 1000);
        fw.Play(m_handle, m_host.PaneWindow());
        int whole[4] = {1, 1, 1, 1};
        fw.RefreshDisplay(m_handle, whole);
        SetAllFlags(1, 0);
        m_started = 1;
        m_playTime = fw.GetPlayTime(m_handle);
        m_state = panePlaying;
        break;
    }
    case cmdPause:
        fw.Pause(m_handle);
        m_state = panePaused;
        break;
    case cmdStop:
        m_host.StopPaneTimer(kPlayTimeTimer);
        EndCut();
        if (m_handle < 1)
            return 1; // the cut's save dialog outlived the player
        m_host.StopPaneTimer(kPlayTimeTimer);
        fw.Stop(m_handle);
        m_handle = -1;
        SetAllFlags(0, 1);
        m_enable[enPlay] = 1;
        m_grey[greyClose] = 0;
        m_playTime = 0;
        m_started = 0;
        m_host.Repaint();
        m_state = paneStopped;
        break;
    case cmdFast:
        fw.Fast(m_handle);
        m_state = paneFast;
        break;
    case cmdSlow:
        fw.Slow(m_handle);
        m_state = paneSlow;
        break;
    case cmdStep:
        fw.StepFrame(m_handle);
        m_state = paneSingleFrame;
        break;
    }
    Changed();
    return 1;
}

int CPaneTransport::OpenFile(const char* path)
{
    m_playlist.ClearDeadEnds();
    return Open(path);
}

int CPaneTransport::OpenTarget(const PlayTarget& target, BOOL soundOff)
{
    const PlayTarget chosen = target; // target may be the pane's own
    Control(cmdStop);
    m_target = chosen;
    if (soundOff)
        m_sound = 0;
    m_playlistMode = 0;
    return OpenFile(nullptr);
}

int CPaneTransport::Open(const char* path)
{
    const FramewellApi& fw = GetFramewellApi();
    char chosen[sizeof m_target.path];
    CopyText(chosen, path != nullptr ? path : m_target.path);
    Control(cmdStop);
    CopyText(m_target.path, chosen);
    if (m_playlistMode) {
        // Without a current entry the pane's own fields stand.
        if (const PlaylistEntry* entry = m_playlist.GetAt(m_playlist.m_current)) {
            m_target.local = entry->local;
            if (!entry->local) {
                CopyText(m_target.address, entry->address);
                CopyText(m_target.user, entry->user);
                CopyText(m_target.password, entry->password);
                m_target.port = entry->port;
            }
        }
    } else {
        m_playlist.RemoveAll();
        m_playlist.Add(MakePlaylistEntry(m_target));
        m_host.RefreshPlaylist();
    }
    if (m_target.local)
        m_handle = fw.OpenFile(m_target.path, 0);
    else
        m_handle = fw.OpenRemoteFile(m_target.address, m_target.user, m_target.password, m_target.path,
                                     m_host.PaneWindow(), m_target.port);
    if (m_handle < 1) {
        m_handle = -1;
        return 0;
    }
    m_state = paneOpening;
    if (!m_target.local) {
        m_enable[enStop] = 1;
        fw.SetBufferTime(m_handle, m_host.StayTime());
    }
    // A new player starts with the pane's volume and sound, not the library's defaults.
    fw.SetVolume(m_handle, m_volume * kVolumeStep);
    if (m_sound)
        fw.StartSound(m_handle);
    Changed();
    m_dragging = 0;
    fw.SetNotifyWindow(m_handle, m_host.PaneWindow(), WM_PLAYER_NOTIFY);
    if (m_host.IsActivePane())
        m_host.MarkCurrent(m_playlist.m_current);
    if (!m_target.local)
        return 1;
    FitWindowToPicture(TRUE);
    return Control(cmdPlay);
}

void CPaneTransport::FitWindowToPicture(BOOL local)
{
    int width = 0, height = 0;
    GetFramewellApi().GetPictureSize(m_handle, &width, &height);
    m_pictureWidth = width;
    m_pictureHeight = height;
    SIZE size;
    if (PictureSizeForWindow(m_host.DisplayMode(), width, height, local, size))
        m_host.ResizeForPicture(size.cx, size.cy);
}

void CPaneTransport::OnNotify(WPARAM code, LPARAM handle)
{
    // An older player's notification, posted before it was stopped, is no longer ours.
    if (m_handle < 1 || handle != (LPARAM)m_handle)
        return;
    switch (code) {
    case 1:
        OnEndOfFile();
        break;
    case 2:
        OnReady();
        break;
    case 3:
        OnBuffering();
        break;
    case 4:
        m_host.StopPaneTimer(kBufferTimer);
        if (m_host.IsActivePane())
            m_host.ShowStateText(m_state);
        break;
    }
}

void CPaneTransport::OnEndOfFile()
{
    m_host.StopPaneTimer(kPlayTimeTimer);
    m_host.StopPaneTimer(kBufferTimer);
    m_playTime = 0;
    EndCut();
    m_enable[enStep] = m_enable[enPause] = m_enable[enStop] = m_enable[enSlow] = m_enable[enFast] = 0;
    const BOOL neverStarted = !m_started;
    const BOOL remoteFailed = !m_target.local && neverStarted;
    Control(cmdStop);
    // After the stop, so that its state text does not hide why the file ended.
    if (remoteFailed && m_host.IsActivePane())
        m_host.ShowStatusId(IDS_CONNECT_FAILED);
    if (m_playlistMode) {
        if (neverStarted)
            m_playlist.NoteDeadEnd();
        else
            m_playlist.ClearDeadEnds();
        PlayNextEntry();
    } else if (m_host.IsActivePane()) {
        m_host.LeaveFullScreen();
    }
}

void CPaneTransport::OnReady()
{
    const FramewellApi& fw = GetFramewellApi();
    m_totalTime = fw.GetTotalTime(m_handle);
    m_playTime = 0;
    m_host.StopPaneTimer(kPlayTimeTimer);
    m_host.StartPaneTimer(kPlayTimeTimer, 1000);
    // A remote file is opened without playing: its playback begins here, once enough arrived.
    if (!m_target.local)
        fw.Play(m_handle, m_host.PaneWindow());
    int whole[4] = {1, 1, 1, 1};
    fw.RefreshDisplay(m_handle, whole);
    FitWindowToPicture(FALSE);
    SetAllFlags(1, 0);
    m_started = 1;
    m_playlist.ClearDeadEnds();
    m_state = panePlaying;
    Changed();
}

void CPaneTransport::OnBuffering()
{
    const int percent = GetFramewellApi().GetBufferProgress(m_handle);
    if (percent < 0)
        return;
    if (m_host.IsActivePane())
        m_host.ShowBuffering(percent);
    m_host.StopPaneTimer(kBufferTimer);
    m_host.StartPaneTimer(kBufferTimer, 100);
}

void CPaneTransport::PlayNextEntry()
{
    const int count = m_playlist.GetCount();
    // A whole pass of entries that ended without starting (unreachable servers) ends the list.
    if (count == 0 || m_playlist.WholePassDead())
        return;
    for (int step = 1; step <= count; ++step) {
        const int index = (m_playlist.m_current + 1) % count;
        m_playlist.m_current = index;
        char path[sizeof m_target.path];
        CopyText(path, m_playlist.GetAt(index)->path);
        if (Open(path))
            return;
    }
}

void CPaneTransport::OnTimer(UINT id)
{
    const FramewellApi& fw = GetFramewellApi();
    switch (id) {
    case kOpenTimer:
        m_host.StopPaneTimer(kOpenTimer);
        if (!OpenFile(nullptr) && m_host.IsActivePane())
            m_host.ShowMessage(IDS_OPEN_FAILED);
        break;
    case kPlayTimeTimer:
        if (!m_dragging && m_handle > 0)
            m_playTime = fw.GetPlayTime(m_handle);
        if (m_host.IsActivePane())
            m_host.UpdateControls();
        break;
    case kBufferTimer: {
        const int percent = m_handle > 0 ? fw.GetBufferProgress(m_handle) : -1;
        if (percent < 0) {
            m_host.StopPaneTimer(kBufferTimer);
            if (m_host.IsActivePane())
                m_host.ShowStateText(m_state);
        } else if (m_host.IsActivePane()) {
            m_host.ShowBuffering(percent);
        }
        break;
    }
    }
}

void CPaneTransport::Seek(int seconds)
{
    const FramewellApi& fw = GetFramewellApi();
    if (m_handle > 0 && fw.SetPlayTime(m_handle, seconds * 1000) == 0) {
        const int total = fw.GetTotalTime(m_handle) / 1000;
        if (total != 0)
            fw.SetPosition(m_handle, (float)seconds / (float)total);
    }
    m_dragging = 0;
}

void CPaneTransport::SetVolume(int volume)
{
    m_volume = volume;
    if (m_handle > 0)
        GetFramewellApi().SetVolume(m_handle, volume * kVolumeStep);
}

int CPaneTransport::ToggleSound()
{
    if (m_handle < 1 || !m_started)
        return 0;
    m_sound = !m_sound;
    if (m_sound) {
        GetFramewellApi().StartSound(m_handle);
        return 1;
    }
    GetFramewellApi().StopSound(m_handle);
    return 2;
}

void CPaneTransport::SetBufferTime()
{
    if (m_handle > 0 && !m_target.local)
        GetFramewellApi().SetBufferTime(m_handle, m_host.StayTime());
}

void CPaneTransport::ClipPath(char* out, size_t size) const
{
    CString path;
    path.Format("%s\\%s%d", m_host.ProgramDirectory(), "cuttmpfile", m_index);
    CopyText(out, size, path);
}

void CPaneTransport::StartCut()
{
    if (m_cutting)
        return;
    char clip[MAX_PATH];
    ClipPath(clip, sizeof clip);
    if (m_handle < 1 || GetFramewellApi().StartCut(m_handle, clip) == 0) {
        m_host.ShowMessage(IDS_CUT_START_FAILED);
        return;
    }
    m_state = paneCutStarted;
    m_enable[enCut] = 0;
    m_enable[enPosition] = 0;
    m_enable[enSaveCut] = 1;
    m_cutting = 1;
    Changed();
}

void CPaneTransport::EndCut()
{
    if (!m_cutting)
        return;
    m_cutting = 0;
    m_state = paneCutEnded;
    m_enable[enCut] = 1;
    m_enable[enPosition] = 1;
    m_enable[enSaveCut] = 0;
    char clip[MAX_PATH];
    ClipPath(clip, sizeof clip);
    if (m_handle < 1) {
        ::DeleteFileA(clip);
        Changed();
        return;
    }
    if (GetFramewellApi().EndCut(m_handle) <= 0) {
        ::DeleteFileA(clip);
        Changed();
        m_host.ShowMessage(IDS_CUT_EMPTY);
        return;
    }
    Control(cmdPause);
    m_state = paneCutEnded;
    Changed();
    const int handle = m_handle;
    SaveCutClip(clip);
    // The save dialog let other messages in: play only the player that was paused for it.
    if (m_handle == handle)
        Control(cmdPlay);
}

void CPaneTransport::SaveCutClip(const char* clip)
{
    char chosen[MAX_PATH] = {};
    if (!m_host.ChooseCutFile(chosen, sizeof chosen)) {
        ::DeleteFileA(clip);
        return;
    }
    if (!::MoveFileExA(clip, chosen, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        m_host.ShowMessage(IDS_CUT_SAVE_FAILED); // the clip stays for another try
}

void CPaneTransport::Shutdown()
{
    const FramewellApi& fw = GetFramewellApi();
    m_host.StopPaneTimer(kOpenTimer);
    m_host.StopPaneTimer(kPlayTimeTimer);
    m_host.StopPaneTimer(kBufferTimer);
    if (m_handle > 0) {
        if (m_cutting)
            fw.EndCut(m_handle);
        fw.Stop(m_handle);
        m_handle = -1;
    }
    if (m_cutting) {
        char clip[MAX_PATH];
        ClipPath(clip, sizeof clip);
        ::DeleteFileA(clip);
        m_cutting = 0;
    }
}
