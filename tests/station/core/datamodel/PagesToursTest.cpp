// Saved pages and tours: their files byte for byte, the binding of their camera references, the
// restore-pages option, and the operations that place cameras into panes.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"

namespace {

typedef std::vector<std::string> Calls;

// Server 1 with four cameras that have sessions s1 to s4, server 2 with two cameras without
// sessions; the current user may assign panes.
class PagesToursTest : public DataModelTest {
protected:
    void SetUp() override
    {
        DataModelTest::SetUp();
        CTermData* project = MakeGlobalTree()->AddGroup(nullptr, "P");
        live_ = AddServer(project, 1, "Live", 4);
        idle_ = AddServer(project, 2, "Idle", 2);
        GiveSessions(live_, 1);
        CurrentUser().rights[rightAssignPanes] = 1;
    }
    void TearDown() override
    {
        CurrentUser().Clear();
        DataModelTest::TearDown();
    }
    CTermCamera* Live(int channel) { return live_->FindCamera(channel); }
    void ClearCalls()
    {
        sessions_.calls.clear();
        view_.calls.clear();
    }

    CTermServer* live_ = nullptr;
    CTermServer* idle_ = nullptr;
};

} // namespace

TEST_F(PagesToursTest, EmptyPageAndEmptyStepFiles)
{
    CVuskPageGroup pages;
    pages.AddPage(16);
    EXPECT_EQ(pages.Save(), 1);
    Record page;
    page.Raw(Hex("EE DD BB CA 01 00 00 00 01 00")).NewClass("CVuskPage");
    for (int i = 0; i < 16; ++i)
        page.Raw(Hex("FF FF FF FF 00 00 00 00 10 00 00 00"));
    EXPECT_EQ(page.bytes.size(), 217u);
    EXPECT_TRUE(SameBytes(ReadBytes(File("pageview.cfg")), page.bytes));

    CVuskLoopGroup tours;
    tours.AddPage(16, 30);
    EXPECT_EQ(tours.Save(), 1);
    Record step;
    step.Raw(Hex("EE DD BB CA 01 00 00 00 01 00")).NewClass("CVuskLoopPage");
    step.Raw(Hex("10 00 00 00 1E 00 00 00 00 00 00 00")).Zeros(128);
    EXPECT_EQ(step.bytes.size(), 169u);
    EXPECT_TRUE(SameBytes(ReadBytes(File("loopview.cfg")), step.bytes));
}

TEST_F(PagesToursTest, TourEntriesBindKeepOrDrop)
{
    CVuskLoopGroup tours;
    CVuskLoopPage* step = tours.AddPage(9, 20);
    const int pairs[][2] = {{1, 0}, {9, 0}, {1, 2}, {2, 1}, {1, 7}};
    for (const auto& pair : pairs) {
        step->m_serverIds[step->m_count] = pair[0];
        step->m_channels[step->m_count++] = pair[1];
    }
    CVuskLoopPage* gone = tours.AddPage(4, 5);
    gone->m_serverIds[0] = 9;
    gone->m_count = 1;
    tours.ResolveAll();

    ASSERT_EQ(tours.m_pages.GetCount(), 1);
    ASSERT_EQ(step->m_count, 3);
    EXPECT_EQ(step->m_cameras[0], Live(0));
    EXPECT_EQ(step->m_cameras[1], Live(2));
    EXPECT_EQ(step->m_cameras[2], nullptr); // camera without a session: kept, unbound
    EXPECT_EQ(step->m_serverIds[2], 2);
    EXPECT_TRUE(step->Contains(2, 1));
    EXPECT_FALSE(step->Contains(9, 0));

    EXPECT_EQ(step->RemoveAt(3), 0);
    EXPECT_EQ(step->RemoveAt(0), 1);
    EXPECT_EQ(step->m_count, 2);
    EXPECT_EQ(step->m_cameras[0], Live(2));
    EXPECT_EQ(step->m_serverIds[2], 2); // the vacated entry keeps its old pair

    EXPECT_EQ(tours.Save(), 1);
    CVuskLoopGroup loaded;
    EXPECT_EQ(loaded.Load(), 1);
    ASSERT_EQ(loaded.m_pages.GetCount(), 1);
    EXPECT_EQ(loaded.m_pages.GetHead()->m_count, 2);
    EXPECT_TRUE(loaded.m_pages.GetHead()->Contains(2, 1));
}

TEST_F(PagesToursTest, StepCountOutsideItsArrayFailsTheLoad)
{
    for (int count : {17, -1}) {
        CVuskLoopGroup tours;
        tours.AddPage(16, 30)->m_count = 0;
        tours.Save();
        Bytes bytes = ReadBytes(File("loopview.cfg"));
        for (int i = 0; i < 4; ++i) // after the head, the class tag, the pane count and the dwell
            bytes[10 + 19 + 8 + i] = (BYTE)(count >> (8 * i));
        WriteBytes(File("loopview.cfg"), bytes);
        EXPECT_EQ(tours.Load(), 0) << count;
        EXPECT_TRUE(tours.m_pages.IsEmpty());
        EXPECT_TRUE(SameBytes(ReadBytes(File("loopview.cfg.bad")), bytes));
    }
}

