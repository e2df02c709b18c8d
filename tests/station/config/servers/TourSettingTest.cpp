// The tour settings dialog on the live tour list, with "loopview.cfg" reloaded after it closes.
#include <gtest/gtest.h>

#include "station/config/servers/DlgTourSetting.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

ModalStep OnTour(std::function<void(CDlgTourSetting*)> action)
{
    return [=](CWnd* modal) {
        CDlgTourSetting* dialog = dynamic_cast<CDlgTourSetting*>(modal);
        if (dialog == nullptr)
            return false;
        action(dialog);
        return true;
    };
}

void SetSplit(CDlgTourSetting* d, int index)
{
    d->CheckRadioButton(IDC_TOUR_SPLIT1, IDC_TOUR_SPLIT1 + 5, IDC_TOUR_SPLIT1 + index);
}

void ClickPageRow(CDlgTourSetting* d, int row)
{
    d->m_pageList.SetItemState(-1, 0, LVIS_SELECTED);
    d->m_pageList.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    Notify(d, IDC_TOUR_PAGES, NM_CLICK);
}

std::vector<std::string> PageRowNumbers(CDlgTourSetting* d)
{
    std::vector<std::string> numbers;
    for (int row = 0; row < d->m_pageList.GetItemCount(); ++row)
        numbers.push_back((LPCSTR)d->m_pageList.GetItemText(row, 0));
    return numbers;
}

class TourSettingTest : public ConfigTest {
protected:
    // Five servers of four cameras, and a sixth camera-disabled server.
    void MakeTour(bool allDisabled = false)
    {
        g_pRecGroup = new CRecGroup;
        g_pRecGroup->m_rootCaption = "总部";
        CTermData* group = g_pRecGroup->AddGroup(nullptr, "大楼");
        for (int s = 1; s <= 5; ++s)
            AddSampleServer(*g_pRecGroup, group, ("S" + std::to_string(s)).c_str(), 4);
        CTermServer* off = AddSampleServer(*g_pRecGroup, group, "S6", 1);
        off->m_cameras.GetHead()->m_disabled = 1;
        if (allDisabled) {
            for (POSITION s = group->m_servers.GetHeadPosition(); s;) {
                CTermServer* server = group->m_servers.GetNext(s);
                for (POSITION c = server->m_cameras.GetHeadPosition(); c;)
                    server->m_cameras.GetNext(c)->m_disabled = 1;
            }
        }
        g_pLoopGroup = new CVuskLoopGroup;
    }

    std::unique_ptr<CVuskLoopGroup> Reload()
    {
        auto reloaded = std::make_unique<CVuskLoopGroup>();
        EXPECT_EQ(1, reloaded->Load());
        return reloaded;
    }
};

INT_PTR RunTour(std::vector<ModalStep> steps)
{
    CDlgTourSetting dialog;
    steps.push_back(OnTour([](CDlgTourSetting* d) { ClickButton(d, IDCANCEL); }));
    return RunModal(dialog, steps);
}

} // namespace

TEST_F(TourSettingTest, AutomaticPagesOfNineFromTwentyCameras)
{
    MakeTour();
    MessageBoxRecorder boxes(IDYES);
    RunTour({OnTour([](CDlgTourSetting* d) {
        EXPECT_EQ(20, d->m_cameraList.GetCount()); // the disabled camera is left out
        SetSplit(d, 4);
        SetText(d, IDC_TOUR_DWELL, "12");
        ClickButton(d, IDC_TOUR_AUTO);
        EXPECT_EQ(std::vector<std::string>({"1", "2", "3"}), PageRowNumbers(d));
        EXPECT_EQ("9画面", std::string(d->m_pageList.GetItemText(0, 1)));
        EXPECT_EQ(9, d->m_channelList.GetItemCount());
        EXPECT_EQ("大楼:S1:摄像机1", std::string(d->m_channelList.GetItemText(0, 1)));
        EXPECT_EQ(11, d->m_cameraList.GetCount()); // all but the first page's
    })});
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("您确定要按9画面显示方式自动分页吗?", boxes.Boxes()[0].text);
    std::unique_ptr<CVuskLoopGroup> reloaded = Reload();
    ASSERT_EQ(3, reloaded->m_pages.GetCount());
    const int counts[] = {9, 9, 2};
    int i = 0;
    for (POSITION pos = reloaded->m_pages.GetHeadPosition(); pos; ++i) {
        CVuskLoopPage* page = reloaded->m_pages.GetNext(pos);
        EXPECT_EQ(counts[i], page->m_count);
        EXPECT_EQ(9, page->m_paneCount);
        EXPECT_EQ(12, page->m_dwellSeconds);
    }
}

