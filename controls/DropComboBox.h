// A self-drawn combo box with its own item list and drop-down window; it answers the standard
// combo-box messages so that it can stand over a list cell or in a dialog.
#pragma once

#include <afxwin.h>

#include "controls/DropComboItem.h"

class CDropComboBoxDropWnd;
class CDropComboBoxEdit;
class CDropComboBoxList;

class CDropComboBox : public CWnd {
    DECLARE_DYNAMIC(CDropComboBox)
public:
    explicit CDropComboBox(int unused = 0, CWnd* owner = nullptr);
    ~CDropComboBox() override;

    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual void OnEscape() {}
    virtual void OnReturn() {}
    virtual CFont* GetComboFont() { return m_font; }

    void LoadItemsFromResource(UINT id);
    int AddString(LPCSTR text);
    int AddItem(const DropComboItem& item);
    int SetCurSel(int index);
    int GetCurSel();
    int FindStringExact(int start, LPCSTR text) const;
    int GetCount() const { return m_count; }
    int GetLBText(int index, LPSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int GetTopIndex() const;
    int SetTopIndex(int row);
    void GetWindowText(CString& text) const;
    int GetMinItemsBelow() const { return m_minItemsBelow; }
    int GetMaxVisibleItems() const { return m_maxVisibleItems; }
    void SetMaxVisibleItems(int rows) { m_maxVisibleItems = rows; }
    DWORD GetFlags() const { return m_flags; }
    void SetFlags(DWORD flags) { m_flags = flags; }
    BOOL IsDropped() const { return m_dropped; }
    CDropComboBoxDropWnd* GetDropWnd() const { return m_dropWnd; }
    CDropComboBoxEdit* GetEditPart() const { return m_edit; }
    void SetItemDisabled(int index, BOOL disabled);

    void ShowDropDown(const DropComboItems& items);
    void CloseDropDown();
    void SelectFromList(int row);
    void AutoComplete();
    void SelectPrev();
    void SelectNext();
    void PageUp();
    void PageDown();

protected:
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg LRESULT OnAddString(WPARAM, LPARAM lParam);
    afx_msg LRESULT OnSetCurSelMsg(WPARAM wParam, LPARAM);
    afx_msg LRESULT OnGetCurSelMsg(WPARAM, LPARAM);
    afx_msg LRESULT OnSelectString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCount(WPARAM, LPARAM);
    afx_msg LRESULT OnResetContent(WPARAM, LPARAM);
    afx_msg LRESULT OnGetLBTextMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetLBTextLenMsg(WPARAM wParam, LPARAM);
    afx_msg LRESULT OnGetTopIndexMsg(WPARAM, LPARAM);
    afx_msg LRESULT OnSetTopIndexMsg(WPARAM wParam, LPARAM);
    afx_msg LRESULT OnDropSelect(WPARAM wParam, LPARAM);
    afx_msg LRESULT OnDropDown(WPARAM, LPARAM);
    afx_msg LRESULT OnDropCloseUp(WPARAM, LPARAM);
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnChildActivate();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnEditSetFocus();
    afx_msg void OnEditKillFocus();
    afx_msg void OnEditChange();
    afx_msg void OnEditUpdate();
    DECLARE_MESSAGE_MAP()

private:
    static void RegisterClass();
    void Notify(UINT code);
    void MakeFont();
    void MakeEditPart();
    CRect EditRect() const;
    BOOL IsDropList() const { return (GetStyle() & 3) == CBS_DROPDOWNLIST; }
    BOOL IsDropDown() const { return (GetStyle() & 3) == CBS_DROPDOWN; }
    BOOL ValidSel() const { return m_curSel >= 0 && m_curSel < m_count; }
    void SetText(const std::string& text);
    bool RunAutoComplete(); // false when it stopped without notifying
    void MoveClosedSelection(int index);
    // A page move in the open list: the row (-1: none) is selected as it is, and shown in the edit part.
    void PageListTo(CDropComboBoxList& list, int row);
    BOOL PreTranslateKey(UINT key);
    BOOL HandleEnter();
    BOOL HandleEscape();
    BOOL HandleRight();
    void ToggleDropDown();
    CRect HoverArea() const;
    void DrawFrameAndButton(CDC& dc, CRect& buttonRect);
    void DrawListFace(CDC& dc, CRect textRect);
    std::vector<std::string> Texts() const;
    std::vector<bool> Disabled() const;

    CWnd* m_owner;
    int m_curSel = -1;
    CDropComboBoxEdit* m_edit = nullptr;
    std::string m_text;
    CFont* m_font = nullptr;
    DWORD m_createStyle = 0;
    DWORD m_flags = DROPCOMBO_FRAMED_EDIT;
    CRect m_createRect;
    CRect m_lastDropRect;
    CDropComboBoxDropWnd* m_dropWnd = nullptr;
    CRect m_buttonRect;
    BOOL m_dropped = FALSE;
    DropComboItems m_items;
    int m_count = 0;
    int m_wheelDelta = 0;
    bool m_faceFocus = false;
    bool m_focusNotified = false;
    bool m_selectionMade = false;
    bool m_textToEdit = true;
    int m_minItemsBelow = 5;
    int m_createdByCreate = 0;
    int m_appendAllowed = 1;
    bool m_hot = false;
    bool m_hotTimer = false;
    int m_maxVisibleItems = -1;

    static bool s_appending;
};
