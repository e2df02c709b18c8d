// The server local settings: the alarm-box page's conversions and its "设置", refused numbers, and
// OK saving the tree whether or not the page was stored.
#include <gtest/gtest.h>

#include "station/config/servers/DlgServerLocalSetting.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermServer.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

ModalStep OnBox(std::function<void(CDlgServerLocalSetting*, CWnd*)> action)
{
    return [=](CWnd* modal) {
        CDlgServerLocalSetting* d = dynamic_cast<CDlgServerLocalSetting*>(modal);
        if (d == nullptr)
            return false;
        action(d, &d->m_boxPage);
        return true;
    };
}

ModalStep Press(int id)
{
    return [=](CWnd* modal) {
        ClickButton(modal, id);
        return true;
    };
}

class ServerLocalSettingTest : public ConfigTest {
protected:
    void SetUp() override
    {
        ConfigTest::SetUp();
        MakeLiveTree();
        server_ = FindServer(*g_pRecGroup, "仓库");
        server_->m_alarmBoxProtocol = 0;
        server_->m_serialPort = 1;
        server_->m_boxAddress = 17;
        server_->m_baudRate = 19200;
        server_->m_dataBits = 9;
        server_->m_stopBits = 3;
        server_->m_parity = 2;
        server_->m_flowControl = 1;
        server_->m_pollSeconds = 4;
        server_->m_alarmIntervalSeconds = 60;
    }
    // The tree as "servertree.cfg" holds it now (the constructor loads it).
    std::unique_ptr<CRecGroup> SavedTree() { return std::make_unique<CRecGroup>(); }
    CTermServer* server_ = nullptr;
};

} // namespace

TEST_F(ServerLocalSettingTest, OddLineSettingsShowAsTheLastChoiceAndAreStoredSoBySet)
{
    CDlgServerLocalSetting dialog;
    dialog.m_pServer = server_;
    INT_PTR result = RunModal(dialog, {OnBox([](CDlgServerLocalSetting* d, CWnd* page) {
                                           EXPECT_EQ(2, d->m_tab.GetItemCount());
                                           EXPECT_TRUE(page->IsWindowVisible());
                                           EXPECT_FALSE(d->m_inputPage.IsWindowVisible());
                                           EXPECT_EQ("KR7410B5", GetText(page, IDC_ALARMBOX_PROTOCOL));
                                           EXPECT_EQ("RS232", GetText(page, IDC_ALARMBOX_PORT_KIND));
                                           EXPECT_EQ("9600", GetText(page, IDC_ALARMBOX_BAUD));
                                           EXPECT_EQ("8", GetText(page, IDC_ALARMBOX_DATA_BITS));
                                           EXPECT_EQ("2", GetText(page, IDC_ALARMBOX_STOP_BITS));
                                           EXPECT_EQ("偶校验", GetText(page, IDC_ALARMBOX_PARITY));
                                           EXPECT_EQ("软流控", GetText(page, IDC_ALARMBOX_FLOW));
                                           EXPECT_EQ("17", GetText(page, IDC_ALARMBOX_ADDRESS));
                                           SetText(page, IDC_ALARMBOX_INTERVAL, "300");
                                           ClickButton(page, IDC_ALARMBOX_SET);
                                           SelectTab(d, IDC_SETTING_TAB, 1);
                                           EXPECT_TRUE(d->m_inputPage.IsWindowVisible());
                                           EXPECT_FALSE(page->IsWindowVisible());
                                       }),
                                       Press(IDOK)});
    ASSERT_EQ(IDOK, result);
    std::unique_ptr<CRecGroup> tree = SavedTree();
    CTermServer* saved = FindServer(*tree, "仓库");
    ASSERT_NE(nullptr, saved);
    EXPECT_EQ(9600, saved->m_baudRate);
    EXPECT_EQ(8, saved->m_dataBits);
    EXPECT_EQ(2, saved->m_stopBits);
    EXPECT_EQ(17, saved->m_boxAddress);
    EXPECT_EQ(1, saved->m_serialPort);
    EXPECT_EQ(2, saved->m_parity);
    EXPECT_EQ(1, saved->m_flowControl);
    EXPECT_EQ(300, saved->m_alarmIntervalSeconds);
}

TEST_F(ServerLocalSettingTest, OkWithoutSetKeepsTheOldValuesAndStillSavesTheTree)
{
    ::DeleteFileA(StartPath("servertree.cfg").c_str());
    CDlgServerLocalSetting dialog;
    dialog.m_pServer = server_;
    RunModal(dialog, {OnBox([](CDlgServerLocalSetting*, CWnd* page) {
                          SelectCombo(page, IDC_ALARMBOX_BAUD, 0);
                          SetText(page, IDC_ALARMBOX_ADDRESS, "99");
                      }),
                      Press(IDOK)});
    EXPECT_EQ(19200, server_->m_baudRate);
    EXPECT_EQ(17, server_->m_boxAddress);
    std::unique_ptr<CRecGroup> tree = SavedTree();
    CTermServer* saved = FindServer(*tree, "仓库");
    ASSERT_NE(nullptr, saved) << "the tree was saved";
    EXPECT_EQ(19200, saved->m_baudRate);
}

// The page's three numbers refused by "设置" with the framework's message and the focus on the edit;
// nothing of the page reaches the server.
TEST_F(ServerLocalSettingTest, SetRefusesNumbersOutOfRange)
{
    const struct {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_ALARMBOX_ADDRESS, "256", "请填入一个在0和255之间的整数。"},
        {IDC_ALARMBOX_ADDRESS, "-1", "请填入一个在0和255之间的整数。"},
        {IDC_ALARMBOX_POLL, "1", "请填入一个在2和100之间的整数。"},
        {IDC_ALARMBOX_POLL, "101", "请填入一个在2和100之间的整数。"},
        {IDC_ALARMBOX_INTERVAL, "4", "请填入一个在5和300之间的整数。"},
        {IDC_ALARMBOX_INTERVAL, "301", "请填入一个在5和300之间的整数。"},
        {IDC_ALARMBOX_INTERVAL, "", "请键入一个整数。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " " + c.text);
        MessageBoxRecorder boxes;
        CDlgServerLocalSetting dialog;
        dialog.m_pServer = server_;
        RunModal(dialog, {OnBox([&](CDlgServerLocalSetting*, CWnd* page) {
                              SelectCombo(page, IDC_ALARMBOX_PARITY, 4);
                              SetText(page, c.id, c.text);
                              ClickButton(page, IDC_ALARMBOX_SET);
                              EXPECT_EQ(c.id, FocusId());
                          }),
                          Press(IDCANCEL)});
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(c.message, boxes.Boxes()[0].text);
        EXPECT_EQ(2, server_->m_parity);
        EXPECT_EQ(19200, server_->m_baudRate);
    }
}
