// Tables over the edits of the camera pages and of the other dialogs: no number, just out of range,
// too long. Each is answered by the framework's message with the focus on the edit; the dialog
// stays open, and the camera, server, tour and their files stay as they were.
#include <gtest/gtest.h>

#include "station/config/servers/DlgCameraEdit.h"
#include "station/config/servers/DlgCameraSetting.h"
#include "station/config/servers/DlgServerName.h"
#include "station/config/servers/DlgTourSetting.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

class BadInputTest : public ConfigTest {};

const char kNoInteger[] = "请键入一个整数。";

std::string Range(int low, int high)
{
    return "请填入一个在" + std::to_string(low) + "和" + std::to_string(high) + "之间的整数。";
}

} // namespace

TEST_F(BadInputTest, CameraPageEditsRefuseBadNumbers)
{
    const struct {
        int tab;
        int id;
        std::string text;
        std::string message;
    } cases[] = {
        {0, IDC_GRID_START_HOUR, "123", Range(0, 24)},
        {0, IDC_GRID_START_HOUR + 3, "25", Range(0, 24)},
        {0, IDC_GRID_START_MINUTE + 6, "60", Range(0, 59)},
        {0, IDC_GRID_END_HOUR, "x", kNoInteger},
        {0, IDC_GRID_END_MINUTE + 2, "", kNoInteger},
        {1, IDC_ALARM_DELAY, "4", Range(5, 120)},
        {1, IDC_ALARM_DELAY, "121", Range(5, 120)},
        {1, IDC_ALARM_DELAY, "5s", kNoInteger},
        {3, IDC_NO_MOTION_SECONDS, "10001", Range(0, 10000)},
        {3, IDC_NO_MOTION_SECONDS, "-1", Range(0, 10000)},
        {3, IDC_NO_MOTION_SECONDS, "abc", kNoInteger},
        {3, IDC_TIMED_SNAPSHOT_SECONDS, "x", kNoInteger},
        {5, IDC_KEYBOARD_NUMBER, "256", Range(0, 255)},
        {6, IDC_SOUND_GRID_START_HOUR, "300", Range(0, 24)},
        {6, IDC_SOUND_GRID_END_MINUTE + 1, "60", Range(0, 59)},
        {8, IDC_TALK_RESET, "1.5", kNoInteger},
        {9, IDC_MATRIX_MONITOR, "256", Range(0, 255)},
        {9, IDC_MATRIX_NETWORK, "-1", Range(0, 255)},
        {9, IDC_MATRIX_FILE, std::string(256, '7'), "在此字段中请不要超过255个字符。"},
        {4, IDC_DESCRIPTION, std::string(501, 'a'), "在此字段中请不要超过500个字符。"},
    };
    MakeLiveTree();
    CTermCamera* camera = FindCamera(*g_pRecGroup, "大厅", 0);
    const std::string before = FileBytes("servertree.cfg");
    const int monitor = camera->m_matrixMonitor;
    camera->m_timedSnapshot = 1; // its seconds edit is enabled only then
    camera->m_timedSnapshotSeconds = 15;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " \"" + c.text.substr(0, 10) + "\"");
        MessageBoxRecorder boxes;
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera;
        INT_PTR result = RunModal(dialog, {[&](CWnd* modal) {
                                      CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                                      CWnd* page = d->m_host.GetPage(c.tab);
                                      SetText(page, c.id, c.text);
                                      ClickButton(d, IDOK);
                                      EXPECT_EQ(c.tab, d->m_tab.GetCurSel());
                                      EXPECT_EQ(c.id, FocusId());
                                      EXPECT_TRUE(d->IsWindowVisible());
                                      ClickButton(d, IDCANCEL);
                                      return true;
                                  }});
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(c.message, boxes.Boxes()[0].text);
        EXPECT_EQ(before, FileBytes("servertree.cfg"));
        EXPECT_STREQ("", camera->m_description);
        EXPECT_EQ(monitor, camera->m_matrixMonitor);
    }
}

