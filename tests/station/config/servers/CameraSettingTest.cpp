// The camera settings dialog and its pages on a live tree: loading, storing, apply-to-all, the
// frame's OK, the linked-recording picker and the relay outputs of the linkage pages.
#include <gtest/gtest.h>

#include "station/config/servers/DlgCameraSelect.h"
#include "station/config/servers/DlgCameraSetting.h"
#include "station/config/servers/ServerTreeView.h"
#include "station/config/CameraWalker.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/sessions/ChannelSession.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

enum { tabSched, tabAlarm, tabSnapshot, tabOther, tabDesc, tabLinkage, tabSound, tabLinkRecord, tabTalk, tabMatrix };

CDlgCameraSetting* AsSetting(CWnd* modal)
{
    return dynamic_cast<CDlgCameraSetting*>(modal);
}

// A step on the camera settings dialog (waits while a nested dialog is on top).
ModalStep OnSetting(std::function<void(CDlgCameraSetting*)> action)
{
    return [=](CWnd* modal) {
        CDlgCameraSetting* dialog = AsSetting(modal);
        if (dialog == nullptr)
            return false;
        action(dialog);
        return true;
    };
}

int SelectedTab(CDlgCameraSetting* dialog)
{
    return (int)dialog->m_tab.GetCurSel();
}

class CameraSettingTest : public ConfigTest {
protected:
    void SetUp() override
    {
        ConfigTest::SetUp();
        MakeLiveTree();
        camera_ = FindCamera(*g_pRecGroup, "大厅", 0);
    }
    CTermCamera* camera_ = nullptr;
};

} // namespace

TEST_F(CameraSettingTest, PagesAreChildrenOfTheTabOverItsDisplayAreaOneShown)
{
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    RunModal(dialog, {OnSetting([](CDlgCameraSetting* d) {
                          ASSERT_EQ(10, d->m_host.GetCount());
                          RECT area;
                          d->m_tab.GetClientRect(&area);
                          d->m_tab.SendMessage(TCM_ADJUSTRECT, FALSE, (LPARAM)&area);
                          for (int i = 0; i < 10; ++i) {
                              CConfigPage* page = d->m_host.GetPage(i);
                              EXPECT_EQ(d->m_tab.m_hWnd, ::GetParent(page->m_hWnd));
                              EXPECT_EQ(i == 0, page->IsWindowVisible() != FALSE) << i;
                              RECT rect;
                              page->GetWindowRect(&rect);
                              d->m_tab.ScreenToClient(&rect);
                              EXPECT_EQ(area.left, rect.left);
                              EXPECT_EQ(area.top, rect.top);
                          }
                          SelectTab(d, IDC_SETTING_TAB, tabSound);
                          for (int i = 0; i < 10; ++i)
                              EXPECT_EQ(i == tabSound, d->m_host.GetPage(i)->IsWindowVisible() != FALSE) << i;
                      }),
                      OnSetting([](CDlgCameraSetting* d) { ClickButton(d, IDCANCEL); })});
}

TEST_F(CameraSettingTest, SmoothnessNotInTheTableOpensAsFiveAndIsStoredAsFive)
{
    camera_->m_playSmoothness = 7;
    camera_->m_forwardSmoothness = 50;
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    INT_PTR result = RunModal(dialog, {OnSetting([](CDlgCameraSetting* d) {
                                  EXPECT_EQ("5", GetText(&d->m_other, IDC_PLAY_SMOOTHNESS));
                                  EXPECT_EQ("50", GetText(&d->m_other, IDC_FORWARD_SMOOTHNESS));
                                  ClickButton(d, IDOK);
                              })});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(5, camera_->m_playSmoothness);
    EXPECT_EQ(50, camera_->m_forwardSmoothness);
    CRecGroup reloaded;
    EXPECT_EQ(5, FindCamera(reloaded, "大厅", 0)->m_playSmoothness);
}

