// The server tree: its file byte for byte, round trips of whole trees, the searches and tree
// operations, the sessions and pollers the records own, and the binding of camera links.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include <algorithm>

#include "station/core/datamodel/StationPaths.h"

namespace {

const Bytes kFreshTree = Hex("12 AA BB CC 01 29 09 05 00 00 00 00 00 00 00");

// A default camera record as the camera table lists it, after its object tag.
Bytes DefaultCameraRecord(const char* name, int channel)
{
    Record r;
    r.S(name).D(0).D(channel).D(3).D(10).D(10).D(0).D(30);
    for (int i = 0; i < 7; ++i)
        r.D(10).D(0).D(0).D(0).D(0);
    r.Zeros(16).D(0).Zeros(16).D(0).D(0).Zeros(16 * 8);
    r.D(0).D(1000).D(0).D(0).D(0).D(0).D(1).S("").D(0);
    r.Zeros(32 * 4).Zeros(8 * 4).Zeros(8 * 4).D(0);
    for (int i = 0; i < 4 * 7 + 7 + 7; ++i)
        r.Raw(Hex("00 00 17 3B 09"));
    for (int i = 0; i < 6; ++i)
        r.D(0);
    r.D(0).D(4).D(0).S("").D(1).D(0).D(1).D(0);
    return r.bytes;
}

// A server record with default alarm-box settings, before its camera list.
Bytes DefaultServerRecord(int id, const char* name, int channels, int port, const char* address, const char* user,
                          const char* password)
{
    Record r;
    r.D(id).S(name).D(channels).W(port).S(address).D(0).S(user).S(password);
    r.D(0).D(0).D(0).D(0).D(9600).B(8).B(1).B(0).B(0).D(2).D(10);
    for (int i = 1; i <= 16; ++i) {
        char text[40] = {0};
        snprintf(text, sizeof(text), "外部报警输入%d", i);
        r.Raw(Bytes(text, text + 40)).D(20).D(1).Zeros(16).Zeros(4);
        for (int k = 0; k < 7; ++k)
            r.Raw(Hex("00 00 00 00 0A"));
    }
    for (int i = 1; i <= 4; ++i) {
        char text[16];
        snprintf(text, sizeof(text), "报警输入%d", i);
        r.S(text);
    }
    return r.bytes;
}

class ServerTreeTest : public DataModelTest {};

} // namespace

TEST_F(ServerTreeTest, MissingFileGivesEmptyTreeAndFreshFile)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    EXPECT_TRUE(tree->m_projects.IsEmpty());
    EXPECT_EQ(tree->m_magic, 0xCCBBAA12u);
    EXPECT_EQ(tree->m_version, 0x05092901u);
    EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg")), kFreshTree));
    EXPECT_FALSE(FileExists(File("servertree.cfg.bad")));
}

TEST_F(ServerTreeTest, ProjectsAreWrittenWithTheirClassNameOnce)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    tree->AddGroup(nullptr, "P");
    tree->Save();
    EXPECT_TRUE(SameBytes(
        ReadBytes(File("servertree.cfg")),
        Hex("12 AA BB CC 01 29 09 05 00 00 00 00 00 01 00 FF FF 00 00 09 00 \"CTermData\" 01 50 00 00 00 00")));

    tree->AddGroup(nullptr, "Q");
    tree->AddGroup(nullptr, "R");
    tree->Save();
    Record expected;
    expected.D(0xCCBBAA12).D(0x05092901).S("").D(0).W(3);
    expected.NewClass("CTermData").S("P").W(0).W(0);
    expected.OldClass(1).S("Q").W(0).W(0);
    expected.OldClass(1).S("R").W(0).W(0);
    EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg")), expected.bytes));
}