TEST_F(PagesToursTest, PagesBindKeepOrDrop)
{
    CVuskPageGroup pages;
    CVuskPage* dead = pages.AddPage(16);
    for (int i = 0; i < kPageSlots; ++i)
        dead->SetSlot(i, nullptr, 9, i);
    CVuskPage* mixed = pages.AddPage(4);
    mixed->SetSlot(0, nullptr, 1, 3);
    mixed->SetSlot(1, nullptr, 2, 0);
    mixed->SetSlot(2, nullptr, 1, 9);
    pages.Save();

    CVuskPageGroup loaded;
    EXPECT_EQ(loaded.Load(), 1);
    ASSERT_EQ(loaded.m_pages.GetCount(), 1);
    CVuskPage* page = loaded.m_pages.GetHead();
    EXPECT_EQ(page->m_layout, 4);
    EXPECT_EQ(page->m_cameras[0], Live(3));
    EXPECT_EQ(page->m_cameras[1], nullptr);
    EXPECT_EQ(page->m_serverIds[1], 2); // kept for when the camera has a session again
    EXPECT_EQ(page->m_serverIds[2], -1);
    EXPECT_TRUE(page->HasReferences());

    // A page whose every slot is gone leaves one empty 16-pane page.
    page->EmptySlot(0);
    page->EmptySlot(1);
    loaded.Save();
    CVuskPageGroup empty;
    EXPECT_EQ(empty.Load(), 1);
    ASSERT_EQ(empty.m_pages.GetCount(), 1);
    EXPECT_EQ(empty.m_pages.GetHead()->m_layout, 16);
    EXPECT_FALSE(empty.m_pages.GetHead()->HasReferences());
}

TEST_F(PagesToursTest, RestorePagesOffNeitherWritesNorReads)
{
    CSysParam param;
    g_pSysParam = &param;
    CVuskPageGroup pages;
    pages.AddPage(9)->SetSlot(0, Live(0), 1, 0);
    pages.Save();
    Bytes saved = ReadBytes(File("pageview.cfg"));

    param.m_restorePages = 0;
    pages.AddPage(4);
    EXPECT_EQ(pages.Save(), 1);
    EXPECT_TRUE(SameBytes(ReadBytes(File("pageview.cfg")), saved));
    EXPECT_EQ(pages.Load(), 0);
    ASSERT_EQ(pages.m_pages.GetCount(), 1);
    EXPECT_EQ(pages.m_pages.GetHead()->m_layout, 16);
    EXPECT_FALSE(FileExists(File("pageview.cfg.bad")));
}

TEST_F(PagesToursTest, PlacingACameraSwapsWithinAPage)
{
    CVuskPageGroup pages;
    CVuskPage* page = pages.AddPage(16);
    page->SetSlot(2, Live(0), 1, 0);
    page->SetSlot(5, Live(1), 1, 1);
    view_.cameraPanes[Live(0)] = 2;
    view_.cameraPanes[Live(1)] = 5;
    int p = 0, s = 2;

    pages.PlaceCamera(Live(0), p, s, 0); // already there: only re-attached
    EXPECT_EQ(sessions_.calls, Calls({"attach s1 1 2 1"}));
    EXPECT_TRUE(view_.calls.empty());

    ClearCalls();
    s = 5;
    pages.PlaceCamera(Live(0), p, s, 0);
    EXPECT_EQ(page->m_cameras[5], Live(0));
    EXPECT_EQ(page->m_cameras[2], Live(1));
    EXPECT_EQ(page->m_channels[2], 1);
    EXPECT_EQ(sessions_.calls, Calls({"attach s2 1 2 0", "attach s1 1 5 1"}));
    EXPECT_EQ(view_.calls, Calls({"clearpane 2", "rebuild 0", "show 0 5 0"}));

    // Without the right nothing happens, unless forced.
    ClearCalls();
    CurrentUser().rights[rightAssignPanes] = 0;
    s = 9;
    pages.PlaceCamera(Live(3), p, s, 0);
    EXPECT_TRUE(sessions_.calls.empty());
    EXPECT_TRUE(page->IsSlotFree(9));
    pages.PlaceCamera(Live(3), p, s, 1);
    EXPECT_EQ(page->m_cameras[9], Live(3));
}

TEST_F(PagesToursTest, PlacingOntoAKeptReferenceMovesItAlong)
{
    CVuskPageGroup pages;
    CVuskPage* first = pages.AddPage(16);
    CVuskPage* second = pages.AddPage(16);
    first->SetSlot(0, Live(0), 1, 0);
    second->SetSlot(4, nullptr, 2, 1); // a camera without a session
    int p = 1, s = 4;
    pages.PlaceCamera(Live(0), p, s, 0);
    EXPECT_EQ(second->m_cameras[4], Live(0));
    EXPECT_EQ(first->m_serverIds[0], 2);
    EXPECT_EQ(first->m_channels[0], 1);
    EXPECT_EQ(first->m_cameras[0], nullptr);
    EXPECT_EQ(sessions_.calls, Calls({"attach s1 0 -1 0", "attach s1 1 4 1"}));
}

