// The play pane's transport: its table of states, flags and library calls against a scripted
// Framewell, and opening, playlists, cuts and sound against the real stand-in with real recordings.
#include <gtest/gtest.h>

#include <fstream>

#include "player/PaneTransport.h"
#include "player/PlayPane.h"
#include "resources/clipview/resource.h"
#include "tests/player/PlayerTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Joined(const std::vector<std::string>& calls)
{
    std::string out;
    for (const std::string& c : calls)
        out += (out.empty() ? "" : " ") + c;
    return out;
}

std::string EnableFlags(const CPaneTransport& t)
{
    std::string out;
    for (int flag : t.m_enable)
        out += char('0' + flag);
    out += '/';
    for (int flag : t.m_grey)
        out += char('0' + flag);
    return out;
}

class ScriptedPaneTest : public ::testing::Test {
protected:
    // A playlist entry on a server that cannot be reached.
    void AddUnreachable(const char* path)
    {
        PlayTarget t = {};
        strcpy(t.path, path);
        t.local = 0;
        strcpy(t.address, "10.9.9.9");
        pane.m_playlist.Add(MakePlaylistEntry(t));
    }
    // Starts entry 0 in playlist mode, as a double-click does, and ends each player without it ever
    // becoming ready, as one of an unreachable server does; the opens until the pane gives up.
    int OpensUntilStopped()
    {
        pane.m_playlistMode = 1;
        pane.m_playlist.m_current = 0;
        EXPECT_EQ(1, pane.OpenFile(pane.m_playlist.GetAt(0)->path));
        int opens = 1;
        for (int round = 0; round < 10 && pane.m_handle > 0; ++round) {
            pane.OnNotify(1, pane.m_handle);
            if (pane.m_handle > 0)
                ++opens;
        }
        return opens;
    }

    ScriptedFramewellScope scope;
    PlainWindow window;
    RecordingHost host{window.Handle()};
    CPaneTransport pane{host, 0};
    ScriptedFramewell& fw = ScriptedFramewell::Get();
};

TEST_F(ScriptedPaneTest, TransportTable)
{
    strcpy(pane.m_target.path, "D:\\rec\\a.mp4");
    // Play without a player opens the pending path: open, volume, notify window, then play.
    EXPECT_EQ(1, pane.Control(cmdPlay));
    EXPECT_EQ("OpenFile SetVolume SetNotifyWindow Play RefreshDisplay", Joined(fw.calls));
    EXPECT_EQ(panePlaying, pane.m_state);
    EXPECT_EQ("11111111111/0000", EnableFlags(pane));
    EXPECT_EQ(1, pane.m_started);
    struct Step {
        int command;
        const char* call;
        int state;
    } steps[] = {{cmdPause, "Pause", panePaused},
                 {cmdFast, "Fast", paneFast},
                 {cmdSlow, "Slow", paneSlow},
                 {cmdStep, "StepFrame", paneSingleFrame},
                 {cmdPlay, "Play RefreshDisplay", panePlaying}};
    for (const Step& s : steps) {
        fw.calls.clear();
        EXPECT_EQ(1, pane.Control(s.command));
        EXPECT_EQ(s.call, Joined(fw.calls));
        EXPECT_EQ(s.state, pane.m_state);
    }
    EXPECT_EQ(0, pane.Control(6));
    fw.calls.clear();
    EXPECT_EQ(1, pane.Control(cmdStop));
    EXPECT_EQ("Stop", Joined(fw.calls));
    EXPECT_EQ(paneStopped, pane.m_state);
    EXPECT_EQ(-1, pane.m_handle);
    EXPECT_EQ("10000000000/0111", EnableFlags(pane));
    EXPECT_EQ(0, pane.m_started);
    // Without a player the other commands do nothing.
    fw.calls.clear();
    for (int command : {cmdPause, cmdStop, cmdFast, cmdSlow, cmdStep})
        EXPECT_EQ(1, pane.Control(command));
    EXPECT_TRUE(fw.calls.empty());
}

TEST_F(ScriptedPaneTest, NotificationsOfAnotherHandleAreIgnored)
{
    pane.m_target.local = 0;
    strcpy(pane.m_target.path, "r.mp4");
    ASSERT_EQ(1, pane.OpenFile(nullptr));
    const int first = pane.m_handle;
    pane.Control(cmdStop);
    ASSERT_EQ(1, pane.OpenFile(nullptr));
    ASSERT_NE(first, pane.m_handle);
    pane.OnNotify(1, first); // the old player's end
    pane.OnNotify(2, first);
    EXPECT_EQ(paneOpening, pane.m_state);
    EXPECT_EQ(0, pane.m_started);
    pane.OnNotify(2, pane.m_handle);
    EXPECT_EQ(panePlaying, pane.m_state);
}