TEST_F(ServerTreeTest, ServerAndCameraRecordsFollowTheirTables)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    tree->m_rootCaption = "工程";
    tree->m_nextServerId = 8;
    CTermData* project = tree->AddGroup(nullptr, "P");
    CTermServer* server = AddServer(project, 7, "S", 2);
    server->m_port = 8000;
    server->m_address = "10.0.0.2";
    server->m_user = "admin";
    server->m_password = "pw";
    tree->Save();

    Bytes serverRecord = DefaultServerRecord(7, "S", 2, 8000, "10.0.0.2", "admin", "pw");
    Bytes camera1 = DefaultCameraRecord("摄像机1", 0);
    Bytes camera2 = DefaultCameraRecord("摄像机2", 1);
    // 1696 bytes plus the eight texts; 832 bytes plus the name.
    EXPECT_EQ(serverRecord.size() + 2, 1696u + 2 + 9 + 6 + 3 + 4 * 10);
    EXPECT_EQ(camera1.size(), 832u + 8);

    Record expected;
    expected.D(0xCCBBAA12).D(0x05092901).S("工程").D(8).W(1);
    expected.NewClass("CTermData").S("P").W(0).W(1);
    expected.NewClass("CTermServer").Raw(serverRecord).W(2);
    expected.NewClass("CTermCamera").Raw(camera1);
    expected.OldClass(5).Raw(camera2); // classes and objects share the numbering
    EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg")), expected.bytes));
}

TEST_F(ServerTreeTest, FullTreeRoundTrips)
{
    {
        std::unique_ptr<CRecGroup> tree(NewTree());
        tree->m_rootCaption = "园区";
        tree->m_nextServerId = 3;
        CTermData* project = tree->AddGroup(nullptr, "园区A");
        CTermData* building = tree->AddGroup(project, "一号楼");
        CTermData* floor = tree->AddGroup(building, "F1");
        CTermServer* server = AddServer(floor, 1, "DVR-1", 4);
        AddServer(project, 2, "DVR-2", 1);
        tree->AddGroup(nullptr, "Empty");

        server->m_alarmBoxEnabled = 1;
        server->m_baudRate = 4800;
        server->m_parity = 2;
        server->m_pollSeconds = 5;
        AlarmInputConfig& input = server->m_alarmInputs[3];
        memset(input.name, 'N', sizeof(input.name)); // fills 40 bytes without a terminator
        input.holdSeconds = 45;
        input.outputs[15] = 1;
        input.connectCameras[2] = 1;
        input.schedule[6].Set(8, 30, 17, 45, scheduleWorkdays);
        server->m_sensorNames[2] = "门磁";

        CTermCamera* camera = server->FindCamera(2);
        camera->m_description = "delay 3";
        camera->m_recordSchedule[1] = RecordScheduleEntry{scheduleWeekend, 9, 0, 18, 30};
        camera->m_sensorOutputs[3][7] = 1;
        camera->m_externalInputs[15] = ExternalInputAction{1, 1};
        camera->m_presetTour.Add(PresetTourEntry{-1, 10});
        camera->m_presetTour.Add(PresetTourEntry{4, 25});
        camera->m_links[linkVideoLoss].Add(CameraLink{2, 0, nullptr});
        camera->m_matrixChannelNames.Add(MatrixChannelName{17, "大门"});
        camera->m_motionSound[0].Set(1, 2, 3, 4, 5);
        camera->m_matrixControlFile = "C:\\ptz\\pelco.ptz";
        camera->m_disabled = 1;
        tree->Save();
    }
    Bytes saved = ReadBytes(File("servertree.cfg"));

    std::unique_ptr<CRecGroup> tree(NewTree());
    ASSERT_EQ(tree->m_projects.GetCount(), 2);
    EXPECT_EQ(tree->m_rootCaption, "园区");
    EXPECT_EQ(tree->m_nextServerId, 3);
    CTermServer* server = tree->FindServerById(1);
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->m_pParent->m_name, "F1");
    EXPECT_EQ(server->m_pParent->m_pParent->m_pParent, tree->m_projects.GetHead());
    EXPECT_EQ(tree->m_projects.GetHead()->m_pParent, nullptr);
    EXPECT_EQ(server->m_baudRate, 4800);
    EXPECT_EQ(server->m_alarmInputs[3].GetName(), CString('N', 40));
    EXPECT_EQ(server->m_alarmInputs[3].schedule[6].days, scheduleWorkdays);
    EXPECT_EQ(server->m_sensorNames[2], "门磁");
    CTermCamera* camera = server->FindCamera(2);
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->m_pServer, server);
    EXPECT_EQ(camera->m_presetTour.GetSize(), 2);
    EXPECT_EQ(camera->m_presetTour[1].dwellSeconds, 25);
    EXPECT_EQ(camera->m_links[linkVideoLoss].GetSize(), 1);
    EXPECT_EQ(camera->m_matrixChannelNames[0].name, "大门");
    EXPECT_EQ(camera->m_recordSchedule[1].endMinute, 30);
    EXPECT_EQ(camera->m_disabled, 1);
    EXPECT_EQ(camera->GetDisplayPath(), "园区A->一号楼->F1->DVR-1->摄像机3");
    CString path;
    server->GetTreePath(path);
    EXPECT_EQ(path, "园区A:一号楼:F1:DVR-1");
    EXPECT_EQ(camera->GetTreePath(), "园区A:一号楼:F1:DVR-1:摄像机3");

    tree->Save(File("again.cfg").c_str());
    EXPECT_TRUE(SameBytes(ReadBytes(File("again.cfg")), saved));
}