TEST_F(CameraSettingTest, ApplyToAllRefusesARangeAndCancelKeepsWhatItApplied)
{
    const std::string before = FileBytes("servertree.cfg");
    MessageBoxRecorder boxes;
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    INT_PTR result = RunModal(dialog, {OnSetting([](CDlgCameraSetting* d) {
                                  SelectTab(d, IDC_SETTING_TAB, tabAlarm);
                                  SetText(&d->m_alarmRecord, IDC_ALARM_DELAY, "200");
                                  ClickButton(&d->m_alarmRecord, IDC_APPLY_ALL_CAMERAS);
                                  ForEachCamera(g_pRecGroup, [](CTermCamera* c) {
                                      EXPECT_NE(200, c->m_alarmDelaySeconds);
                                      EXPECT_NE(45, c->m_alarmDelaySeconds);
                                  });
                                  SetText(&d->m_alarmRecord, IDC_ALARM_DELAY, "45");
                                  SetCheckBox(&d->m_alarmRecord, 1230, true);
                                  ClickButton(&d->m_alarmRecord, IDC_APPLY_ALL_CAMERAS);
                                  ClickButton(d, IDCANCEL);
                              })});
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("请填入一个在5和120之间的整数。", boxes.Boxes()[0].text);
    int cameras = 0;
    ForEachCamera(g_pRecGroup, [&](CTermCamera* c) {
        ++cameras;
        EXPECT_EQ(45, c->m_alarmDelaySeconds);
        EXPECT_EQ(1, c->m_externalInputs[15].record);
    });
    EXPECT_EQ(9, cameras);
    EXPECT_EQ(before, FileBytes("servertree.cfg"));
}

TEST_F(CameraSettingTest, OkStaysOpenOnTheFirstRefusingPageAndStoresNothing)
{
    const std::string before = FileBytes("servertree.cfg");
    MessageBoxRecorder boxes;
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    INT_PTR result = RunModal(dialog, {OnSetting([](CDlgCameraSetting* d) {
                                           SetText(&d->m_desc, IDC_DESCRIPTION, "门厅东侧");
                                           SetCheckBox(&d->m_other, IDC_TIMED_SNAPSHOT, true);
                                           SetText(&d->m_other, IDC_TIMED_SNAPSHOT_SECONDS, "0");
                                           SetText(&d->m_schedRecord, IDC_GRID_START_HOUR, "07");
                                           ClickButton(d, IDOK);
                                       }),
                                       OnSetting([this, before](CDlgCameraSetting* d) {
                                           EXPECT_EQ(tabOther, SelectedTab(d));
                                           EXPECT_TRUE(d->m_other.IsWindowVisible());
                                           EXPECT_EQ("", std::string(camera_->m_description));
                                           EXPECT_NE(7, camera_->m_recordSchedule[0].startHour);
                                           EXPECT_EQ(before, FileBytes("servertree.cfg"));
                                           SetText(&d->m_other, IDC_TIMED_SNAPSHOT_SECONDS, "15");
                                           ClickButton(d, IDOK);
                                       })});
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("定时抓拍时间输入错误", boxes.Boxes()[0].text);
    EXPECT_STREQ("门厅东侧", camera_->m_description);
    EXPECT_EQ(std::vector<std::string>({"门厅东侧"}), windows_.descriptions);
    CRecGroup reloaded;
    CTermCamera* saved = FindCamera(reloaded, "大厅", 0);
    EXPECT_EQ(7, saved->m_recordSchedule[0].startHour);
    EXPECT_EQ(15, saved->m_timedSnapshotSeconds);
    EXPECT_EQ(1, saved->m_timedSnapshot);
}

TEST_F(CameraSettingTest, EnterInTheDescriptionStoresItWithoutClosing)
{
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    INT_PTR result = RunModal(dialog, {OnSetting([](CDlgCameraSetting* d) {
                                           SelectTab(d, IDC_SETTING_TAB, tabDesc);
                                           SetText(&d->m_desc, IDC_DESCRIPTION, "后门");
                                           // What the dialog manager sends the page for Enter in its edit.
                                           d->m_desc.SendMessage(WM_COMMAND, IDOK, 0);
                                       }),
                                       OnSetting([this](CDlgCameraSetting* d) {
                                           EXPECT_TRUE(d->IsWindowVisible());
                                           EXPECT_STREQ("后门", camera_->m_description);
                                           ClickButton(d, IDCANCEL);
                                       })});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(std::vector<std::string>({"后门"}), windows_.descriptions);
}

