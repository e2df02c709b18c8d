// The configuration dialogs' logic without windows: schedule rows, smoothness and split tables, the
// camera walk and removing a selected group or server.
#include <gtest/gtest.h>

#include "station/config/servers/CameraSettingValues.h"
#include "station/config/CameraWalker.h"
#include "station/config/ScheduleRows.h"
#include "station/config/servers/ServerTreeEdit.h"
#include "station/config/servers/TourModes.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "tests/station/config/ConfigTestSupport.h"

TEST(ConfigLogic, ScheduleRowsRoundTripBothStoredForms)
{
    ScheduleRows rows = {};
    for (int r = 0; r < kScheduleRows; ++r) {
        rows.days[r] = r + 3;
        rows.startHour[r] = r;
        rows.startMinute[r] = 59 - r;
        rows.endHour[r] = 24;
        rows.endMinute[r] = 0;
    }
    RecordScheduleEntry record[7] = {};
    ScheduleEntry entries[7] = {};
    RowsToRecordSchedule(rows, record);
    RowsToEntries(rows, entries);
    ScheduleRows fromRecord = {}, fromEntries = {};
    RowsFromRecordSchedule(record, fromRecord);
    RowsFromEntries(entries, fromEntries);
    for (int r = 0; r < kScheduleRows; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(rows.days[r], fromRecord.days[r]);
        EXPECT_EQ(rows.days[r], fromEntries.days[r]);
        EXPECT_EQ(rows.startMinute[r], fromEntries.startMinute[r]);
        EXPECT_EQ(24, fromEntries.endHour[r]);
        EXPECT_EQ(rows.startHour[r], record[r].startHour);
    }
}

TEST(ConfigLogic, SmoothnessTableAndSplitModes)
{
    const struct {
        int value, index;
    } smoothness[] = {{0, 0}, {5, 1}, {10, 2}, {20, 3}, {50, 4}, {100, 5}, {7, -1}, {-5, -1}, {1000, -1}};
    for (const auto& c : smoothness) {
        EXPECT_EQ(c.index, SmoothnessIndex(c.value)) << c.value;
        if (c.index >= 0) {
            EXPECT_EQ(c.value, SmoothnessValue(c.index));
        }
    }
    EXPECT_EQ(0, SmoothnessValue(6));
    EXPECT_EQ(0, SmoothnessValue(-1));

    const struct {
        int panes, index;
        unsigned text;
    } modes[] = {{1, 0, 227}, {4, 1, 228}, {6, 2, 229}, {8, 3, 230}, {9, 4, 231}, {16, 5, 232}, {2, 5, 0}, {0, 5, 0}};
    for (const auto& m : modes) {
        EXPECT_EQ(m.index, SplitIndexOfPanes(m.panes)) << m.panes;
        EXPECT_EQ(m.text, ModeTextId(m.panes)) << m.panes;
    }
    EXPECT_EQ(16, PanesOfSplitIndex(9));
    EXPECT_EQ(9, PanesOfSplitIndex(4));
}

class ConfigLogicTree : public ConfigTest {};

TEST_F(ConfigLogicTree, CameraWalkGoesDepthFirstChildGroupsBeforeServers)
{
    CRecGroup root;
    BuildSampleTree(root);
    std::vector<std::string> order;
    ForEachCamera(&root, [&](CTermCamera* camera) {
        order.push_back(std::string(camera->m_pServer->m_name) + ":" + (LPCSTR)camera->m_name);
    });
    std::vector<std::string> expected = {"走廊:摄像机1", "大厅:摄像机1", "大厅:摄像机2", "大厅:摄像机3", "大厅:摄像机4",
                                         "仓库:摄像机1", "仓库:摄像机2", "入口:摄像机1", "入口:摄像机2"};
    EXPECT_EQ(expected, order);
    int calls = 0;
    ForEachCamera(nullptr, [&](CTermCamera*) { ++calls; });
    EXPECT_EQ(0, calls);
}

TEST_F(ConfigLogicTree, RemovingTheSecondOfTwoSameNamedGroupsKeepsTheFirst)
{
    CRecGroup root;
    BuildSampleTree(root);
    CTermData* building = root.m_projects.GetHead();
    CTermData* first = building->m_childGroups.GetHead(); // "二层" with server "走廊"
    CTermData* second = root.AddGroup(building, "二层");
    AddSampleServer(root, second, "后门", 1);

    EXPECT_TRUE(RemoveGroupObject(root, second));
    ASSERT_EQ(1, building->m_childGroups.GetCount());
    EXPECT_EQ(first, building->m_childGroups.GetHead());
    EXPECT_NE(nullptr, FindServer(root, "走廊"));
    EXPECT_EQ(nullptr, FindServer(root, "后门"));

    CTermData* parking = root.m_projects.GetTail();
    EXPECT_TRUE(RemoveGroupObject(root, parking));
    EXPECT_EQ(1, root.m_projects.GetCount());
    EXPECT_FALSE(RemoveGroupObject(root, nullptr));

    CTermServer* hall = FindServer(root, "大厅");
    EXPECT_TRUE(RemoveServerObject(hall));
    EXPECT_EQ(nullptr, FindServer(root, "大厅"));
    EXPECT_NE(nullptr, FindServer(root, "仓库"));
}
