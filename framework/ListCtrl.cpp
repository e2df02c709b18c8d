// CListCtrl: the wrappers that are more than one message.
#include "afxwin.h"
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls();
    return CWnd::Create(WC_LISTVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
}

namespace {

LVITEMA MakeItem(UINT nMask, int nItem, int nSubItem, LPCSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam)
{
    LVITEMA lvi = {};
    lvi.mask = nMask;
    lvi.iItem = nItem;
    lvi.iSubItem = nSubItem;
    lvi.stateMask = nStateMask;
    lvi.state = nState;
    lvi.pszText = (LPSTR)lpszItem;
    lvi.iImage = nImage;
    lvi.lParam = lParam;
    return lvi;
}

} // namespace

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam)
{
    LVITEMA lvi = MakeItem(nMask, nItem, nSubItem, lpszItem, nImage, nState, nStateMask, lParam);
    return SetItem(&lvi);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEMA lvi = MakeItem(nMask, nItem, 0, lpszItem, nImage, nState, nStateMask, lParam);
    return InsertItem(&lvi);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
    LVITEMA lvi = {};
    lvi.iSubItem = nSubItem;
    lvi.cchTextMax = nLen;
    lvi.pszText = lpszText;
    return (int)SendMessage(LVM_GETITEMTEXTA, nItem, (LPARAM)&lvi);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control says only how much it copied: grow the buffer until the text fits with room.
    CString text;
    for (int nLen = 256;; nLen *= 2) {
        LVITEMA lvi = {};
        lvi.iSubItem = nSubItem;
        lvi.cchTextMax = nLen;
        lvi.pszText = text.GetBufferSetLength(nLen);
        int nRes = (int)SendMessage(LVM_GETITEMTEXTA, nItem, (LPARAM)&lvi);
        if (nRes < nLen - 1 || nLen >= (1 << 20)) {
            text.ReleaseBuffer(nRes < nLen ? nRes : nLen - 1);
            return text;
        }
    }
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
    LVITEMA lvi = {};
    lvi.iSubItem = nSubItem;
    lvi.pszText = (LPSTR)lpszText;
    return (BOOL)SendMessage(LVM_SETITEMTEXTA, nItem, (LPARAM)&lvi);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA lvi = {};
    lvi.mask = LVIF_PARAM;
    lvi.iItem = nItem;
    return GetItem(&lvi) ? (DWORD_PTR)lvi.lParam : 0;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA lvi = {};
    lvi.stateMask = nMask;
    lvi.state = nState;
    return SetItemState(nItem, &lvi);
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = (LPSTR)lpszColumnHeading;
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return (CHeaderCtrl*)CWnd::FromHandle((HWND)SendMessage(LVM_GETHEADER));
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, nImageList));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle(
        (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle()));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)SendMessage(LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    RECT rect = {};
    rect.top = iSubItem;
    rect.left = nArea;
    BOOL bResult = (BOOL)SendMessage(LVM_GETSUBITEMRECT, iItem, (LPARAM)&rect);
    if (bResult)
        ref = rect;
    return bResult;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int nRes = HitTest(&hti);
    if (pFlags != nullptr)
        *pFlags = hti.flags;
    return nRes;
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_EDITLABELA, nItem));
}

CEdit* CListCtrl::GetEditControl() const
{
    return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_GETEDITCONTROL));
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    return CImageList::FromNewHandle((HIMAGELIST)SendMessage(LVM_CREATEDRAGIMAGE, nItem, (LPARAM)lpPoint));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxDrawItemNotify(this, message, wParam, lParam, pResult);
}
