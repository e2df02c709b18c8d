// Fixtures of the data-model tests.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include <stdio.h>

#include "station/core/datamodel/StationPaths.h"

Bytes Hex(const std::string& spec)
{
    Bytes out;
    for (size_t i = 0; i < spec.size();) {
        char c = spec[i];
        if (c == ' ') {
            ++i;
        } else if (c == '"') {
            size_t end = spec.find('"', i + 1);
            out.insert(out.end(), spec.begin() + i + 1, spec.begin() + end);
            i = end + 1;
        } else {
            out.push_back((BYTE)strtoul(spec.substr(i, 2).c_str(), nullptr, 16));
            i += 2;
        }
    }
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes TextBytes(const char* text)
{
    return Bytes(text, text + strlen(text));
}

Bytes ReadBytes(const std::string& path)
{
    Bytes out;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return out;
    BYTE buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    fclose(f);
    return out;
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ToHex(const Bytes& bytes)
{
    std::string out;
    char piece[4];
    for (BYTE b : bytes) {
        snprintf(piece, sizeof(piece), "%02X ", b);
        out += piece;
    }
    return out;
}

Record& Record::D(long long v)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back((BYTE)(v >> (8 * i)));
    return *this;
}

Record& Record::W(int v)
{
    bytes.push_back((BYTE)v);
    bytes.push_back((BYTE)(v >> 8));
    return *this;
}

Record& Record::B(int v)
{
    bytes.push_back((BYTE)v);
    return *this;
}

Record& Record::S(const char* text)
{
    B((int)strlen(text));
    return Raw(TextBytes(text));
}

Record& Record::Raw(const Bytes& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
}

Record& Record::Zeros(size_t n)
{
    bytes.insert(bytes.end(), n, 0);
    return *this;
}

Record& Record::NewClass(const char* className)
{
    W(0xFFFF).W(0).W((int)strlen(className));
    return Raw(TextBytes(className));
}

Record& Record::OldClass(int number)
{
    return W(0x8000 | number);
}

testing::AssertionResult SameBytes(const Bytes& actual, const Bytes& expected)
{
    if (actual == expected)
        return testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    auto around = [at](const Bytes& b) {
        size_t from = at < 8 ? 0 : at - 8;
        return ToHex(Bytes(b.begin() + std::min(from, b.size()), b.begin() + std::min(at + 8, b.size())));
    };
    return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at " << at << "\n  actual:   " << around(actual)
                                       << "\n  expected: " << around(expected);
}

CChannelSession* FakeSession(int n)
{
    static char pool[1024];
    return reinterpret_cast<CChannelSession*>(&pool[n]);
}

std::string RecordingSessionLinks::Name(const void* p) const
{
    auto it = names.find((CChannelSession*)p);
    return it != names.end() ? "s" + std::to_string(it->second) : "?";
}

void RecordingSessionLinks::DestroySession(CChannelSession* session)
{
    calls.push_back("destroy " + Name(session));
}

void RecordingSessionLinks::DestroyAlarmBoxPoller(CAlarmBoxPoller*)
{
    calls.push_back("destroy poller");
}

void RecordingSessionLinks::SetRecording(CChannelSession* session, int on, int reasonBits)
{
    calls.push_back("record " + Name(session) + " " + std::to_string(on) + " " + std::to_string(reasonBits));
}

void RecordingSessionLinks::SetAudio(CChannelSession* session, int on)
{
    calls.push_back("audio " + Name(session) + " " + std::to_string(on));
}

void RecordingSessionLinks::ClearAlarm(CChannelSession* session)
{
    calls.push_back("clear " + Name(session));
}

void RecordingSessionLinks::AttachPane(CChannelSession* session, int attach, int pane, int connectFirst)
{
    calls.push_back("attach " + Name(session) + " " + std::to_string(attach) + " " + std::to_string(pane) + " " +
                    std::to_string(connectFirst));
}

CTermCamera* RecordingSessionLinks::GetSessionCamera(CChannelSession* session)
{
    auto it = sessionCameras.find(session);
    return it != sessionCameras.end() ? it->second : nullptr;
}

void RecordingViewLinks::RebuildPageTable(int attach)
{
    calls.push_back("rebuild " + std::to_string(attach));
}

void RecordingViewLinks::ShowPage(int page, int pane, int force)
{
    calls.push_back("show " + std::to_string(page) + " " + std::to_string(pane) + " " + std::to_string(force));
}

int RecordingViewLinks::FindPaneOfCamera(CTermCamera* camera)
{
    auto it = cameraPanes.find(camera);
    return it != cameraPanes.end() ? it->second : -1;
}

CChannelSession* RecordingViewLinks::GetPaneSession(int pane)
{
    return pane >= 0 && pane < 16 ? paneSessions[pane] : nullptr;
}

void RecordingViewLinks::ClearPane(int pane)
{
    calls.push_back("clearpane " + std::to_string(pane));
}

void RecordingMapLinks::SetIconAlarm(CEMapIcon*, int state)
{
    calls.push_back("icon " + std::to_string(state));
}

void DataModelTest::SetUp()
{
    dir_.reset(new TempDir(true));
    SetStartDirectory(dir_->Path().c_str());
    SetSessionLinks(&sessions_);
    SetViewLinks(&view_);
    SetMapLinks(&map_);
}

void DataModelTest::TearDown()
{
    tree_.reset();
    g_pRecGroup = nullptr;
    g_pSysParam = nullptr;
    g_pUserGroup = nullptr;
    g_pPageGroup = nullptr;
    g_pLoopGroup = nullptr;
    g_pEMapGroup = nullptr;
    g_pAudioBroadcast = nullptr;
    SetSessionLinks(nullptr);
    SetViewLinks(nullptr);
    SetMapLinks(nullptr);
    dir_.reset();
}

CRecGroup* DataModelTest::NewTree()
{
    return new CRecGroup;
}

CRecGroup* DataModelTest::MakeGlobalTree()
{
    tree_.reset(NewTree());
    g_pRecGroup = tree_.get();
    return tree_.get();
}

CTermServer* DataModelTest::AddServer(CTermData* group, int id, const char* name, int cameras)
{
    CTermServer* server = new CTermServer;
    server->m_id = id;
    server->m_name = name;
    server->m_channelCount = cameras;
    server->m_pParent = group;
    group->m_servers.AddTail(server);
    for (int i = 0; i < cameras; ++i) {
        CTermCamera* camera = new CTermCamera;
        camera->m_channel = i;
        camera->m_name.Format("摄像机%d", i + 1);
        camera->m_pServer = server;
        server->m_cameras.AddTail(camera);
    }
    return server;
}

void DataModelTest::GiveSessions(CTermServer* server, int firstSession)
{
    int n = firstSession;
    for (POSITION pos = server->m_cameras.GetHeadPosition(); pos; ++n) {
        CTermCamera* camera = server->m_cameras.GetNext(pos);
        camera->m_pSession = FakeSession(n);
        sessions_.sessionCameras[camera->m_pSession] = camera;
        sessions_.names[camera->m_pSession] = n;
    }
}