TEST_F(ServerTreeTest, DamagedCountsFailTheLoadWithoutSizingAnything)
{
    {
        std::unique_ptr<CRecGroup> tree(NewTree());
        CTermServer* server = AddServer(tree->AddGroup(nullptr, "P"), 1, "S", 1);
        server->m_cameras.GetHead()->m_description = "MARK";
        tree->Save();
    }
    Bytes valid = ReadBytes(File("servertree.cfg"));
    Bytes mark = Hex("04 \"MARK\"");
    size_t at = std::search(valid.begin(), valid.end(), mark.begin(), mark.end()) - valid.begin() + mark.size();
    ASSERT_LT(at, valid.size()); // the preset count follows the description
    for (DWORD count : {0x7FFFFFFFu, 0xFFFFFFFFu}) {
        Bytes damaged = valid;
        memcpy(&damaged[at], &count, 4);
        WriteBytes(File("servertree.cfg"), damaged);
        std::unique_ptr<CRecGroup> tree(NewTree());
        EXPECT_TRUE(tree->m_projects.IsEmpty()) << count;
        EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg.bad")), damaged));
        EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg")), kFreshTree));
    }
}

TEST_F(ServerTreeTest, SearchesWalkTheTreeInTheirOwnOrder)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    CTermData* project = tree->AddGroup(nullptr, "A");
    CTermServer* own = AddServer(project, 5, "X", 4);
    CTermData* child = tree->AddGroup(project, "G");
    CTermServer* inChild = AddServer(child, 5, "X", 1);

    EXPECT_EQ(tree->FindServerByName("X", nullptr), inChild);
    EXPECT_EQ(tree->FindServerByName("X", inChild), own);
    EXPECT_EQ(tree->FindServerById(5), own);
    EXPECT_EQ(tree->FindServerById(6), nullptr);
    EXPECT_EQ(own->FindCamera(5), nullptr);
    EXPECT_EQ(own->FindCamera(3), own->m_cameras.GetTail());

    CTermCamera* first = own->m_cameras.GetHead();
    EXPECT_FALSE(own->CameraNameClash(nullptr, "摄像机2"));
    EXPECT_TRUE(own->CameraNameClash(first, "摄像机2"));
    EXPECT_FALSE(own->CameraNameClash(first, "摄像机1"));
}

