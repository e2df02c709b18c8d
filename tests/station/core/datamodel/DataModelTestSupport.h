// Fixtures of the data-model tests: a fresh start directory per test, links that record what the
// model asks of the sessions and windows, byte helpers and a small server tree.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "tests/support/TestSupport.h"

typedef std::vector<BYTE> Bytes;

// "12 AA BB CC" to bytes; text in double quotes adds its bytes (code page 936): "\"CTermData\"".
Bytes Hex(const std::string& spec);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes TextBytes(const char* text);
Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
bool FileExists(const std::string& path);
std::string ToHex(const Bytes& bytes);
// Equal bytes, or where they first differ: EXPECT_TRUE(SameBytes(ReadBytes(path), expected)).
testing::AssertionResult SameBytes(const Bytes& actual, const Bytes& expected);

// Expected archive bytes, written out field by field as the file layouts list them.
class Record {
public:
    Record& D(long long v); // 32-bit little-endian
    Record& W(int v);
    Record& B(int v);
    Record& S(const char* text); // length-prefixed text (shorter than 255 bytes)
    Record& Raw(const Bytes& bytes);
    Record& Zeros(size_t n);
    Record& NewClass(const char* className); // FF FF, schema 0, name length, name
    Record& OldClass(int number);            // 0x8000 | class number
    Bytes bytes;
};

// A distinct pointer to stand for a live channel session; never dereferenced.
CChannelSession* FakeSession(int n);

// Records the calls of the model into the sessions; GetSessionCamera answers from sessionCameras.
class RecordingSessionLinks : public CSessionLinks {
public:
    void DestroySession(CChannelSession* session) override;
    void DestroyAlarmBoxPoller(CAlarmBoxPoller* poller) override;
    void SetRecording(CChannelSession* session, int on, int reasonBits) override;
    void SetAudio(CChannelSession* session, int on) override;
    void ClearAlarm(CChannelSession* session) override;
    void AttachPane(CChannelSession* session, int attach, int pane, int connectFirst) override;
    CTermCamera* GetSessionCamera(CChannelSession* session) override;

    std::vector<std::string> calls;
    std::map<CChannelSession*, CTermCamera*> sessionCameras;
    std::map<CChannelSession*, int> names; // for readable calls
    std::string Name(const void* p) const;
};

// Records the calls into the windows; the panes' sessions and the camera panes are set by a test.
class RecordingViewLinks : public CViewLinks {
public:
    void RebuildPageTable(int attach) override;
    void ShowPage(int page, int pane, int force) override;
    int FindPaneOfCamera(CTermCamera* camera) override;
    int GetCurrentPage() override { return currentPage; }
    CChannelSession* GetPaneSession(int pane) override;
    void ClearPane(int pane) override;

    std::vector<std::string> calls;
    int currentPage = 0;
    CChannelSession* paneSessions[16] = {};
    std::map<CTermCamera*, int> cameraPanes;
};

// Records the map icons' alarm changes.
class RecordingMapLinks : public CMapLinks {
public:
    void SetIconAlarm(CEMapIcon* icon, int state) override;
    std::vector<std::string> calls;
};

// Each test runs in a fresh start directory with recording links and no global roots.
class DataModelTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string File(const std::string& name) const { return dir_->File(name); }

    // A tree built in memory (the constructor loads the start directory's file, which is missing
    // in a fresh directory and therefore written fresh).
    CRecGroup* NewTree();
    // A new tree that is also the station's global one (g_pRecGroup) until the test ends.
    CRecGroup* MakeGlobalTree();
    CTermServer* AddServer(CTermData* group, int id, const char* name, int cameras);
    // Gives every camera of the server a fake session (n, n+1, ...), known to the session links.
    void GiveSessions(CTermServer* server, int firstSession);

    RecordingSessionLinks sessions_;
    RecordingViewLinks view_;
    RecordingMapLinks map_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<CRecGroup> tree_;
};