TEST_F(TourSettingTest, EdgeCases)
{
    MakeTour();
    MessageBoxRecorder boxes(IDYES);
    RunTour({OnTour([](CDlgTourSetting* d) {
        // Three pages of one pane; a camera each; a second camera for a full page does nothing.
        SetSplit(d, 0);
        for (int page = 0; page < 3; ++page) {
            ClickButton(d, IDC_TOUR_ADD_PAGE);
            d->m_cameraList.SetCurSel(page);
            ClickButton(d, IDC_TOUR_ADD_CHANNEL);
            EXPECT_EQ(1, d->m_channelList.GetItemCount());
            d->m_cameraList.SetCurSel(0);
            ClickButton(d, IDC_TOUR_ADD_CHANNEL);
            EXPECT_EQ(1, d->m_channelList.GetItemCount());
        }
        // A camera held by the current page is left out of the list only while that page is current.
        EXPECT_EQ(19, d->m_cameraList.GetCount());
        ClickPageRow(d, 0);
        EXPECT_EQ(19, d->m_cameraList.GetCount());
        // Deleting the second of three pages leaves the numbers "1" and "3".
        ClickPageRow(d, 1);
        ClickButton(d, IDC_TOUR_DELETE_PAGE);
        EXPECT_EQ(std::vector<std::string>({"1", "3"}), PageRowNumbers(d));
        EXPECT_EQ(0, (int)d->m_pageList.GetNextItem(-1, LVNI_SELECTED));
        // An empty page is added, then dropped at the close.
        SetSplit(d, 5);
        ClickButton(d, IDC_TOUR_ADD_PAGE);
        EXPECT_EQ(3, d->m_pageList.GetItemCount());
        // Bad dwell times stop the commands that use them; the last one stays in the edit at the close.
        for (const char* bad : {"4", "3601", "x"}) {
            SetText(d, IDC_TOUR_DWELL, bad);
            ClickButton(d, IDC_TOUR_ADD_PAGE);
        }
        EXPECT_EQ(3, d->m_pageList.GetItemCount());
    })});
    ASSERT_EQ(4u, boxes.Boxes().size()); // the question, then three refusals; none at the close
    EXPECT_EQ("您确定要删除该页吗?", boxes.Boxes()[0].text);
    EXPECT_EQ("请填入一个在5和3600之间的整数。", boxes.Boxes()[1].text);
    EXPECT_EQ("请键入一个整数。", boxes.Boxes()[3].text);
    EXPECT_EQ(2, g_pLoopGroup->m_pages.GetCount());
    std::unique_ptr<CVuskLoopGroup> reloaded = Reload();
    ASSERT_EQ(2, reloaded->m_pages.GetCount());
    EXPECT_EQ(1, reloaded->m_pages.GetHead()->m_count);
    EXPECT_EQ(1, reloaded->m_pages.GetHead()->m_paneCount);
}

TEST_F(TourSettingTest, WithoutCamerasAddPageDoesNothing)
{
    MakeTour(true);
    MessageBoxRecorder boxes;
    RunTour({OnTour([](CDlgTourSetting* d) {
        EXPECT_EQ(0, d->m_cameraList.GetCount());
        EXPECT_FALSE(d->GetDlgItem(IDC_TOUR_ADD_CHANNEL)->IsWindowEnabled());
        ClickButton(d, IDC_TOUR_ADD_PAGE);
        EXPECT_EQ(0, d->m_pageList.GetItemCount());
        ClickButton(d, IDC_TOUR_DELETE_PAGE);
    })});
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(0, g_pLoopGroup->m_pages.GetCount());
}
