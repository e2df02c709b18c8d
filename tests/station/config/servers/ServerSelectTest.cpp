// The server select dialog over the live server tree.
#include <gtest/gtest.h>

#include "station/config/servers/DlgServerSelect.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermServer.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

CDlgServerSelect* AsSelect(CWnd* modal)
{
    return dynamic_cast<CDlgServerSelect*>(modal);
}

ModalStep OnSelect(std::function<void(CDlgServerSelect*)> action)
{
    return [=](CWnd* modal) {
        CDlgServerSelect* select = AsSelect(modal);
        if (select == nullptr)
            return false;
        action(select);
        return true;
    };
}

class ServerSelectTest : public ConfigTest {};

} // namespace

TEST_F(ServerSelectTest, ShowsGroupsAndServersWithoutCamerasAndReturnsTheServer)
{
    CRecGroup& tree = MakeLiveTree();
    MessageBoxRecorder boxes;
    CDlgServerSelect select;
    bool nestedOpen = false, hasCameras = true;
    INT_PTR result = RunModal(select, {OnSelect([&](CDlgServerSelect* d) {
                                  HTREEITEM nested = FindTreeItem(d->m_tree, "大楼/二层");
                                  nestedOpen = (d->m_tree.GetItemState(nested, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
                                  hasCameras = d->m_tree.ItemHasChildren(FindTreeItem(d->m_tree, "大楼/大厅"));
                                  d->m_tree.SelectItem(FindTreeItem(d->m_tree, "大楼"));
                                  ClickButton(d, IDOK);
                                  d->m_tree.SelectItem(FindTreeItem(d->m_tree, "大楼/二层"));
                                  Notify(d, IDC_SRVSEL_TREE, NM_DBLCLK); // a group: nothing
                                  d->m_tree.SelectItem(FindTreeItem(d->m_tree, "大楼/二层/走廊"));
                                  ClickButton(d, IDOK);
                              })});
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(nestedOpen);
    EXPECT_FALSE(hasCameras);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("请选择服务器!", boxes.Boxes()[0].text);
    EXPECT_EQ(FindServer(tree, "走廊"), select.m_pServer);
    EXPECT_EQ("走廊", std::string(select.m_serverName));
}

TEST_F(ServerSelectTest, ADoubleClickOnAServerChoosesIt)
{
    CRecGroup& tree = MakeLiveTree();
    CDlgServerSelect select;
    INT_PTR result = RunModal(select, {OnSelect([](CDlgServerSelect* d) {
                                  d->m_tree.SelectItem(FindTreeItem(d->m_tree, "停车场/入口"));
                                  Notify(d, IDC_SRVSEL_TREE, NM_DBLCLK);
                              })});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(FindServer(tree, "入口"), select.m_pServer);
}

TEST_F(ServerSelectTest, ATreeWithoutAProjectNameIsEmptyAndOkAsksForAServer)
{
    MakeLiveTree().m_rootCaption = "";
    MessageBoxRecorder boxes;
    CDlgServerSelect select;
    unsigned count = 99;
    INT_PTR result = RunModal(select, {OnSelect([&](CDlgServerSelect* d) {
                                  count = d->m_tree.GetCount();
                                  ClickButton(d, IDOK);
                              })});
    EXPECT_EQ(-3, result);
    EXPECT_EQ(0u, count);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("请选择服务器!", boxes.Boxes()[0].text);
    EXPECT_EQ(nullptr, select.m_pServer);
}
