// The server tree dialog worked as an operator would: context menus, names, deletions, OK and Cancel.
#include <gtest/gtest.h>

#include "framework/WindowSeams.h"
#include "station/config/ConfigText.h"
#include "station/config/servers/DlgCameraEdit.h"
#include "station/config/servers/DlgServerAssign.h"
#include "station/config/servers/DlgServerName.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

// The popup-menu seam: records the state of every item and chooses a command.
struct MenuRecord {
    std::vector<std::pair<std::string, bool>> items; // text, enabled
};
MenuRecord lastMenu;
UINT menuChoice = 0;

UINT RecordPopup(HMENU menu, UINT, int, int, HWND)
{
    lastMenu.items.clear();
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        UINT state = ::GetMenuState(menu, i, MF_BYPOSITION);
        lastMenu.items.push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0});
    }
    return menuChoice;
}

class PopupScope {
public:
    PopupScope() : previous_(Seams::ReplacePopupMenu(RecordPopup)) {}
    ~PopupScope() { Seams::ReplacePopupMenu(previous_); }

private:
    Seams::PopupMenuFunc previous_;
};

std::vector<std::string> EnabledItems()
{
    std::vector<std::string> enabled;
    for (const auto& item : lastMenu.items) {
        if (item.second)
            enabled.push_back(item.first);
    }
    return enabled;
}

CDlgServerAssign* AsAssign(CWnd* modal)
{
    return dynamic_cast<CDlgServerAssign*>(modal);
}

// Right-clicks the tree at the item (or an empty spot for an empty path with no item).
void RightClick(CDlgServerAssign* dialog, HTREEITEM item)
{
    CPoint point(8, 150);
    if (item != nullptr) {
        CRect rect;
        dialog->m_tree.GetItemRect(item, &rect, TRUE);
        point = rect.CenterPoint();
    }
    dialog->m_tree.ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    Notify(dialog, IDC_SERVER_TREE, NM_RCLICK);
}

ModalStep Command(const std::string& select, UINT command)
{
    return [=](CWnd* modal) {
        CDlgServerAssign* dialog = AsAssign(modal);
        if (dialog == nullptr)
            return false;
        HTREEITEM item = FindTreeItem(dialog->m_tree, select);
        EXPECT_NE(nullptr, item) << select;
        dialog->m_tree.SelectItem(item);
        dialog->SendMessage(WM_COMMAND, command, 0);
        return true;
    };
}

ModalStep TypeName(const std::string& name)
{
    return [=](CWnd* modal) {
        if (dynamic_cast<CDlgServerName*>(modal) == nullptr)
            return false;
        SetText(modal, IDC_NAME_EDIT, name);
        ClickButton(modal, IDOK);
        return true;
    };
}

