// CPaneTransport: what a play pane does with its Framewell player, without the window: the
// transport, opening local and remote files, the library's notifications, the end of a file in
// playlist mode, seeks, sound and volume, and clip cutting. The pane window is its host.
#pragma once

#include <windows.h>

#include "player/PlayerCommandLine.h"
#include "player/Playlist.h"

enum PaneState {
    paneReady = 0,
    paneOpening = 1,
    panePlaying = 3,
    panePaused = 4,
    paneFast = 5,
    paneSlow = 6,
    paneSingleFrame = 7,
    paneStopped = 8,
    paneCutStarted = 9,
    paneCutEnded = 10,
};

enum PaneCommand { cmdPlay = 0, cmdPause = 1, cmdStop = 2, cmdFast = 3, cmdSlow = 4, cmdStep = 5 };

enum PaneEnable {
    enPlay,
    enStop,
    enPause,
    enStep,
    enFast,
    enSlow,
    enCut,
    enSaveCut,
    enSound,
    enPosition,
    enVolume,
    kEnableFlags
};
enum PaneGrey { greyClose, greyFullScreen, greyZoom, greySnapshot, kGreyFlags };

enum PaneTimer { kOpenTimer = 11, kPlayTimeTimer = 12, kBufferTimer = 13 };

// What the transport asks of its window and the main dialog.
class PaneHost {
public:
    virtual ~PaneHost() = default;
    virtual HWND PaneWindow() = 0;
    virtual void StartPaneTimer(UINT id, UINT milliseconds) = 0;
    virtual void StopPaneTimer(UINT id) = 0;
    virtual void Repaint() = 0;
    virtual BOOL IsActivePane() = 0;
    // The main dialog's controls and status line follow the (active) pane.
    virtual void UpdateControls() = 0;
    virtual void ShowStateText(int state) = 0;
    virtual void ShowStatusId(UINT id) = 0;
    virtual void ShowBuffering(int percent) = 0;
    virtual void ResizeForPicture(int width, int height) = 0;
    virtual int DisplayMode() = 0;
    virtual void RefreshPlaylist() = 0;
    virtual void MarkCurrent(int index) = 0;
    virtual void LeaveFullScreen() = 0;
    // The save dialog for a cut clip: TRUE with the chosen path.
    virtual BOOL ChooseCutFile(char* path, size_t size) = 0;
    virtual void ShowMessage(UINT id) = 0;
    virtual int StayTime() = 0;
    virtual const char* ProgramDirectory() = 0;
};

class CPaneTransport {
public:
    CPaneTransport(PaneHost& host, int index);
    ~CPaneTransport();

    int Control(int command);
    // Opens path (or the pending path when null), as the user or the program asks: a new start, so
    // the playlist's count of entries that did not start begins again.
    int OpenFile(const char* path);
    // What a window does to open a file in the pane outside the playlist: stop, take the target, leave
    // playlist mode, open. A local file chosen in the open dialog also starts without sound.
    int OpenTarget(const PlayTarget& target, BOOL soundOff = FALSE);
    void OnNotify(WPARAM code, LPARAM handle);
    void OnTimer(UINT id);
    void Seek(int seconds);
    void SetVolume(int volume);
    int ToggleSound();
    void SetBufferTime();
    void StartCut();
    void EndCut();
    // Before the window goes: the player stops and a running cut's clip is deleted.
    void Shutdown();
    void MovePlaylistItems(const std::vector<int>& ascending, int p) { m_playlist.MoveItems(ascending, p); }
    void DeletePlaylistItems(const std::vector<int>& ascending) { m_playlist.DeleteItems(ascending); }
    void ClipPath(char* out, size_t size) const;

    int m_index;
    int m_handle;
    int m_cutting;
    int m_started;
    PlayTarget m_target; // the pending path, local mark and connection
    int m_pictureWidth, m_pictureHeight;
    int m_playlistMode;
    int m_totalTime, m_playTime, m_dragging;
    int m_volume;
    int m_enable[kEnableFlags];
    int m_grey[kGreyFlags];
    int m_state;
    int m_sound;
    CPlaylist m_playlist;

private:
    void SetAllFlags(int enable, int grey);
    // Reads the opened picture's size and has the window made for it (local: a local file's picture).
    void FitWindowToPicture(BOOL local);
    void Changed();
    void OnEndOfFile();
    void OnReady();
    void OnBuffering();
    void PlayNextEntry();
    int Open(const char* path);
    void SaveCutClip(const char* clip);

    PaneHost& m_host;
};
