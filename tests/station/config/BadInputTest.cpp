// One table over the edits of the camera pages: no number, just out of range, too long. Each is
// answered by the framework's message with the focus on the edit; OK stays open on that page, and
// the camera and "servertree.cfg" stay as they were.
#include <gtest/gtest.h>

#include "station/config/DlgCameraSetting.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
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