TEST_F(ScriptedPaneTest, ARemotePictureInFourPanesSizesTheWindowForTwice)
{
    host.mode = 4;
    pane.m_target.local = 0;
    strcpy(pane.m_target.path, "r.mp4");
    ASSERT_EQ(1, pane.OpenFile(nullptr));
    EXPECT_EQ("OpenRemoteFile SetBufferTime SetVolume SetNotifyWindow", Joined(fw.calls));
    EXPECT_EQ(1, pane.m_enable[enStop]);
    pane.OnNotify(2, pane.m_handle);
    EXPECT_NE(std::string::npos, (" " + Joined(fw.calls) + " ").find(" Play ")) << "playback begins when ready";
    ASSERT_EQ(1u, host.resizes.size());
    EXPECT_EQ(704, host.resizes[0].cx);
    EXPECT_EQ(576, host.resizes[0].cy);
}

TEST_F(ScriptedPaneTest, ARemoteFileThatNeverStartedLeavesTheConnectMessage)
{
    pane.m_target.local = 0;
    strcpy(pane.m_target.path, "r.mp4");
    ASSERT_EQ(1, pane.OpenFile(nullptr));
    pane.OnNotify(1, pane.m_handle);
    EXPECT_EQ("id " + std::to_string(IDS_CONNECT_FAILED), host.status);
    EXPECT_EQ(paneStopped, pane.m_state);
}

TEST_F(ScriptedPaneTest, UnreachableServersInAPlaylistStopAfterOnePass)
{
    for (const char* path : {"r0.mp4", "r1.mp4", "r2.mp4"})
        AddUnreachable(path);
    EXPECT_EQ(3, OpensUntilStopped());
    EXPECT_EQ(-1, pane.m_handle);
}

// After a whole pass of unreachable entries, a changed playlist or an entry the user starts gets a
// pass of its own.
TEST_F(ScriptedPaneTest, ANewPlaylistOrAUserStartGetsItsOwnPassOfUnreachableEntries)
{
    struct Step {
        const char* what;
        std::vector<const char*> entries; // replace the list; none: the list stays
        const char* added;                // then appended, when not null
        int opens;
    } steps[] = {
        {"a first pass", {"r0.mp4", "r1.mp4", "r2.mp4"}, nullptr, 3},
        {"the same list started again", {}, nullptr, 3},
        {"a shorter list", {"r0.mp4", "r1.mp4"}, nullptr, 2},
        {"one more entry added", {}, "r9.mp4", 3},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (!step.entries.empty())
            pane.m_playlist.RemoveAll();
        for (const char* path : step.entries)
            AddUnreachable(path);
        if (step.added != nullptr)
            AddUnreachable(step.added);
        EXPECT_EQ(step.opens, OpensUntilStopped());
        EXPECT_EQ(-1, pane.m_handle);
    }
}

TEST_F(ScriptedPaneTest, SoundStaysOffUntilPlayStartsAndNewPlayersGetThePanesVolume)
{
    EXPECT_EQ(0, pane.ToggleSound());
    pane.m_target.local = 0;
    strcpy(pane.m_target.path, "r.mp4");
    ASSERT_EQ(1, pane.OpenFile(nullptr));
    EXPECT_EQ(0, pane.ToggleSound()); // opened, not started
    pane.OnNotify(2, pane.m_handle);
    EXPECT_EQ(1, pane.ToggleSound());
    pane.SetVolume(3);
    fw.calls.clear();
    ASSERT_EQ(1, pane.OpenFile(nullptr));
    EXPECT_EQ("Stop OpenRemoteFile SetBufferTime SetVolume StartSound SetNotifyWindow", Joined(fw.calls));
    EXPECT_EQ(0, pane.ToggleSound()); // the new player has not started yet
}

TEST_F(ScriptedPaneTest, SeekFallsBackToAFraction)
{
    strcpy(pane.m_target.path, "a.mp4");
    ASSERT_EQ(1, pane.OpenFile(nullptr));
    fw.calls.clear();
    pane.m_dragging = 1;
    pane.Seek(30);
    EXPECT_EQ("SetPlayTime SetPosition", Joined(fw.calls));
    EXPECT_EQ(0, pane.m_dragging);
}

// Real recordings through the real stand-in.
class RealPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetFramewellApi(nullptr);
        GetFramewellApi().Init();
        host.directory = dir.Path();
    }
    void TearDown() override
    {
        pane.Shutdown();
        GetFramewellApi().Cleanup();
    }
    TempDir dir;
    PlainWindow window;
    RecordingHost host{window.Handle()};
    CPaneTransport pane{host, 0};
};