TEST_F(CameraSettingTest, TwoAlarmSoundTypesEditedThenOkKeepBoth)
{
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    RunModal(dialog, {OnSetting([](CDlgCameraSetting* d) {
                 SelectTab(d, IDC_SETTING_TAB, tabSound);
                 SetText(&d->m_alarmSound, IDC_SOUND_GRID_START_HOUR, "08");
                 SetText(&d->m_alarmSound, IDC_SOUND_GRID_END_HOUR + 6, "24");
                 SelectCombo(&d->m_alarmSound, IDC_SOUND_TYPE, 4);
                 SetText(&d->m_alarmSound, IDC_SOUND_GRID_START_HOUR, "09");
                 ClickButton(d, IDOK);
             })});
    EXPECT_EQ(8, camera_->m_sensorSound[0][0].startHour);
    EXPECT_EQ(24, camera_->m_sensorSound[0][6].endHour);
    EXPECT_EQ(9, camera_->m_motionSound[0].startHour);
    EXPECT_EQ(0, camera_->m_lossSound[0].startHour);
}

TEST_F(CameraSettingTest, LinkListsThroughThePicker)
{
    CTermCamera* second = FindCamera(*g_pRecGroup, "大厅", 1);
    camera_->m_links[0].Add(CameraLink{second->m_pServer->m_id, 1, second});
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    auto pick = [](CWnd* modal) {
        CDlgCameraSelect* picker = dynamic_cast<CDlgCameraSelect*>(modal);
        if (picker == nullptr)
            return false;
        CTreeCtrl& tree = picker->m_tree;
        EXPECT_EQ(nullptr, FindTreeItem(tree, "大楼/大厅/摄像机2")); // already listed
        HTREEITEM self = FindTreeItem(tree, "大楼/大厅/摄像机1");
        EXPECT_NE(nullptr, self); // the edited camera may be linked
        tree.SetCheck(self, TRUE);
        // A click on a server's text ticks everything below it.
        HTREEITEM store = FindTreeItem(tree, "大楼/仓库");
        CRect text;
        tree.GetItemRect(store, &text, TRUE);
        picker->ClickAt(text.CenterPoint());
        EXPECT_TRUE(tree.GetCheck(FindTreeItem(tree, "大楼/仓库/摄像机2")));
        // Right of the text nothing happens.
        HTREEITEM entrance = FindTreeItem(tree, "停车场/入口");
        tree.GetItemRect(entrance, &text, TRUE);
        picker->ClickAt(CPoint(text.right + 20, text.CenterPoint().y));
        EXPECT_FALSE(tree.GetCheck(FindTreeItem(tree, "停车场/入口/摄像机1")));
        ClickButton(picker, IDOK);
        return true;
    };
    RunModal(dialog, {OnSetting([](CDlgCameraSetting* d) {
                          SelectTab(d, IDC_SETTING_TAB, tabLinkRecord);
                          EXPECT_EQ(1, d->m_linkRecord.m_list.GetItemCount());
                          ClickButton(&d->m_linkRecord, IDC_LINK_ADD);
                      }),
                      pick, OnSetting([this](CDlgCameraSetting* d) {
                          EXPECT_EQ(4, d->m_linkRecord.m_list.GetItemCount());
                          ASSERT_EQ(4, camera_->m_links[0].GetSize());
                          EXPECT_EQ(camera_, camera_->m_links[0][1].camera);
                          ClickButton(&d->m_linkRecord, IDC_LINK_ALL_TYPES);
                          for (int type = 1; type < cameraLinkLists; ++type)
                              EXPECT_EQ(4, camera_->m_links[type].GetSize()) << type;
                          SelectCombo(&d->m_linkRecord, IDC_LINK_TYPE, 2);
                          d->m_linkRecord.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                          ClickButton(&d->m_linkRecord, IDC_LINK_DELETE);
                          EXPECT_EQ(3, camera_->m_links[2].GetSize());
                          EXPECT_EQ(3, d->m_linkRecord.m_list.GetItemCount());
                          ClickButton(&d->m_linkRecord, IDC_LINK_DELETE_ALL);
                          ClickButton(&d->m_linkRecord, IDC_LINK_ALL_TYPES);
                          for (int type = 0; type < cameraLinkLists; ++type)
                              EXPECT_EQ(0, camera_->m_links[type].GetSize()) << type;
                          camera_->m_links[5].Add(CameraLink{1, 0, camera_});
                          ClickButton(&d->m_linkRecord, IDC_LINK_DELETE_TYPES);
                          EXPECT_EQ(0, camera_->m_links[5].GetSize());
                          ClickButton(d, IDCANCEL);
                      })});
}

