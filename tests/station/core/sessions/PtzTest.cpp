// PTZ through the server and through a protocol file, presets and the preset cycle, the camera's
// PTZ device address, relays, sound and camera inputs.
#include "tests/station/core/sessions/SessionTestSupport.h"

#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"

namespace {

// The PTZ commands the server received since the last call, as devsim lists them ("ok N ...").
std::string TakePtz(const char* server, size_t expected)
{
    std::string prefix = "ok " + std::to_string(expected);
    std::string answer;
    WaitUntil([&] {
        answer = Site().Command(std::string("ptz ") + server);
        return answer == prefix || answer.compare(0, prefix.size() + 1, prefix + " ") == 0;
    });
    Site().Ok(std::string("ptz-clear ") + server);
    return answer;
}

const char kProtocol[] = "[Protocol]\r\n"
                         "Name=TESTPTZ\r\n"
                         "Description=TESTPTZ delay300\r\n"
                         "[Commands]\r\n"
                         "2=FF A 00 04 S 00 C\r\n"
                         "10=BB A 07 V C\r\n"
                         "35=AA A V C\r\n";

} // namespace

TEST_F(SessionTest, PtzGoesThroughTheServerOrThroughAProtocolFile)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 2), 1);
    camera->m_matrixMonitor = 7; // decoder address
    camera->m_matrixValue = 9;   // default speed
    camera->m_matrixNetwork = 3; // value of the matrix codes
    CChannelSession* session = MakeSession(camera);
    EXPECT_EQ(-1, session->PtzControl(0, 5, -1)); // nothing goes out before connecting
    ASSERT_TRUE(ConnectSession(session));
    Site().Ok("ptz-clear Alpha");

    EXPECT_EQ(1, session->PtzControl(0, 5, -1));
    EXPECT_EQ("ok 1 1:0:5", TakePtz("Alpha", 1));

    std::string file = dir_->File("test.ptz");
    ASSERT_TRUE(WriteTextFile(file, kProtocol));
    EXPECT_EQ(0, session->SetPtzProtocol(dir_->File("missing.ptz").c_str()));
    EXPECT_EQ(0, session->m_ptzProtocol);
    ASSERT_EQ(1, session->SetPtzProtocol(file.c_str()));
    EXPECT_NE(0, session->m_ptzProtocol);
    EXPECT_EQ(300, session->m_protocolDelay);
    EXPECT_EQ(file, std::string(camera->m_matrixControlFile));

    // Address, speed and checksum from the camera's settings; the matrix codes take its value.
    EXPECT_EQ(1, session->PtzControl(2, 0, -1));
    EXPECT_EQ(1, session->PtzControl(35, 99, 5));
    EXPECT_EQ(1, session->PtzControl(10, 4, -1));
    EXPECT_EQ(0, session->PtzControl(4, 0, -1)); // no command for the code: nothing sent
    EXPECT_EQ("ok 3 1:serial0:FF070004090014 1:serial0:AA07030A 1:serial0:BB07070412", TakePtz("Alpha", 3));

    // A protocol that cannot be loaded leaves the old one in place.
    int handle = session->m_ptzProtocol;
    EXPECT_EQ(0, session->SetPtzProtocol(dir_->File("missing.ptz").c_str()));
    EXPECT_EQ(handle, session->m_ptzProtocol);
    EXPECT_EQ(file, std::string(camera->m_matrixControlFile));

    // No protocol name: back to the server's own PTZ.
    EXPECT_EQ(1, session->SetPtzProtocol(""));
    EXPECT_EQ(0, session->m_ptzProtocol);
    EXPECT_TRUE(camera->m_matrixControlFile.IsEmpty());
    EXPECT_EQ(1, session->PtzControl(2, 0, -1));
    EXPECT_EQ("ok 1 1:2:0", TakePtz("Alpha", 1));
}

TEST_F(SessionTest, DelayIsReadAfterTheWordDelayWhenItIsNotAtTheStart)
{
    struct Case {
        const char* text;
        int expected; // starting from 7
    };
    const Case cases[] = {
        {"PELCO delay300", 300},
        {"delay300", 7},
        {"SpeedDome delay 45", 45},
        {"no word here", 7},
        {"PELCO delayfast", 7},
        {"\x81"
         "delay300",
         7}, // a double-byte character whose second byte looks like 'd'
        {"云台 delay120", 120},
    };
    for (const Case& c : cases) {
        int delay = 7;
        CChannelSession::ReadDelay(c.text, delay);
        EXPECT_EQ(c.expected, delay) << c.text;
    }
}