ModalStep Check(std::function<void(CDlgServerAssign*)> check)
{
    return [=](CWnd* modal) {
        CDlgServerAssign* dialog = AsAssign(modal);
        if (dialog == nullptr)
            return false;
        check(dialog);
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

class ServerAssignTest : public ConfigTest {};

} // namespace

TEST_F(ServerAssignTest, EmptyFileShowsABlankTreeThatOffersOnlyAddProject)
{
    PopupScope popup;
    MessageBoxRecorder boxes;
    menuChoice = ID_TREE_ADD_PROJECT;
    CDlgServerAssign dialog;
    INT_PTR result = RunModal(dialog, {Check([](CDlgServerAssign* d) {
                                           EXPECT_EQ(0u, d->m_tree.GetCount());
                                           RightClick(d, nullptr);
                                       }),
                                       TypeName("新工程"), Check([](CDlgServerAssign* d) {
                                           EXPECT_EQ(1u, d->m_tree.GetCount());
                                           EXPECT_EQ("新工程", WindowText(d->m_hWnd));
                                       }),
                                       Press(IDOK)});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(std::vector<std::string>({"添加工程"}), EnabledItems());
    EXPECT_TRUE(boxes.Boxes().empty());
    CRecGroup reloaded;
    EXPECT_STREQ("新工程", reloaded.m_rootCaption);
}

TEST_F(ServerAssignTest, MenusFollowTheKindOfTheItemUnderTheCursor)
{
    WriteSampleFile();
    PopupScope popup;
    menuChoice = 0;
    std::vector<std::vector<std::string>> menus;
    auto rightClick = [&](const std::string& path) {
        return Check([&menus, path](CDlgServerAssign* d) {
            d->m_tree.Expand(FindTreeItem(d->m_tree, "大楼"), TVE_EXPAND);
            d->m_tree.Expand(FindTreeItem(d->m_tree, "大楼/大厅"), TVE_EXPAND);
            RightClick(d, FindTreeItem(d->m_tree, path));
            menus.push_back(EnabledItems());
        });
    };
    CDlgServerAssign dialog;
    RunModal(dialog, {rightClick(""), rightClick("大楼"), rightClick("大楼/大厅"), rightClick("大楼/大厅/摄像机2"),
                      Press(IDCANCEL)});
    ASSERT_EQ(4u, menus.size());
    EXPECT_EQ(std::vector<std::string>({"编辑工程名称", "添加组"}), menus[0]);
    EXPECT_EQ(std::vector<std::string>({"添加组", "删除组", "编辑组名称", "添加服务器"}), menus[1]);
    EXPECT_EQ(std::vector<std::string>({"设置服务器", "删除服务器"}), menus[2]);
    EXPECT_EQ(std::vector<std::string>({"设置摄像机"}), menus[3]);
}

TEST_F(ServerAssignTest, NameRules)
{
    const struct {
        const char* select;
        UINT command;
        const char* name;
        const char* message; // null: accepted
        const char* added;   // the item to be found afterwards
    } cases[] = {
        {"", ID_TREE_ADD_TOP_GROUP, "大楼", "名称已经存在，请重新输入!", nullptr},
        {"", ID_TREE_ADD_GROUP, "停车场", "名称已经存在，请重新输入!", nullptr},
        {"", ID_TREE_ADD_GROUP, "新区", nullptr, "新区"},
        {"大楼", ID_TREE_ADD_GROUP, "大厅", "名称已经存在，请重新输入!", nullptr},
        {"大楼", ID_TREE_ADD_GROUP, "二层", "名称已经存在，请重新输入!", nullptr},
        {"停车场", ID_TREE_ADD_GROUP, "二层", nullptr, "停车场/二层"},
        {"大楼/二层", ID_TREE_EDIT_GROUP, "大厅", nullptr, "大楼/大厅/走廊"},
        {"停车场", ID_TREE_EDIT_GROUP, "大楼", "名称已经存在，请重新输入!", nullptr},
        {"大楼", ID_TREE_ADD_GROUP, "", "名称不能为空，请重新输入!", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.select) + " <- " + c.name);
        WriteSampleFile();
        const std::string before = FileBytes("servertree.cfg");
        MessageBoxRecorder boxes;
        CDlgServerAssign dialog;
        std::vector<ModalStep> steps = {Command(c.select, c.command), TypeName(c.name)};
        if (c.message != nullptr && std::string(c.name).empty())
            steps.push_back(Press(IDCANCEL)); // the name dialog stays open after the refusal
        steps.push_back(Check([&](CDlgServerAssign* d) {
            if (c.added != nullptr) {
                EXPECT_NE(nullptr, FindTreeItem(d->m_tree, c.added));
            }
        }));
        steps.push_back(Press(IDOK));
        EXPECT_EQ(IDOK, RunModal(dialog, steps));
        ASSERT_EQ(c.message != nullptr ? 1u : 0u, boxes.Boxes().size());
        if (c.message != nullptr) {
            EXPECT_EQ(c.message, boxes.Boxes()[0].text);
            CRecGroup reloaded;
            EXPECT_EQ(2, reloaded.m_projects.GetCount());
            EXPECT_EQ(1, reloaded.m_projects.GetHead()->m_childGroups.GetCount());
            EXPECT_EQ(0, reloaded.m_projects.GetTail()->m_childGroups.GetCount());
        }
    }
}

TEST_F(ServerAssignTest, AnEmptyProjectNameHidesItsGroupsUntilAProjectIsAdded)
{
    {
        CRecGroup root;
        BuildSampleTree(root);
        root.m_rootCaption = "";
        root.Save();
    }
    PopupScope popup;
    menuChoice = ID_TREE_ADD_PROJECT;
    CDlgServerAssign dialog;
    RunModal(dialog,
             {Check([](CDlgServerAssign* d) {
                  EXPECT_EQ(0u, d->m_tree.GetCount());
                  RightClick(d, nullptr);
              }),
              TypeName("工程"), Check([](CDlgServerAssign* d) { EXPECT_EQ(1u, d->m_tree.GetCount()); }), Press(IDOK)});
    CRecGroup reloaded;
    EXPECT_STREQ("工程", reloaded.m_rootCaption);
    EXPECT_EQ(2, reloaded.m_projects.GetCount());
}