TEST_F(CameraSettingTest, OtherSettingsReachTheLiveSessionsAtOnce)
{
    ASSERT_TRUE(ConnectLive(camera_->m_pServer, camera_));
    CTermCamera* other = FindCamera(*g_pRecGroup, "入口", 1);
    other->m_pSession = new CChannelSession;
    other->m_pSession->m_pCamera = other;
    // A countdown already running on the live camera starts again from the new limit.
    camera_->m_motionAlarmMode = 1;
    camera_->m_pSession->m_noMotionCountdown.Arm(20);
    camera_->m_pSession->m_noMotionCountdown.count = 15;
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    RunModal(dialog, {OnSetting([&](CDlgCameraSetting* d) {
                 SelectTab(d, IDC_SETTING_TAB, tabOther);
                 SetText(&d->m_other, IDC_NO_MOTION_SECONDS, "40");
                 ClickButton(&d->m_other, IDC_APPLY_ALL_CAMERAS);
                 EXPECT_EQ(sessionConnected, camera_->m_pSession->m_state);
                 for (CTermCamera* camera : {camera_, other}) {
                     EXPECT_EQ(1, camera->m_pSession->m_noMotionCountdown.active);
                     EXPECT_EQ(0, camera->m_pSession->m_noMotionCountdown.count);
                     EXPECT_EQ(40, camera->m_pSession->m_noMotionCountdown.limit);
                     EXPECT_EQ(1, camera->m_motionAlarmMode);
                 }
                 SelectCombo(&d->m_other, IDC_MOTION_MODE, 0);
                 ClickButton(d, IDOK);
             })});
    EXPECT_EQ(0, camera_->m_pSession->m_noMotionCountdown.active);
    EXPECT_EQ(1, other->m_pSession->m_noMotionCountdown.active);
    EXPECT_EQ(0, camera_->m_motionAlarmMode);
    EXPECT_EQ(sessionConnected, camera_->m_pSession->m_state);
}

