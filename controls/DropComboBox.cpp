// CDropComboBox: its window class, items, the standard combo-box messages, the opening and closing
// of its drop window, focus and the edit part. Keys, painting and auto-complete have files of their
// own (DropComboBoxKeys.cpp, DropComboBoxPaint.cpp, DropComboBoxAutoComplete.cpp).
#include "controls/DropComboBox.h"

#include "controls/DropComboBoxDropWnd.h"
#include "controls/DropComboBoxEdit.h"
#include "controls/DropComboLogic.h"

#include <UserException.h>

namespace {

const char kClassName[] = "SuperComboBox";
const UINT kEditId = 108;
const UINT kDropWndId = 6;

} // namespace

bool CDropComboBox::s_appending = false;

IMPLEMENT_DYNAMIC(CDropComboBox, CWnd)

BEGIN_MESSAGE_MAP(CDropComboBox, CWnd)
ON_MESSAGE(CB_ADDSTRING, OnAddString)
ON_MESSAGE(CB_SETCURSEL, OnSetCurSelMsg)
ON_MESSAGE(CB_GETCURSEL, OnGetCurSelMsg)
ON_MESSAGE(CB_SELECTSTRING, OnSelectString)
ON_MESSAGE(CB_GETCOUNT, OnGetCount)
ON_MESSAGE(CB_RESETCONTENT, OnResetContent)
ON_MESSAGE(CB_GETLBTEXT, OnGetLBTextMsg)
ON_MESSAGE(CB_GETLBTEXTLEN, OnGetLBTextLenMsg)
ON_MESSAGE(CB_GETTOPINDEX, OnGetTopIndexMsg)
ON_MESSAGE(CB_SETTOPINDEX, OnSetTopIndexMsg)
ON_MESSAGE(WM_DROPCOMBO_SELECT, OnDropSelect)
ON_MESSAGE(WM_DROPCOMBO_DROPDOWN, OnDropDown)
ON_MESSAGE(WM_DROPCOMBO_CLOSEUP, OnDropCloseUp)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_ENABLE()
ON_WM_CHILDACTIVATE()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_SIZE()
ON_EN_SETFOCUS(kEditId, OnEditSetFocus)
ON_EN_KILLFOCUS(kEditId, OnEditKillFocus)
ON_EN_CHANGE(kEditId, OnEditChange)
ON_EN_UPDATE(kEditId, OnEditUpdate)
END_MESSAGE_MAP()

CDropComboBox::CDropComboBox(int, CWnd* owner) : m_owner(owner)
{
    RegisterClass();
}

CDropComboBox::~CDropComboBox()
{
    delete m_font;
    if (m_dropWnd != nullptr) {
        if (m_dropWnd->GetSafeHwnd() != nullptr) {
            m_dropWnd->ShowWindow(SW_HIDE);
            m_dropWnd->DestroyWindow();
        }
        delete m_dropWnd;
    }
    if (m_edit != nullptr) {
        if (m_edit->GetSafeHwnd() != nullptr)
            m_edit->DestroyWindow();
        delete m_edit;
    }
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CDropComboBox::RegisterClass()
{
    WNDCLASSA existing;
    HINSTANCE instance = AfxGetInstanceHandle();
    if (::GetClassInfoA(instance, kClassName, &existing))
        return;
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW));
    wc.lpszClassName = kClassName;
    if (!::RegisterClassA(&wc))
        AfxThrowResourceException();
}

BOOL CDropComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    m_createRect = rect;
    m_createStyle = style;
    m_flags |= DROPCOMBO_FRAMED_EDIT;
    m_createdByCreate = 1;
    LoadItemsFromResource(id);
    if (!CWnd::Create(kClassName, "", style, rect, parent, id))
        return FALSE;
    // A child is not activated when it is created, so WM_CHILDACTIVATE cannot be relied on to come
    // before the operator types: the edit part is made now, over the client area the window has.
    if (IsDropDown() && m_edit == nullptr)
        MakeEditPart();
    return TRUE;
}

void CDropComboBox::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (m_owner == nullptr)
        m_owner = GetParent();
    LoadItemsFromResource(GetDlgCtrlID());
    MakeFont();
    if (!m_createdByCreate && IsDropDown() && m_edit == nullptr)
        MakeEditPart();
}