TEST_F(ServerTreeTest, GroupOperations)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    EXPECT_FALSE(tree->HasServers());
    CTermData* a = tree->AddGroup(nullptr, "A");
    CTermData* b = tree->AddGroup(nullptr, "B");
    CTermData* inner = tree->AddGroup(a, "Same");
    AddServer(a, 1, "Same", 1);
    EXPECT_TRUE(tree->ProjectExists("B"));
    EXPECT_FALSE(tree->ProjectExists("b"));
    EXPECT_TRUE(tree->GroupNameClash(nullptr, nullptr, "A"));
    EXPECT_FALSE(tree->GroupNameClash(nullptr, a, "A"));
    EXPECT_TRUE(tree->GroupNameClash(a, nullptr, "Same"));
    EXPECT_FALSE(tree->GroupNameClash(b, nullptr, "Same"));
    EXPECT_TRUE(a->NameInUse("Same"));
    EXPECT_TRUE(tree->HasServers());
    EXPECT_FALSE(b->HasServers());
    EXPECT_EQ(inner->m_pParent, a);

    // The child group goes first, then the server of the same name.
    tree->RemoveGroup(a, "Same");
    EXPECT_TRUE(a->m_childGroups.IsEmpty());
    EXPECT_EQ(a->m_servers.GetCount(), 1);
    a->RemoveChild("Same");
    EXPECT_TRUE(a->m_servers.IsEmpty());
    tree->RemoveGroup(nullptr, "A");
    ASSERT_EQ(tree->m_projects.GetCount(), 1);
    EXPECT_EQ(tree->m_projects.GetHead(), b);
}

TEST_F(ServerTreeTest, SessionOperationsReachOnlyCamerasWithSessions)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    CTermData* project = tree->AddGroup(nullptr, "A");
    CTermServer* first = AddServer(tree->AddGroup(project, "G"), 1, "S1", 2);
    CTermServer* second = AddServer(project, 2, "S2", 2);
    GiveSessions(first, 1);
    GiveSessions(second, 3);
    second->m_cameras.GetTail()->m_pSession = nullptr;
    second->m_cameras.GetHead()->m_keyboardNumber = 9;
    first->m_cameras.GetTail()->m_keyboardNumber = 9;

    EXPECT_TRUE(tree->OwnsSession(FakeSession(2)));
    EXPECT_FALSE(tree->OwnsSession(FakeSession(4)));
    EXPECT_FALSE(tree->OwnsSession(nullptr));
    // Own servers before child groups.
    EXPECT_EQ(tree->FindSessionByKeyboardNo(9), FakeSession(3));

    tree->SetRecordingAll(1, 8);
    tree->AudioOffAll();
    tree->ClearAlarmsAll();
    // Child groups before own servers.
    EXPECT_EQ(sessions_.calls,
              (std::vector<std::string>{"record s1 1 8", "record s2 1 8", "record s3 1 8", "audio s1 0", "audio s2 0",
                                        "audio s3 0", "clear s1", "clear s2", "clear s3"}));
    sessions_.calls.clear();
    tree->CloseAllSessions();
    EXPECT_EQ(sessions_.calls, (std::vector<std::string>{"destroy s1", "destroy s2", "destroy s3"}));
    EXPECT_FALSE(tree->OwnsSession(FakeSession(1)));
}

TEST_F(ServerTreeTest, PollerIsStoppedBeforeTheCamerasGo)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    CTermServer* server = AddServer(tree->AddGroup(nullptr, "A"), 1, "S", 2);
    GiveSessions(server, 1);
    server->m_pAlarmBoxPoller = reinterpret_cast<CAlarmBoxPoller*>(FakeSession(100));
    tree.reset();
    EXPECT_EQ(sessions_.calls, (std::vector<std::string>{"destroy poller", "destroy s1", "destroy s2"}));
}