// The talk and local linkage pages drive relays: boxes and radio buttons are clicked where the
// operator sees them.
namespace {

// The talk page's radio buttons by the output they stand for; their identifiers are not in order.
const int kTalkRadios[5] = {IDC_TALK_OUTPUT1, IDC_TALK_OUTPUT2, IDC_TALK_OUTPUT3, IDC_TALK_OUTPUT4, IDC_TALK_NONE};

// A left click where the control's box is drawn (its left end, halfway down), delivered to whatever
// window is there, as the mouse would.
void ClickBoxOf(CWnd* page, int id)
{
    CRect rect;
    page->GetDlgItem(id)->GetWindowRect(&rect);
    CPoint at(rect.left + 5, rect.top + rect.Height() / 2);
    HWND hit = ::WindowFromPoint(at);
    ASSERT_NE(nullptr, hit);
    ::ScreenToClient(hit, &at);
    ::SendMessageA(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageA(hit, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

int* OutputRow(CTermCamera* camera, int row)
{
    if (row < 4)
        return camera->m_sensorOutputs[row];
    return row == 4 ? camera->m_motionOutputs : camera->m_lossOutputs;
}

// Box (row, output) is ticked in the pattern when this says so: every row and every output both
// ticked and left alone somewhere, no two rows alike.
bool InPattern(int row, int output)
{
    return (row * 3 + output) % 4 == 0 || output == row;
}

} // namespace

TEST_F(CameraSettingTest, EachTalkRadioStoresItsOutputAndShowsItAgain)
{
    for (int output = 0; output < 5; ++output) {
        SCOPED_TRACE(output);
        camera_->m_talkAlarmOutput = output == 0 ? 4 : 0; // another one than the click chooses
        std::vector<int> checkedAtOpen;
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera_;
        RunModal(dialog, {[&](CWnd* modal) {
                     CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                     SelectTab(d, IDC_SETTING_TAB, tabTalk);
                     d->UpdateWindow();
                     ClickBoxOf(&d->m_talk, kTalkRadios[output]);
                     SetText(&d->m_talk, IDC_TALK_RESET, "12");
                     ClickButton(d, IDOK);
                     return true;
                 }});
        EXPECT_EQ(output, camera_->m_talkAlarmOutput);
        EXPECT_EQ(12, camera_->m_talkResetSeconds);

        // Opened again, the page shows that output's button alone.
        CDlgCameraSetting again;
        again.m_pCamera = camera_;
        RunModal(again, {[&](CWnd* modal) {
                     CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                     for (int i = 0; i < 5; ++i)
                         EXPECT_EQ(i == output, d->m_talk.IsDlgButtonChecked(kTalkRadios[i]) == BST_CHECKED) << i;
                     ClickButton(d, IDCANCEL);
                     return true;
                 }});
    }
    CRecGroup reloaded;
    EXPECT_EQ(4, FindCamera(reloaded, "大厅", 0)->m_talkAlarmOutput) << "the file holds the last choice";
}

TEST_F(CameraSettingTest, TheFortyEightBoxesAreTheOutputMatrix)
{
    for (int row = 0; row < 6; ++row) {
        for (int output = 0; output < 8; ++output)
            OutputRow(camera_, row)[output] = 0;
    }
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    RunModal(dialog, {[&](CWnd* modal) {
                 CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                 SelectTab(d, IDC_SETTING_TAB, tabLinkage);
                 d->UpdateWindow();
                 for (int row = 0; row < 6; ++row) {
                     for (int output = 0; output < 8; ++output) {
                         if (InPattern(row, output))
                             ClickBoxOf(&d->m_linkage, IDC_LINKAGE_FIRST + output + 8 * row);
                     }
                 }
                 SetText(&d->m_linkage, IDC_KEYBOARD_NUMBER, "37");
                 ClickButton(d, IDOK);
                 return true;
             }});
    CRecGroup reloaded;
    CTermCamera* saved = FindCamera(reloaded, "大厅", 0);
    for (int row = 0; row < 6; ++row) {
        for (int output = 0; output < 8; ++output) {
            EXPECT_EQ(InPattern(row, output) ? 1 : 0, OutputRow(camera_, row)[output]) << row << " " << output;
            EXPECT_EQ(OutputRow(camera_, row)[output], OutputRow(saved, row)[output]) << row << " " << output;
        }
    }
    EXPECT_EQ(37, saved->m_keyboardNumber);

    // The matrix is shown again box for box.
    CDlgCameraSetting again;
    again.m_pCamera = camera_;
    RunModal(again, {[&](CWnd* modal) {
                 CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
                 for (int row = 0; row < 6; ++row) {
                     for (int output = 0; output < 8; ++output) {
                         UINT state = d->m_linkage.IsDlgButtonChecked(IDC_LINKAGE_FIRST + output + 8 * row);
                         EXPECT_EQ(InPattern(row, output), state == BST_CHECKED) << row << " " << output;
                     }
                 }
                 ClickButton(d, IDCANCEL);
                 return true;
             }});
}