void CDropComboBox::MakeFont()
{
    if (m_font != nullptr || m_owner == nullptr || m_owner->GetSafeHwnd() == nullptr)
        return;
    HFONT ownerFont = reinterpret_cast<HFONT>(m_owner->SendMessage(WM_GETFONT));
    if (ownerFont == nullptr)
        ownerFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA description;
    if (::GetObjectA(ownerFont, sizeof(description), &description) != sizeof(description))
        return;
    m_font = new CFont;
    m_font->CreateFontIndirect(&description);
    if (m_hWnd != nullptr)
        SetFont(m_font);
}

CRect CDropComboBox::EditRect() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.right -= ::GetSystemMetrics(SM_CXHSCROLL);
    if (m_flags & DROPCOMBO_FRAMED_EDIT) {
        rect.DeflateRect(2, 2);
        rect.OffsetRect(1, 2);
    }
    return rect;
}

// Made while the window is being attached its client area may still be empty: follow the size.
void CDropComboBox::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_edit != nullptr && m_edit->GetSafeHwnd() != nullptr) {
        CRect rect = EditRect();
        m_edit->MoveWindow(&rect);
    }
}

void CDropComboBox::MakeEditPart()
{
    CRect rect = EditRect();
    DWORD style = WS_CHILD | WS_VISIBLE | ((GetStyle() & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0);
    // The face is painted over the whole client area; the edit part must not be painted over.
    ModifyStyle(0, WS_CLIPCHILDREN);
    m_edit = new CDropComboBoxEdit;
    m_edit->Create(style, rect, this, kEditId);
    if (m_font != nullptr)
        m_edit->SetFont(m_font);
    m_edit->SetWindowText(m_text.c_str());
}

void CDropComboBox::LoadItemsFromResource(UINT id)
{
    CString resource;
    if (id == 0 || !resource.LoadString(id))
        return;
    m_items.clear();
    m_count = 0;
    std::string all(static_cast<LPCSTR>(resource));
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos)
            end = all.size();
        if (end > start)
            AddString(all.substr(start, end - start).c_str());
        start = end + 1;
    }
}

int CDropComboBox::AddItem(const DropComboItem& item)
{
    m_items.push_back(item);
    m_count = static_cast<int>(m_items.size());
    return m_count - 1;
}

int CDropComboBox::AddString(LPCSTR text)
{
    DropComboItem item;
    item.text = text != nullptr ? text : "";
    return AddItem(item);
}

void CDropComboBox::SetItemDisabled(int index, BOOL disabled)
{
    if (index >= 0 && index < m_count)
        m_items[index].disabled = disabled;
}

void CDropComboBox::SetText(const std::string& text)
{
    m_text = text;
    if (m_hWnd != nullptr)
        CWnd::SetWindowText(m_text.c_str());
}

int CDropComboBox::SetCurSel(int index)
{
    if (index == -1) {
        m_curSel = -1;
        SetText("");
        if (m_hWnd != nullptr)
            Invalidate();
        return -1;
    }
    if (m_count == 0) {
        // Kept as given: a later AddString makes it a selection; every read checks it against the count.
        m_curSel = index;
        return -1;
    }
    if (index < 0 || index >= m_count)
        return -1;
    m_curSel = index;
    SetText(m_items[index].text);
    if (m_hWnd != nullptr)
        Invalidate();
    return index;
}

int CDropComboBox::GetCurSel()
{
    CString text;
    GetWindowText(text);
    return FindStringExact(-1, text);
}

int CDropComboBox::FindStringExact(int start, LPCSTR text) const
{
    return DropCombo::FindStringExact(Texts(), start, text != nullptr ? text : "");
}

int CDropComboBox::GetLBText(int index, LPSTR buffer) const
{
    if (index < 0 || index >= m_count)
        return -1;
    const std::string& text = m_items[index].text;
    if (buffer != nullptr) {
        // The message gives no buffer size: the caller sized it with CB_GETLBTEXTLEN.
        memcpy(buffer, text.c_str(), text.size() + 1);
    }
    return static_cast<int>(text.size()) + 1;
}

void CDropComboBox::GetLBText(int index, CString& text) const
{
    text = (index >= 0 && index < m_count) ? m_items[index].text.c_str() : "";
}

int CDropComboBox::GetLBTextLen(int index) const
{
    if (index < 0 || index >= m_count)
        return -1;
    return static_cast<int>(m_items[index].text.size()) + 1;
}

