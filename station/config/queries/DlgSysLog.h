// CDlgSysLog: the system log viewer (dialog 174 "系统日志"). A tree of the log's days, each with its
// five categories; a click copies the chosen records into a scratch store that the list pages
// through 30 at a time. The tree's menu deletes logs (administrators only) or rebuilds the tree.
#pragma once

#include <afxcmn.h>
#include <afxcoll.h>

#include "station/config/ConfigDialog.h"
#include "station/config/queries/SysLogRows.h"
#include "shared/records/ResultPager.h"
#include "station/core/storage/LogPageStore.h"
#include "resources/warden/servers.h"

class CLogFile;
class CSystemLog;

class CDlgSysLog : public CConfigDialog {
public:
    enum { IDD = IDD_SYS_LOG, kPageSize = 30 };
    // Tree item kinds, by image.
    enum { itemRoot = 0, itemDay = 1, itemCategory = 2 };

    // The station's log unless another is given.
    explicit CDlgSysLog(CSystemLog* log = nullptr, CWnd* pParent = nullptr);
    ~CDlgSysLog() override;

    // What a click on the item does: the item's records into the store, page 0 shown.
    void ShowItem(HTREEITEM item);
    void BuildTree();

    CSystemLog* m_pLog;
    CLogPageStore m_store;
    CLogRows m_rows;
    CResultPager m_pager;
    CPtrArray m_files; // CLogFile, one per day of the tree, owned
    CTreeCtrl m_tree;
    CListCtrl m_list;
    CImageList m_images;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDelete();
    afx_msg void OnRefresh();
    afx_msg void OnFirst();
    afx_msg void OnPrevious();
    afx_msg void OnNext();
    afx_msg void OnLast();
    afx_msg void OnGoto();
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The item under the mouse, selected; null for none.
    HTREEITEM SelectItemUnderCursor();
    int ItemKind(HTREEITEM item) const;
    CLogFile* DayOf(HTREEITEM item) const;
    // Copies the item's records into a new store under the log's lock; FALSE when no store could be
    // made.
    BOOL CopyItem(HTREEITEM item);
    void FreeFiles();
};
