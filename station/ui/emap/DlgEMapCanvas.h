// CDlgEMapCanvas: the surface that shows one scene: its map picture with an icon window per device
// and a link window per child scene. In the run view icons blink; in the editor they are dragged.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>
#include <afxwin.h>

#include "station/ui/emap/EMapIconPictures.h"
#include "station/ui/emap/EMapLoadTimes.h"

class CEMapIcon;
class CEMapItemWnd;
class CEMapLink;
class CVuskEMapDev;
class CVuskEMapTerm;

class CDlgEMapCanvas : public CDialog {
public:
    enum { IDD = 205 };
    explicit CDlgEMapCanvas(int editMode = 0);
    ~CDlgEMapCanvas() override;

    // 0 when the picture cannot be loaded: the canvas is then empty.
    int LoadScene(CVuskEMapTerm* scene);
    void Clear();
    void AddIcon(CVuskEMapDev* device);
    void RemoveIcon(CVuskEMapDev* device);
    void AddLink(CVuskEMapTerm* scene);
    void ClearSelection();
    void SelectDevice(CVuskEMapDev* device);
    // The blink tick (timer 2), for each icon in order.
    void BlinkIcons();
    // 1 while the window is one of the canvas's icons (links): a posted activation may name a window
    // that a scene change has deleted since, whose memory may hold an item of the other kind by now.
    BOOL HasIcon(const void* window) const;
    BOOL HasLink(const void* window) const;

    static void OnIconEvent(CEMapItemWnd* icon, int event, CDlgEMapCanvas* canvas);
    static void OnLinkEvent(CEMapItemWnd* link, int event, CDlgEMapCanvas* canvas);

    int m_editMode;
    UINT_PTR m_blinkTimer;
    int m_pictureWidth;
    int m_pictureHeight;
    int m_mouseDown;
    CPoint m_lastMouseDown;
    HBITMAP m_picture;
    CTypedPtrArray<CPtrArray, CEMapIcon*> m_icons;
    CTypedPtrArray<CPtrArray, CEMapLink*> m_links;
    CToolTipCtrl m_toolTip;
    CEMapIconPictures m_iconPictures; // shared by the icons, freed with the canvas after them
    EMapLoadTimes* m_pLoadTimes;      // where scene loads add their times; none by default

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    void PostActivate(WPARAM item, LPARAM kind);
    void RemoveIconWindow(CEMapIcon* icon);
    void PaintIcons(CDC& dc, HRGN painted);

    EMapLoadClock m_loadClock;
};