TEST_F(PagesToursTest, AddCameraFillsFreeSlotsOnly)
{
    CVuskPageGroup pages;
    CVuskPage* page = pages.AddPage(16);
    page->SetSlot(0, Live(0), 1, 0);
    page->SetSlot(1, nullptr, 2, 0); // kept: not free
    int p = 0, s = 0;
    pages.AddCamera(Live(2), p, s, 0);
    EXPECT_EQ(p, 0);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(page->m_cameras[2], Live(2));
    EXPECT_EQ(sessions_.calls, Calls({"attach s3 1 2 1"}));
    EXPECT_EQ(view_.calls, Calls({"rebuild 0", "show 0 2 0"}));

    ClearCalls();
    s = 0;
    pages.AddCamera(Live(0), p, s, 0); // already on a page
    EXPECT_TRUE(view_.calls.empty());

    for (int i = 3; i < kPageSlots; ++i)
        page->SetSlot(i, nullptr, 2, 1);
    s = 0;
    pages.AddCamera(Live(3), p, s, 1);
    EXPECT_EQ(pages.m_pages.GetCount(), 2);
    EXPECT_EQ(p, 1);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(pages.GetPage(1)->m_cameras[0], Live(3));
}

TEST_F(PagesToursTest, AddServerCamerasWrapsOntoANewPage)
{
    CVuskPageGroup pages;
    pages.AddPage(16);
    int p = 0, s = 14;
    pages.AddServerCameras(live_, p, s);
    EXPECT_EQ(p, 1);
    EXPECT_EQ(s, 1);
    ASSERT_EQ(pages.m_pages.GetCount(), 2);
    EXPECT_EQ(pages.GetPage(0)->m_cameras[14], Live(0));
    EXPECT_EQ(pages.GetPage(0)->m_cameras[15], Live(1));
    EXPECT_EQ(pages.GetPage(1)->m_cameras[0], Live(2));
    EXPECT_EQ(pages.GetPage(1)->m_cameras[1], Live(3));
    EXPECT_EQ(view_.calls, Calls({"rebuild 0", "show 0 14 0", "rebuild 0", "show 0 15 0", "rebuild 0", "show 1 -1 0",
                                  "rebuild 0", "show 1 0 0", "rebuild 0", "show 1 1 0"}));

    // Cameras without sessions are skipped; a server without cameras leaves the slot alone.
    p = 0;
    s = 3;
    pages.AddServerCameras(idle_, p, s);
    EXPECT_EQ(s, 2);
    CTermServer bare;
    s = 3;
    pages.AddServerCameras(&bare, p, s);
    EXPECT_EQ(s, 3);
}

TEST_F(PagesToursTest, ClearSlotDropsAnEmptiedPageUnlessItIsTheOnlyOne)
{
    CVuskPageGroup pages;
    pages.AddPage(16)->SetSlot(0, Live(0), 1, 0);
    pages.ClearSlot(0, 0);
    EXPECT_EQ(pages.m_pages.GetCount(), 1);
    EXPECT_EQ(sessions_.calls, Calls({"attach s1 0 -1 0"}));
    EXPECT_EQ(view_.calls, Calls({"rebuild 0"}));

    ClearCalls();
    pages.AddPage(16)->SetSlot(3, Live(1), 1, 1);
    pages.ClearSlot(1, 3);
    EXPECT_EQ(pages.m_pages.GetCount(), 1);
    EXPECT_EQ(view_.calls, Calls({"rebuild 0", "show 0 -1 1"}));

    pages.ClearSlot(4, 0);
    pages.ClearSlot(0, 16);
    EXPECT_EQ(pages.m_pages.GetCount(), 1);
}

TEST_F(PagesToursTest, SwapPanesOnTheShownPage)
{
    CVuskPageGroup pages;
    CVuskPage* page = pages.AddPage(16);
    page->SetSlot(0, Live(0), 1, 0);
    page->SetSlot(3, nullptr, 2, 1);
    view_.paneSessions[0] = Live(0)->m_pSession;
    view_.cameraPanes[Live(0)] = 0;

    pages.SwapPanes(0, 3);
    EXPECT_EQ(page->m_cameras[3], Live(0));
    EXPECT_EQ(page->m_serverIds[0], 2);
    EXPECT_EQ(page->m_channels[0], 1);
    EXPECT_EQ(sessions_.calls, Calls({"attach s1 1 3 0"}));
    EXPECT_EQ(view_.calls, Calls({"clearpane 0", "rebuild 0"}));

    // A pane whose camera is not on the shown page: nothing.
    ClearCalls();
    view_.cameraPanes.clear();
    pages.SwapPanes(0, 3);
    pages.SwapPanes(-1, 3);
    EXPECT_TRUE(sessions_.calls.empty());
    EXPECT_TRUE(view_.calls.empty());
}
