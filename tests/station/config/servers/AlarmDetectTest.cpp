// The alarm input page in a tab host, as the server local settings dialog holds it.
#include <gtest/gtest.h>

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/sessions/AlarmBoxPoller.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

ModalStep OnPage(std::function<void(CDlgAlarmDetect*)> action)
{
    return [=](CWnd* modal) {
        CAlarmDetectHost* host = dynamic_cast<CAlarmDetectHost*>(modal);
        if (host == nullptr)
            return false;
        action(&host->m_page);
        return true;
    };
}

ModalStep Close()
{
    return [](CWnd* modal) {
        ClickButton(modal, IDCANCEL);
        return true;
    };
}

class AlarmDetectTest : public ConfigTest {
protected:
    void SetUp() override
    {
        ConfigTest::SetUp();
        MakeLiveTree();
        server_ = FindServer(*g_pRecGroup, "仓库");
        server_->m_alarmInputs[2].holdSeconds = 7;
        server_->m_alarmInputs[2].SetName("后门");
    }
    CTermServer* server_ = nullptr;
};

} // namespace

TEST_F(AlarmDetectTest, SetStoresTheShownInputWithAWholeDelay)
{
    CAlarmDetectHost host(server_);
    RunModal(host, {OnPage([](CDlgAlarmDetect* page) {
                        EXPECT_EQ(16, (int)page->SendDlgItemMessage(IDC_INPUT_CHOICE, CB_GETCOUNT));
                        EXPECT_EQ("输入1", GetText(page, IDC_INPUT_CHOICE));
                        SelectCombo(page, IDC_INPUT_CHOICE, 2);
                        EXPECT_EQ("07", GetText(page, IDC_INPUT_DELAY));
                        EXPECT_EQ("后门", GetText(page, IDC_INPUT_NAME));
                        SetText(page, IDC_INPUT_DELAY, "120");
                        SetText(page, IDC_INPUT_NAME, std::string(39, 'n'));
                        SetText(page, IDC_GRID_END_HOUR + 1, "24");
                        SetCheckBox(page, 4055, true);
                        SetCheckBox(page, IDC_INPUT_CHANNEL1 + 3, true);
                        SetCheckBox(page, IDC_INPUT_REPORT, true);
                        ClickButton(page, IDC_INPUT_SET);
                    }),
                    Close()});
    const AlarmInputConfig& input = server_->m_alarmInputs[2];
    EXPECT_EQ(120, input.holdSeconds);
    EXPECT_EQ(std::string(39, 'n'), std::string(input.GetName()));
    EXPECT_EQ(24, input.schedule[1].endHour);
    EXPECT_EQ(1, input.outputs[15]);
    EXPECT_EQ(1, input.connectCameras[3]);
    EXPECT_EQ(1, input.reportToCentre);
    EXPECT_EQ(nullptr, server_->m_pAlarmBoxPoller); // detection stayed off
}

// Bad entries on this page are in the bad-input table.
TEST_F(AlarmDetectTest, ChangingInputWithoutSetDropsTheEdits)
{
    MessageBoxRecorder boxes;
    CAlarmDetectHost host(server_);
    RunModal(host, {OnPage([](CDlgAlarmDetect* page) {
                        SelectCombo(page, IDC_INPUT_CHOICE, 2);
                        SetText(page, IDC_INPUT_DELAY, "99");
                        SetText(page, IDC_INPUT_NAME, "前门");
                        SelectCombo(page, IDC_INPUT_CHOICE, 3);
                        SelectCombo(page, IDC_INPUT_CHOICE, 2);
                        EXPECT_EQ("07", GetText(page, IDC_INPUT_DELAY));
                        EXPECT_EQ("后门", GetText(page, IDC_INPUT_NAME));
                    }),
                    Close()});
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(7, server_->m_alarmInputs[2].holdSeconds);
    EXPECT_EQ("后门", std::string(server_->m_alarmInputs[2].GetName()));
}

TEST_F(AlarmDetectTest, DetectionSwitchesAPollerThatPollsTheBox)
{
    DevsimSite& site = ConfigSite();
    server_->m_address = "127.0.0.1";
    server_->m_port = site.Port("Alpha");
    server_->m_user = "admin";
    server_->m_password = "secret";
    server_->m_serialPort = 0;
    server_->m_boxAddress = 1;
    server_->m_pollSeconds = 1;
    CAlarmDetectHost host(server_);
    CAlarmBoxPoller* first = nullptr;
    RunModal(host,
             {OnPage([&](CDlgAlarmDetect* page) {
                  SetCheckBox(page, IDC_DETECT_ENABLE, true);
                  ClickButton(page, IDC_INPUT_SET);
                  first = server_->m_pAlarmBoxPoller;
                  ASSERT_NE(nullptr, first);
                  EXPECT_EQ(server_, first->m_pServer);
                  EXPECT_TRUE(site.WaitState("Alpha", "box_open", "1", 10000));
                  EXPECT_TRUE(WaitUntil([&] { return std::atoi(site.State("Alpha", "box_polls").c_str()) >= 1; }));
                  ClickButton(page, IDC_INPUT_SET);
                  EXPECT_EQ(first, server_->m_pAlarmBoxPoller);
                  EXPECT_NE(nullptr, first->m_hThread);
                  SetCheckBox(page, IDC_DETECT_ENABLE, false);
                  ClickButton(page, IDC_INPUT_SET);
                  EXPECT_EQ(nullptr, first->m_hThread);
                  EXPECT_TRUE(site.WaitState("Alpha", "box_open", "0", 10000));
              }),
              Close()});
    EXPECT_EQ(0, server_->m_alarmBoxEnabled);
    EXPECT_EQ(first, server_->m_pAlarmBoxPoller);
}