int CDropComboBox::GetTopIndex() const
{
    if (!m_dropped || m_dropWnd == nullptr)
        return -1;
    return m_dropWnd->List().GetTopIndex();
}

int CDropComboBox::SetTopIndex(int row)
{
    if (!m_dropped || m_dropWnd == nullptr)
        return -1;
    return m_dropWnd->List().SetTopIndex(row);
}

void CDropComboBox::GetWindowText(CString& text) const
{
    if (m_edit != nullptr && m_edit->GetSafeHwnd() != nullptr)
        m_edit->GetWindowText(text);
    else
        text = m_text.c_str();
}

std::vector<std::string> CDropComboBox::Texts() const
{
    std::vector<std::string> texts;
    for (const DropComboItem& item : m_items)
        texts.push_back(item.text);
    return texts;
}

std::vector<bool> CDropComboBox::Disabled() const
{
    std::vector<bool> disabled;
    for (const DropComboItem& item : m_items)
        disabled.push_back(item.disabled != FALSE);
    return disabled;
}

void CDropComboBox::Notify(UINT code)
{
    CWnd* target = m_owner != nullptr ? m_owner : GetParent();
    if (target == nullptr || target->GetSafeHwnd() == nullptr)
        return;
    target->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
}

// ---- messages answered ----

LRESULT CDropComboBox::OnAddString(WPARAM, LPARAM lParam)
{
    return AddString(reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CDropComboBox::OnSetCurSelMsg(WPARAM wParam, LPARAM)
{
    return SetCurSel(static_cast<int>(wParam));
}

LRESULT CDropComboBox::OnGetCurSelMsg(WPARAM, LPARAM)
{
    return GetCurSel();
}

LRESULT CDropComboBox::OnSelectString(WPARAM wParam, LPARAM lParam)
{
    int index = FindStringExact(static_cast<int>(wParam), reinterpret_cast<LPCSTR>(lParam));
    return index == -1 ? -1 : SetCurSel(index);
}

LRESULT CDropComboBox::OnGetCount(WPARAM, LPARAM)
{
    return m_count;
}

LRESULT CDropComboBox::OnResetContent(WPARAM, LPARAM)
{
    m_items.clear();
    m_count = 0;
    m_curSel = -1;
    SetText("");
    if (m_edit != nullptr && m_edit->GetSafeHwnd() != nullptr)
        m_edit->SetWindowText("");
    Invalidate();
    return 0;
}

LRESULT CDropComboBox::OnGetLBTextMsg(WPARAM wParam, LPARAM lParam)
{
    return GetLBText(static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam));
}

LRESULT CDropComboBox::OnGetLBTextLenMsg(WPARAM wParam, LPARAM)
{
    return GetLBTextLen(static_cast<int>(wParam));
}

LRESULT CDropComboBox::OnGetTopIndexMsg(WPARAM, LPARAM)
{
    return GetTopIndex();
}

LRESULT CDropComboBox::OnSetTopIndexMsg(WPARAM wParam, LPARAM)
{
    return SetTopIndex(static_cast<int>(wParam));
}

LRESULT CDropComboBox::OnDropSelect(WPARAM wParam, LPARAM)
{
    SelectFromList(static_cast<int>(wParam));
    return 0;
}

LRESULT CDropComboBox::OnDropDown(WPARAM, LPARAM)
{
    ToggleDropDown();
    return 0;
}

LRESULT CDropComboBox::OnDropCloseUp(WPARAM, LPARAM)
{
    CloseDropDown();
    return 0;
}

// ---- opening and closing ----

void CDropComboBox::ToggleDropDown()
{
    if (m_dropped) {
        CloseDropDown();
        return;
    }
    if (m_dropWnd == nullptr)
        ShowDropDown(m_items);
    if (m_dropWnd != nullptr) {
        m_dropWnd->ShowWindow(SW_SHOWNA);
        m_dropped = TRUE;
    }
}

void CDropComboBox::ShowDropDown(const DropComboItems& items)
{
    if (m_dropWnd != nullptr)
        return;
    CRect window;
    GetWindowRect(&window);
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    CRect rect(window.left, window.bottom, window.right, std::min<LONG>(window.bottom, work.bottom));
    m_dropWnd = new CDropComboBoxDropWnd(this, items, m_flags);
    if (!m_dropWnd->Open(rect)) {
        delete m_dropWnd;
        m_dropWnd = nullptr;
        return;
    }
    m_dropped = TRUE;
    int shown = static_cast<int>(items.size());
    if (m_curSel >= shown)
        m_curSel = 0;
    m_dropWnd->List().SelectRow(m_curSel);
    if (m_font != nullptr)
        m_dropWnd->SetFont(m_font);
    Notify(CBN_DROPDOWN);
}

void CDropComboBox::CloseDropDown()
{
    if (m_dropWnd == nullptr) {
        OnReturn();
        return;
    }
    m_dropWnd->GetWindowRect(&m_lastDropRect);
    m_dropWnd->ShowWindow(SW_HIDE);
    m_dropped = FALSE;
    CDropComboBoxDropWnd* dropWnd = m_dropWnd;
    m_dropWnd = nullptr;
    dropWnd->DestroyWindow();
    delete dropWnd;
    InvalidateRect(&m_buttonRect);
    if (m_selectionMade)
        m_selectionMade = false;
    else
        Notify(CBN_SELENDCANCEL);
    Notify(CBN_CLOSEUP);
}

void CDropComboBox::SelectFromList(int row)
{
    // A posted close-up may have overtaken the choice: without the list it came from, ignore it.
    if (m_dropWnd == nullptr)
        return;
    const DropComboItems& shown = m_dropWnd->Items();
    if (row < 0 || row >= static_cast<int>(shown.size()))
        return;
    std::string text = shown[row].text;
    m_text = text;
    m_curSel = FindStringExact(0, text.c_str());
    CWnd::SetWindowText(text.c_str());
    if (m_edit != nullptr) {
        // Written under the shared guard: auto-suggest must not take this text for typing and close
        // the list the choice came from.
        s_appending = true;
        m_edit->SetWindowText(text.c_str());
        s_appending = false;
        m_edit->SetFocus();
        m_edit->SetSel(0, -1);
    }
    m_selectionMade = true;
    Notify(CBN_SELENDOK);
    Invalidate();
    CloseDropDown();
    ::RedrawWindow(nullptr, &m_lastDropRect, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Notify(CBN_SELCHANGE);
}

// ---- window messages ----

int CDropComboBox::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    MakeFont();
    return 0;
}

void CDropComboBox::OnLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    CRect client;
    GetClientRect(&client);
    CRect target = IsDropList() ? client : m_buttonRect;
    if (target.PtInRect(point)) {
        SendMessage(WM_DROPCOMBO_DROPDOWN);
        Invalidate();
    }
    CWnd::OnLButtonDown(flags, point);
}

