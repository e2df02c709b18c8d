// CImageList: ownership of the list handle, temporary wrappers, loading from the resource module.
#include "afxwin.h"
#include "afxcmn.h"
#include "framework/WinThreadState.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

HIMAGELIST CImageList::GetSafeHandle() const
{
    const CImageList* self = AfxNullable(this);
    return self == nullptr ? nullptr : self->m_hImageList;
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return AfxGetWinThreadState()->imageLists.FromHandle<&CImageList::m_hImageList>(hImageList);
}

CImageList* PASCAL CImageList::FromNewHandle(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return nullptr;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return AfxAttachHandle(m_hImageList, hImageList);
}

HIMAGELIST CImageList::Detach()
{
    return AfxDetachHandle(m_hImageList);
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadImageA(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