TEST_F(RealPaneTest, AWideLowLocalFileSizesTheWindowForFourByThree)
{
    WriteRecording(dir.File("wide.mp4"), 3, 704, 288);
    ASSERT_EQ(1, pane.OpenFile(dir.File("wide.mp4").c_str()));
    ASSERT_EQ(1u, host.resizes.size());
    EXPECT_EQ(640, host.resizes[0].cx);
    EXPECT_EQ(480, host.resizes[0].cy);
    EXPECT_EQ(panePlaying, pane.m_state);
    EXPECT_EQ(1, pane.m_playlist.GetCount()); // outside playlist mode the file is the only entry
}

TEST_F(RealPaneTest, EndOfFileInPlaylistModeSkipsFailingEntriesOrStopsAfterOnePass)
{
    WriteRecording(dir.File("a.mp4"), 5);
    for (const std::string& name : {std::string("a.mp4"), std::string("missing1.mp4"), std::string("missing2.mp4")}) {
        PlayTarget t = {};
        CopyText(t.path, dir.File(name).c_str());
        t.local = 1;
        pane.m_playlist.Add(MakePlaylistEntry(t));
    }
    pane.m_playlistMode = 1;
    ASSERT_EQ(1, pane.OpenFile(pane.m_playlist.GetAt(0)->path));
    const int first = pane.m_handle;
    ASSERT_TRUE(PumpNotifications(pane, 1));
    // The two following entries fail, so the ended file plays again.
    EXPECT_EQ(0, pane.m_playlist.m_current);
    EXPECT_GT(pane.m_handle, first);
    EXPECT_EQ(panePlaying, pane.m_state);

    // Every entry fails, the ended one too: one attempt each, then stopped.
    pane.m_playlist.RemoveAll();
    for (const char* name : {"gone0.mp4", "gone1.mp4", "gone2.mp4"}) {
        PlayTarget t = {};
        CopyText(t.path, dir.File(name).c_str());
        t.local = 1;
        pane.m_playlist.Add(MakePlaylistEntry(t));
    }
    ASSERT_TRUE(PumpNotifications(pane, 1));
    EXPECT_EQ(-1, pane.m_handle);
    EXPECT_EQ(paneStopped, pane.m_state);
}

TEST_F(RealPaneTest, CutsAreSavedOrReportedEmptyAndAStopDuringACutAsksForTheName)
{
    WriteRecording(dir.File("a.mp4"), 200);
    ASSERT_EQ(1, pane.OpenFile(dir.File("a.mp4").c_str()));
    char clip[MAX_PATH];
    pane.ClipPath(clip, sizeof clip);

    // A saved cut: the chosen file replaces an older one of that name, and no clip is left.
    {
        std::ofstream(dir.File("saved.mp4")) << "old";
    }
    host.cutTarget = dir.File("saved.mp4");
    pane.StartCut();
    ASSERT_EQ(paneCutStarted, pane.m_state);
    GetFramewellApi().StepFrame(pane.m_handle);
    GetFramewellApi().StepFrame(pane.m_handle);
    pane.EndCut();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(clip));
    WIN32_FILE_ATTRIBUTE_DATA info = {};
    ASSERT_TRUE(::GetFileAttributesExA(dir.File("saved.mp4").c_str(), GetFileExInfoStandard, &info));
    EXPECT_GT(info.nFileSizeLow, 3u);
    EXPECT_EQ(panePlaying, pane.m_state); // the same player plays on

    // An empty cut: message 158 and nothing left.
    pane.Control(cmdPause);
    pane.StartCut();
    pane.EndCut();
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ((UINT)IDS_CUT_EMPTY, host.messages[0]);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(clip));

    // A stop during a cut ends it with the save dialog first (cancelled here: the clip goes).
    host.cutTarget.clear();
    pane.StartCut();
    GetFramewellApi().StepFrame(pane.m_handle);
    pane.Control(cmdStop);
    EXPECT_EQ(paneStopped, pane.m_state);
    EXPECT_EQ(0, pane.m_cutting);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(clip));
}

TEST_F(RealPaneTest, ACutThatCannotBeMovedStaysAndSaysSo)
{
    WriteRecording(dir.File("a.mp4"), 50);
    ASSERT_EQ(1, pane.OpenFile(dir.File("a.mp4").c_str()));
    char clip[MAX_PATH];
    pane.ClipPath(clip, sizeof clip);
    host.cutTarget = dir.File("no such folder\\x.mp4");
    pane.StartCut();
    GetFramewellApi().StepFrame(pane.m_handle);
    pane.EndCut();
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ((UINT)IDS_CUT_SAVE_FAILED, host.messages[0]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(clip));
    ::DeleteFileA(clip);
}

TEST_F(RealPaneTest, DamagedRecordingsDoNotOpen)
{
    {
        std::ofstream(dir.File("bad.mp4"), std::ios::binary) << "this is not a recording";
    }
    EXPECT_EQ(0, pane.OpenFile(dir.File("bad.mp4").c_str()));
    EXPECT_EQ(-1, pane.m_handle);
    EXPECT_EQ(0, pane.Control(cmdPlay)); // play retries the pending path
}

} // namespace