void CDropComboBox::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    m_faceFocus = true;
    if (IsDropDown() && m_edit != nullptr)
        m_edit->SetFocus();
    else if (IsDropList())
        Notify(CBN_SETFOCUS);
    Invalidate();
}

void CDropComboBox::OnKillFocus(CWnd* newWnd)
{
    CWnd::OnKillFocus(newWnd);
    // The face stops showing focus once the control has lost it.
    m_faceFocus = false;
    Invalidate();
    OnEscape();
}

void CDropComboBox::OnEnable(BOOL enable)
{
    CWnd::OnEnable(enable);
    Invalidate();
    if (m_edit != nullptr)
        m_edit->EnableWindow(enable);
}

void CDropComboBox::OnChildActivate()
{
    CWnd::OnChildActivate();
    MakeFont();
    if (m_createdByCreate && IsDropDown() && m_edit == nullptr)
        MakeEditPart();
}

void CDropComboBox::OnEditSetFocus()
{
    m_faceFocus = false;
    if (m_edit != nullptr)
        m_edit->PostMessage(EM_SETSEL, 0, -1);
    if (!m_focusNotified) {
        m_focusNotified = true;
        Notify(CBN_SETFOCUS);
    }
}

void CDropComboBox::OnEditKillFocus()
{
    m_faceFocus = false;
    Invalidate();
    if (m_dropWnd != nullptr) {
        CloseDropDown();
        return;
    }
    HWND focus = ::GetFocus();
    if (focus == m_hWnd)
        return;
    Notify(CBN_SELENDCANCEL);
    Notify(CBN_KILLFOCUS);
    if (m_edit != nullptr) {
        m_edit->SetSel(0, 0);
        m_edit->SendMessage(EM_SCROLLCARET);
    }
    m_focusNotified = false;
}

void CDropComboBox::OnEditChange()
{
    if (!m_dropped)
        Notify(CBN_EDITCHANGE);
}

// ---- keys before the control's own handling ----