TEST_F(ServerTreeTest, CameraLinksDropOnlyWhatNoLongerExists)
{
    std::unique_ptr<CRecGroup> tree(NewTree());
    g_pRecGroup = tree.get();
    CTermData* project = tree->AddGroup(nullptr, "A");
    CTermServer* live = AddServer(project, 1, "Live", 4);
    AddServer(project, 2, "NoSessions", 2);
    GiveSessions(live, 1);
    CTermCamera* camera = live->m_cameras.GetHead();
    CArray<CameraLink>& links = camera->m_links[0];
    links.Add(CameraLink{9, 0, nullptr}); // server gone
    links.Add(CameraLink{1, 5, nullptr}); // camera gone
    links.Add(CameraLink{2, 1, nullptr}); // camera without a session
    links.Add(CameraLink{1, 3, nullptr}); // live
    tree->ResolveCameraLinks();

    ASSERT_EQ(links.GetSize(), 2);
    EXPECT_EQ(links[0].serverId, 2);
    EXPECT_EQ(links[0].camera, nullptr);
    EXPECT_EQ(links[1].camera, live->FindCamera(3));

    // The kept link is written back and binds once its camera has a session.
    tree->Save();
    tree.reset(NewTree());
    g_pRecGroup = tree.get();
    GiveSessions(tree->FindServerById(2), 10);
    tree->ResolveCameraLinks();
    CArray<CameraLink>& reloaded = tree->FindServerById(1)->m_cameras.GetHead()->m_links[0];
    ASSERT_EQ(reloaded.GetSize(), 2);
    EXPECT_EQ(reloaded[0].camera, tree->FindServerById(2)->FindCamera(1));
    EXPECT_EQ(reloaded[1].camera, nullptr); // its own server has no sessions now
}

TEST_F(ServerTreeTest, ScheduleWindows)
{
    struct Case {
        ScheduleEntry entry;
        int hour, minute, weekday;
        bool matches;
    };
    auto entry = [](int sh, int sm, int eh, int em, int days) {
        ScheduleEntry e;
        e.Set(sh, sm, eh, em, days);
        return e;
    };
    const Case cases[] = {
        {entry(8, 0, 18, 0, 7), 17, 59, 3, true}, // Wednesday 17:59
        {entry(8, 0, 18, 0, 7), 18, 0, 3, false}, // the end is exclusive
        {entry(8, 0, 18, 0, 7), 10, 0, 6, false}, // Saturday
        {entry(8, 0, 18, 0, 7), 7, 59, 1, false},
        {entry(0, 0, 23, 59, 9), 0, 0, 0, true}, // the default sound window
        {entry(0, 0, 23, 59, 9), 23, 58, 6, true},
        {entry(0, 0, 23, 59, 9), 23, 59, 2, false},
        {entry(0, 0, 23, 59, 10), 12, 0, 2, false}, // off
        {entry(0, 0, 23, 59, 0), 12, 0, 1, true},   // Monday
        {entry(0, 0, 23, 59, 0), 12, 0, 2, false},
        {entry(0, 0, 23, 59, 6), 12, 0, 0, true}, // Sunday
        {entry(0, 0, 23, 59, 8), 12, 0, 0, true}, // weekend
        {entry(0, 0, 23, 59, 8), 12, 0, 5, false},
        {entry(22, 0, 2, 0, 9), 23, 0, 2, false}, // no window across midnight
        {entry(0, 0, 0, 0, 9), 0, 0, 2, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScheduleMatches(&c.entry, 1, c.hour, c.minute, c.weekday) != 0, c.matches)
            << (int)c.entry.startHour << ":" << (int)c.entry.startMinute << "-" << (int)c.entry.endHour << ":"
            << (int)c.entry.endMinute << " days " << (int)c.entry.days << " at " << c.hour << ":" << c.minute
            << " weekday " << c.weekday;
    }

    CTermCamera camera;
    EXPECT_FALSE(camera.IsRecordScheduled(12, 0, 3));
    camera.m_recordSchedule[4] = RecordScheduleEntry{scheduleWorkdays, 8, 0, 18, 0};
    EXPECT_TRUE(camera.IsRecordScheduled(17, 59, 3));
    EXPECT_FALSE(camera.IsRecordScheduled(18, 0, 3));
}
