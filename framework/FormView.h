// CFormView: a scrolling view made from a dialog template (a child template without caption), so
// its controls scroll with it and have the dialog keyboard. It is created as a child of any window
// (a dialog, here) with Create, then OnInitialUpdate fills its controls (DoDataExchange).
#pragma once

#include "framework/ScrollView.h"

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCSTR lpszTemplateName);

    // The template gives the controls and the scroll size; dwRequestedStyle decides the border and
    // visibility, rect the place, nID the identifier.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwRequestedStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnDraw(CDC* pDC) override;

    LPCSTR m_lpszTemplateName;
};