TEST_F(SessionTest, PresetCycleCallsEachPresetAfterItsDwell)
{
    CTermCamera* camera = Camera(AddServer("Alpha", 1), 0);
    for (int preset : {1, 2, -1, 3})
        camera->m_presetTour.Add(PresetTourEntry{preset, 10});
    CChannelSession* session = MakeSession(camera);
    ASSERT_TRUE(ConnectSession(session));
    Site().Ok("ptz-clear Alpha");

    session->StepPresetCycle(1, 1);
    EXPECT_EQ(1, session->m_presetCycleRunning);
    EXPECT_EQ("ok 1 0:10:1", TakePtz("Alpha", 1));
    Tick(10);
    EXPECT_EQ("ok 0", TakePtz("Alpha", 0));
    Tick(1);
    EXPECT_EQ("ok 1 0:10:2", TakePtz("Alpha", 1));
    Tick(11); // the skipped entry only waits
    EXPECT_EQ("ok 0", TakePtz("Alpha", 0));
    Tick(11);
    EXPECT_EQ("ok 1 0:10:3", TakePtz("Alpha", 1));
    Tick(11);
    EXPECT_EQ("ok 1 0:10:1", TakePtz("Alpha", 1));

    session->StepPresetCycle(0, 0);
    EXPECT_EQ(0, session->m_presetCycleRunning);
    EXPECT_EQ(0, session->m_presetCycleCountdown.active);
    camera->m_presetTour.RemoveAll();
    session->StepPresetCycle(1, 1);
    EXPECT_EQ(0, session->m_presetCycleRunning);
}

TEST_F(SessionTest, DeviceAddressRelaysSoundAndCameraInputs)
{
    CTermServer* server = AddServer("Alpha", 4);
    CTermCamera* camera = Camera(server, 3);
    CChannelSession* session = MakeSession(camera);
    EXPECT_EQ(-1, session->GetDeviceAddress());
    EXPECT_EQ(-1, session->SetRelay(1, 1));
    RecordingPane& pane = NewPane();
    ASSERT_TRUE(ConnectSession(session, &pane));

    EXPECT_EQ(1, session->SetDeviceAddress(23));
    EXPECT_EQ(23, session->GetDeviceAddress());
    EXPECT_EQ("ok 00000000000000000000000017000000", Site().Command("params Alpha 3"));

    // Relay states follow the server's event, and the read after connecting sets the map icons.
    EXPECT_EQ(1, session->SetRelay(2, 1));
    EXPECT_TRUE(WaitUntil([&] { return session->m_relayStates[2] == 1; }));
    CVuskEMapDev output;
    camera->m_pEMapOutputs[2] = &output;
    session->ReadRelayStates();
    EXPECT_EQ(1, output.m_alarmState);
    EXPECT_EQ(1, session->SetRelay(2, 0));
    EXPECT_TRUE(WaitUntil([&] { return session->m_relayStates[2] == 0; }));
    session->ProcessAlarms(); // every pass shows the relay states on the output icons
    EXPECT_EQ(0, output.m_alarmState);
    camera->m_pEMapOutputs[2] = nullptr;

    // Sound: only while the picture is shown; otherwise the sound is switched off.
    session->ShowPreview(0);
    session->SetAudio(1);
    EXPECT_EQ(1, session->m_audioState);
    EXPECT_EQ(0, session->m_audioWanted);
    EXPECT_EQ(1, pane.Last("audio"));
    session->ShowPreview(1);
    session->SetAudio(1);
    EXPECT_EQ(2, session->m_audioState);
    EXPECT_EQ(2, pane.Last("audio"));
    server->AudioOffAll();
    EXPECT_EQ(1, session->m_audioState);
    EXPECT_EQ(0, session->m_audioWanted);

    session->SelectCamera(3);
    EXPECT_TRUE(WaitUntil([&] { return session->m_currentInput == 3; }));
    session->SelectCamera(0);
    EXPECT_TRUE(WaitUntil([&] { return session->m_currentInput == 0; }));
}
