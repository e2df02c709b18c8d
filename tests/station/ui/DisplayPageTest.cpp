#include <gtest/gtest.h>

#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/ui/liveview/DisplayPage.h"

namespace {

class DisplayPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(sizeof(dir), dir);
        previousStart = GetStartDirectory();
        SetStartDirectory(dir);
        DisplayPageTable().RemoveAll();
    }
    void TearDown() override
    {
        DisplayPageTable().RemoveAll();
        saved.RemoveAll();
        SetStartDirectory(previousStart);
    }
    CVuskPage* AddSaved(int layout, CTermCamera* camera, int slot)
    {
        CVuskPage* page = saved.AddPage(layout);
        if (camera)
            page->SetSlot(slot, camera, 1, slot);
        return page;
    }
    CString previousStart;
    CVuskPageGroup saved;
    CTermCamera a;
    CTermCamera b;
};

TEST_F(DisplayPages, RebuildKeepsSelectionAndDropsSurplusPages)
{
    AddSaved(4, &a, 2);
    AddSaved(9, &b, 5);
    AddSaved(16, nullptr, 0);
    int current = 2;
    RebuildDisplayPageTable(saved, 0, &current);
    ASSERT_EQ(3, DisplayPageTable().GetCount());
    EXPECT_EQ(4, DisplayPageTable().GetAt(0)->splitMode);
    EXPECT_EQ(-1, DisplayPageTable().GetAt(0)->paneMarks[15]);
    EXPECT_EQ(1, DisplayPageTable().FindPageOfCamera(&b));
    DisplayPageTable().GetAt(1)->selectedPane = 7;
    DisplayPageTable().GetAt(1)->splitMode = 8; // the display page is authoritative

    CVuskPage* last = saved.GetPage(2);
    saved.m_pages.RemoveTail();
    delete last;
    RebuildDisplayPageTable(saved, 0, &current);
    EXPECT_EQ(2, DisplayPageTable().GetCount());
    EXPECT_EQ(7, DisplayPageTable().GetAt(1)->selectedPane);
    EXPECT_EQ(8, saved.GetPage(1)->m_layout);
    EXPECT_EQ(-1, current); // the removed current page counts as none
    EXPECT_EQ(nullptr, DisplayPageTable().GetAt(2));
}

TEST_F(DisplayPages, EmptySlotsNeverMatch)
{
    AddSaved(16, nullptr, 0);
    AddSaved(16, &a, 15);
    int current = -1;
    RebuildDisplayPageTable(saved, 0, &current);
    EXPECT_EQ(-1, DisplayPageTable().FindPageOfCamera(nullptr));
    EXPECT_EQ(1, DisplayPageTable().FindPageOfCamera(&a));
    EXPECT_EQ(-1, DisplayPageTable().FindPageOfCamera(&b));
    EXPECT_EQ(nullptr, DisplayPageTable().GetAt(-1));
}

} // namespace