TEST_F(ServerAssignTest, DeletingTheSecondOfTwoSameNamedGroupsDeletesThatOne)
{
    {
        CRecGroup root;
        BuildSampleTree(root);
        CTermData* twin = root.AddGroup(root.m_projects.GetHead(), "二层");
        AddSampleServer(root, twin, "后门", 1);
        root.Save();
    }
    MessageBoxRecorder boxes(IDYES);
    CDlgServerAssign dialog;
    RunModal(dialog, {Check([](CDlgServerAssign* d) {
                          HTREEITEM second = d->m_tree.GetNextSiblingItem(FindTreeItem(d->m_tree, "大楼/二层"));
                          ASSERT_NE(nullptr, second);
                          ASSERT_EQ("二层", std::string(d->m_tree.GetItemText(second)));
                          d->m_tree.SelectItem(second);
                          d->SendMessage(WM_COMMAND, ID_TREE_DELETE_GROUP, 0);
                      }),
                      Press(IDOK)});
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("您确定要删除该组吗?", boxes.Boxes()[0].text);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes.Boxes()[0].type);
    CRecGroup reloaded;
    EXPECT_NE(nullptr, FindServer(reloaded, "走廊"));
    EXPECT_EQ(nullptr, FindServer(reloaded, "后门"));
}

TEST_F(ServerAssignTest, CancelAfterEditsLeavesTheFileByteIdentical)
{
    WriteSampleFile();
    const std::string before = FileBytes("servertree.cfg");
    MessageBoxRecorder boxes(IDYES);
    CDlgServerAssign dialog;
    INT_PTR result =
        RunModal(dialog, {Command("", ID_TREE_ADD_GROUP), TypeName("新区"), Command("大楼/大厅", ID_TREE_DELETE_SERVER),
                          Command("停车场", ID_TREE_EDIT_GROUP), TypeName("车库"), Command("", ID_TREE_EDIT_PROJECT),
                          TypeName("别名"), Check([](CDlgServerAssign* d) {
                              EXPECT_NE(nullptr, FindTreeItem(d->m_tree, "车库"));
                              EXPECT_EQ(nullptr, FindTreeItem(d->m_tree, "大楼/大厅"));
                          }),
                          Press(IDCANCEL)});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(before, FileBytes("servertree.cfg"));
}

TEST_F(ServerAssignTest, CameraEditRefusesASiblingsNameAndStoresTheRest)
{
    WriteSampleFile();
    MessageBoxRecorder boxes;
    auto editCamera = [](const std::string& name, int transport, bool disabled) {
        return ModalStep([=](CWnd* modal) {
            if (dynamic_cast<CDlgCameraEdit*>(modal) == nullptr)
                return false;
            EXPECT_EQ("2", GetText(modal, IDC_CAMERA_CHANNEL));
            SetText(modal, IDC_NAME_EDIT, name);
            ::SendDlgItemMessageA(modal->m_hWnd, IDC_CAMERA_TRANSPORT, CB_SETCURSEL, transport, 0);
            SetCheckBox(modal, IDC_CAMERA_DISABLED, disabled);
            ClickButton(modal, IDOK);
            return true;
        });
    };
    auto doubleClick = Check([](CDlgServerAssign* d) {
        HTREEITEM camera = FindTreeItem(d->m_tree, "大楼/大厅/摄像机2");
        d->m_tree.SelectItem(camera);
        Notify(d, IDC_SERVER_TREE, NM_DBLCLK);
    });
    CDlgServerAssign dialog;
    RunModal(dialog, {doubleClick, editCamera("摄像机3", 0, true), doubleClick, editCamera("门口", 0, true),
                      Check([](CDlgServerAssign* d) { EXPECT_NE(nullptr, FindTreeItem(d->m_tree, "大楼/大厅/门口")); }),
                      Press(IDOK)});
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("摄像机名称已经存在，请重新输入!", boxes.Boxes()[0].text);
    CRecGroup reloaded;
    CTermCamera* camera = FindCamera(reloaded, "大厅", 1);
    ASSERT_NE(nullptr, camera);
    EXPECT_STREQ("门口", camera->m_name);
    EXPECT_EQ(1, camera->m_transport);
    EXPECT_EQ(1, camera->m_disabled);
    EXPECT_STREQ("摄像机3", FindCamera(reloaded, "大厅", 2)->m_name);
}
