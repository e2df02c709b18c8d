// CDlgTourSetting: the tour settings dialog (213 "轮巡监视设置"). It edits the station's tour list in
// place; when its window goes, however it was closed, pages without cameras are dropped and the
// list is saved to "loopview.cfg".
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "resources/warden/config.h"

class CVuskLoopPage;

class CDlgTourSetting : public CConfigDialog {
public:
    enum { IDD = IDD_TOUR_SETTING };
    explicit CDlgTourSetting(CWnd* pParent = nullptr);

    CVuskLoopPage* m_pCurrentPage;
    int m_splitIndex;
    int m_dwellSeconds; // 5 to 3600
    CListCtrl m_pageList;
    CListCtrl m_channelList;
    CListBox m_cameraList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPageClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAddPage();
    afx_msg void OnDeletePage();
    afx_msg void OnAddChannel();
    afx_msg void OnRemoveChannel();
    afx_msg void OnChannelDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnChangeDwell();
    afx_msg void OnAutoConfigure();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The pages, the first one shown, and the channels it does not hold yet.
    void FillLists();
    void FillPageList();
    void FillServerChannels();
    void ShowPage(CVuskLoopPage* page);
    void AppendPageRow(CVuskLoopPage* page, int number);
    void SelectPageRow(int row);
    int SelectedPageRow() const;
    // The controls' values without the checked exchange: a dying window shows no message.
    void ReadValuesQuietly();
    static void AppendCamera(CVuskLoopPage* page, class CTermCamera* camera);
};