TEST_F(BadInputTest, OtherDialogsRefuseBadInput)
{
    enum Dialog { name, cameraEdit, alarmInput, tour };
    const struct {
        Dialog dialog;
        int id;
        std::string text;
        std::string message;
    } cases[] = {
        {name, IDC_NAME_EDIT, "", "名称不能为空，请重新输入!"},
        {cameraEdit, IDC_NAME_EDIT, std::string(41, 'c'), "在此字段中请不要超过40个字符。"},
        {alarmInput, IDC_INPUT_DELAY, "4", Range(5, 120)},
        {alarmInput, IDC_INPUT_DELAY, "121", Range(5, 120)},
        {alarmInput, IDC_INPUT_DELAY, "x", kNoInteger},
        {alarmInput, IDC_INPUT_NAME, std::string(40, 'n'), "在此字段中请不要超过39个字符。"},
        {alarmInput, IDC_GRID_START_HOUR + 2, "25", Range(0, 24)},
        {alarmInput, IDC_GRID_END_MINUTE + 6, "60", Range(0, 59)},
        {alarmInput, IDC_GRID_END_HOUR, "", kNoInteger},
        {tour, IDC_TOUR_DWELL, "4", Range(5, 3600)},
        {tour, IDC_TOUR_DWELL, "3601", Range(5, 3600)},
        {tour, IDC_TOUR_DWELL, "10s", kNoInteger},
    };
    MakeLiveTree();
    CTermServer* server = FindServer(*g_pRecGroup, "仓库");
    server->m_alarmInputs[0].holdSeconds = 9;
    // A tour of one page with one camera, dwelling 10 seconds.
    g_pLoopGroup = new CVuskLoopGroup;
    {
        CDlgTourSetting dialog;
        RunModal(dialog, {[](CWnd* modal) {
                     SetText(modal, IDC_TOUR_DWELL, "10");
                     ClickButton(modal, IDC_TOUR_ADD_PAGE);
                     dynamic_cast<CDlgTourSetting*>(modal)->m_cameraList.SetCurSel(0);
                     ClickButton(modal, IDC_TOUR_ADD_CHANNEL);
                     ClickButton(modal, IDCANCEL);
                     return true;
                 }});
    }
    ASSERT_EQ(1, g_pLoopGroup->m_pages.GetCount());
    const std::string tree = FileBytes("servertree.cfg");
    const std::string tours = FileBytes("loopview.cfg");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dialog) + " " + std::to_string(c.id) + " \"" + c.text.substr(0, 10) + "\"");
        MessageBoxRecorder boxes;
        std::unique_ptr<CDialog> dialog;
        int button = IDOK;
        if (c.dialog == name) {
            CDlgServerName* d = new CDlgServerName;
            d->m_mode = CDlgServerName::modeEditGroup;
            d->m_name = "大楼";
            dialog.reset(d);
        } else if (c.dialog == cameraEdit) {
            CDlgCameraEdit* d = new CDlgCameraEdit;
            d->m_channelShown = 1;
            d->m_name = "摄像机1";
            dialog.reset(d);
        } else if (c.dialog == alarmInput) {
            dialog.reset(new CAlarmDetectHost(server));
            button = IDC_INPUT_SET;
        } else {
            dialog.reset(new CDlgTourSetting);
            button = IDC_TOUR_CHANGE_DWELL;
        }
        INT_PTR result = RunModal(*dialog, {[&](CWnd* modal) {
            CWnd* target = modal;
            if (CAlarmDetectHost* host = dynamic_cast<CAlarmDetectHost*>(modal))
                target = &host->m_page;
            if (CDlgTourSetting* d = dynamic_cast<CDlgTourSetting*>(modal)) {
                d->m_pageList.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                Notify(d, IDC_TOUR_PAGES, NM_CLICK);
            }
            SetText(target, c.id, c.text);
            ClickButton(target, button);
            EXPECT_EQ(c.id, FocusId());
            EXPECT_TRUE(modal->IsWindowVisible());
            ClickButton(modal, IDCANCEL);
            return true;
        }});
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(c.message, boxes.Boxes()[0].text);
        EXPECT_EQ(9, server->m_alarmInputs[0].holdSeconds);
        EXPECT_EQ(10, g_pLoopGroup->m_pages.GetHead()->m_dwellSeconds);
        EXPECT_EQ(tree, FileBytes("servertree.cfg"));
        EXPECT_EQ(tours, FileBytes("loopview.cfg"));
    }
}
