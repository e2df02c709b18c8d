// The electronic map: its file, the binding of devices into the camera records, what is dropped
// and what is kept, and the deletion of scenes.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"

namespace {

class EMapTest : public DataModelTest {
protected:
    void SetUp() override
    {
        DataModelTest::SetUp();
        CTermData* project = MakeGlobalTree()->AddGroup(nullptr, "P");
        server_ = AddServer(tree_->AddGroup(project, "G"), 3, "DVR", 4);
    }
    static CVuskEMapDev* AddDevice(CVuskEMapTerm* scene, int kind, int serverId, int index, const char* name = "")
    {
        CVuskEMapDev* device = new CVuskEMapDev;
        device->m_kind = kind;
        device->m_serverId = serverId;
        device->m_index = index;
        device->m_name = name;
        scene->m_devices.AddTail(device);
        return device;
    }

    CTermServer* server_ = nullptr;
};

} // namespace

TEST_F(EMapTest, FreshFileAndRecordLayout)
{
    CVuskEMapGroup map;
    EXPECT_EQ(map.Load(), 0);
    EXPECT_TRUE(SameBytes(ReadBytes(File("emaptree.cfg")), Hex("EE DD BB CC 02 00 00 00 00 00")));

    CVuskEMapTerm* hall = map.AddScene("Hall", nullptr);
    hall->m_mapPath = "C:\\maps\\hall.bmp";
    AddDevice(hall, emapAlarmOutput, 3, 2, "Siren");
    map.AddScene("Room", hall);
    EXPECT_EQ(map.Save(), 1);
    Record r;
    r.Raw(Hex("EE DD BB CC 02 00 00 00 01 00")).NewClass("CVuskEMapTerm");
    r.S("Hall").S("C:\\maps\\hall.bmp").D(10).D(10).D(100).D(60).W(1);
    r.NewClass("CVuskEMapDev").D(4).D(0).D(0).D(80).D(60).S("Siren").D(3).D(2);
    r.W(1).OldClass(1).S("Room").S("").D(10).D(10).D(100).D(60).W(0).W(0);
    EXPECT_TRUE(SameBytes(ReadBytes(File("emaptree.cfg")), r.bytes));
}

TEST_F(EMapTest, DevicesBindIntoTheCameraRecords)
{
    CTermCamera* disabled = server_->FindCamera(3);
    disabled->m_disabled = 1;
    CVuskEMapGroup map;
    CVuskEMapTerm* scene = map.AddScene("Hall", nullptr);
    CVuskEMapTerm* room = map.AddScene("Room", scene);
    CVuskEMapDev* sensor = AddDevice(scene, emapAlarmInput, 3, 1, "Door");
    CVuskEMapDev* camera = AddDevice(room, emapCamera, 3, 0);
    AddDevice(room, emapCamera, 3, 3);       // disabled camera: kept, unbound
    AddDevice(room, emapCamera, 3, 9);       // camera gone: dropped
    AddDevice(scene, emapAlarmOutput, 8, 0); // server gone: dropped
    map.LinkAll();

    EXPECT_EQ(scene->m_devices.GetCount(), 1);
    EXPECT_EQ(room->m_devices.GetCount(), 2);
    EXPECT_EQ(room->m_pParent, scene);
    EXPECT_EQ(camera->m_pScene, room);
    EXPECT_EQ(camera->m_caption, "P:G:DVR:摄像机1");
    EXPECT_EQ(camera->m_name, "摄像机1");
    EXPECT_EQ(server_->FindCamera(0)->m_pEMapDev, camera);
    EXPECT_EQ(sensor->m_caption, "P:G:DVR:Door");
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_EQ(server_->FindCamera(channel)->m_pEMapInputs[1], sensor) << channel;
    EXPECT_EQ(disabled->m_pEMapInputs[1], nullptr);
    EXPECT_FALSE(room->m_devices.GetTail()->IsBound());

    EXPECT_TRUE(map.ContainsDevice(3, emapCamera, 0));
    EXPECT_TRUE(map.ContainsDevice(3, emapCamera, 3));
    EXPECT_FALSE(map.ContainsDevice(3, emapCamera, 9));

    map.Save();

    // Destroying a device clears what it bound; a scene goes with its child scenes.
    room->RemoveDevice(camera);
    EXPECT_EQ(server_->FindCamera(0)->m_pEMapDev, nullptr);
    map.DeleteScene(scene);
    EXPECT_TRUE(map.m_scenes.IsEmpty());
    EXPECT_EQ(server_->FindCamera(2)->m_pEMapInputs[1], nullptr);

    // The kept device stayed in the file.
    CVuskEMapGroup loaded;
    EXPECT_EQ(loaded.Load(), 1);
    EXPECT_TRUE(loaded.ContainsDevice(3, emapCamera, 3));
    EXPECT_FALSE(loaded.ContainsDevice(3, emapCamera, 9));
}

TEST_F(EMapTest, AlarmIndexOutsideTheSlotsFailsTheLoad)
{
    CVuskEMapGroup map;
    AddDevice(map.AddScene("Hall", nullptr), emapAlarmInput, 3, 3);
    map.Save();
    Bytes bytes = ReadBytes(File("emaptree.cfg"));
    bytes[bytes.size() - 2 - 4] = 4; // the index of the only device, before the child count
    WriteBytes(File("emaptree.cfg"), bytes);
    EXPECT_EQ(map.Load(), 0);
    EXPECT_TRUE(map.m_scenes.IsEmpty());
    EXPECT_TRUE(SameBytes(ReadBytes(File("emaptree.cfg.bad")), bytes));
}

TEST_F(EMapTest, AlarmStateReachesTheIconOnlyWhenItChanges)
{
    CVuskEMapDev device;
    device.SetAlarm(1);
    EXPECT_TRUE(map_.calls.empty()); // no icon window
    device.m_pIcon = reinterpret_cast<CEMapIcon*>(FakeSession(7));
    device.SetAlarm(1);
    device.SetAlarm(0);
    EXPECT_EQ(device.m_alarmState, 0);
    EXPECT_EQ(map_.calls, (std::vector<std::string>{"icon 0"}));
    EXPECT_TRUE(view_.calls.empty()) << "the map's icons are the map's, not the wall's";
}
