// The stand-in window of the remote-configuration control and the server report it shows.
#include "station/ui/mainwindow/RemoteParamWindow.h"

#include "devices/conduit/Conduit.h"

namespace {

const int kRowHeight = 24;
const int kLabelLeft = 20;
const int kValueLeft = 120;
const int kTitleHeight = 44;
const int kWidth = 340;
const COLORREF kTitleBand = RGB(68, 162, 226);

CString OnOff(const unsigned char* states, int count)
{
    CString text;
    for (int i = 0; i < count && i < 4; ++i) {
        CString one;
        one.Format("%s%d %s", i == 0 ? "" : "  ", i + 1, states[i] ? "开" : "关");
        text += one;
    }
    return text;
}

} // namespace

RemoteServerReport QueryRemoteServer(LPCSTR name, LPCSTR address, unsigned short port, LPCSTR user, LPCSTR password)
{
    RemoteServerReport report;
    report.name = name != nullptr ? name : "";
    report.address = address != nullptr ? address : "";
    report.port = port;
    report.answered =
        Conduit_QueryDevice(report.name, report.address, &report.channels, &report.sensors, &report.relays, port) == 1;
    if (!report.answered)
        report.channels = report.sensors = report.relays = 0;
    report.relayStatesRead =
        Conduit_GetAlarmOutputs(report.name, report.address, user != nullptr ? user : "",
                                password != nullptr ? password : "", report.relayStates, port) == 1;
    return report;
}

int FormatRemoteReport(const RemoteServerReport& report, RemoteReportRow* rows, int maxRows)
{
    RemoteReportRow all[7];
    int count = 0;
    all[count++] = {"服务器名称:", report.name};
    all[count++] = {"地址:", report.address};
    all[count].label = "端口:";
    all[count++].value.Format("%u", (unsigned)report.port);
    if (!report.answered) {
        all[count++] = {"状态:", "服务器没有应答"};
    } else {
        all[count].label = "通道:";
        all[count++].value.Format("%d", report.channels);
        all[count].label = "报警输入:";
        all[count++].value.Format("%d", report.sensors);
        all[count].label = "报警输出:";
        all[count++].value.Format("%d", report.relays);
        if (report.relayStatesRead && report.relays > 0)
            all[count++] = {"输出状态:", OnOff(report.relayStates, report.relays)};
    }
    int shown = count < maxRows ? count : maxRows;
    for (int i = 0; i < shown; ++i)
        rows[i] = all[i];
    return shown;
}

BEGIN_MESSAGE_MAP(CRemoteParamWindow, CWnd)
ON_WM_PAINT()
ON_WM_CLOSE()
ON_BN_CLICKED(kCloseButton, OnCloseButton)
END_MESSAGE_MAP()

CRemoteParamWindow::~CRemoteParamWindow()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CRemoteParamWindow::Show(CWnd* owner, const RemoteServerReport& report)
{
    m_rowCount = FormatRemoteReport(report, m_rows, kMaxRows);
    if (m_hWnd == nullptr && !CreateWindowFor(owner))
        return FALSE;
    CString caption;
    caption.Format("远程设置 - %s", (LPCSTR)report.name);
    SetWindowText(caption);
    LayOut();
    Invalidate();
    ShowWindow(SW_SHOWNORMAL);
    SetForegroundWindow();
    return TRUE;
}

BOOL CRemoteParamWindow::CreateWindowFor(CWnd* owner)
{
    if (m_font.m_hObject == nullptr) {
        m_font.CreateFont(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
        m_titleFont.CreateFont(-18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
    }
    LPCSTR windowClass =
        AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    HWND ownerWindow = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    if (!CreateEx(WS_EX_DLGMODALFRAME, windowClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, kWidth, 200,
                  ownerWindow, nullptr))
        return FALSE;
    m_closeButton.Create("关闭", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(0, 0, 80, 26), this,
                         kCloseButton);
    m_closeButton.SetFont(&m_font);
    return TRUE;
}

// The window fits its rows: the title band, one line per row, the button centred below.
void CRemoteParamWindow::LayOut()
{
    int rowsBottom = kTitleHeight + 12 + (m_rowCount - 1) * kRowHeight + kRowHeight;
    CRect client(0, 0, kWidth, rowsBottom + 16 + 26 + 16);
    CRect window = client;
    ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    m_closeButton.MoveWindow((kWidth - 80) / 2, rowsBottom + 16, 80, 26);
}

void CRemoteParamWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(0, 0, client.Width(), kTitleHeight, kTitleBand);
    dc.SetBkMode(TRANSPARENT);
    CFont* old = dc.SelectObject(&m_titleFont);
    dc.SetTextColor(RGB(255, 255, 255));
    CRect title(kLabelLeft, 0, client.right - kLabelLeft, kTitleHeight);
    CString heading = m_rowCount > 0 ? m_rows[0].value : CString();
    dc.DrawText(heading, &title, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    dc.SelectObject(&m_font);
    for (int i = 0; i < m_rowCount; ++i) {
        int top = kTitleHeight + 12 + i * kRowHeight;
        CRect label(kLabelLeft, top, kValueLeft - 8, top + kRowHeight);
        CRect value(kValueLeft, top, client.right - kLabelLeft, top + kRowHeight);
        dc.SetTextColor(RGB(80, 80, 80));
        dc.DrawText(m_rows[i].label, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.DrawText(m_rows[i].value, &value, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    dc.SelectObject(old);
}

void CRemoteParamWindow::OnClose()
{
    DestroyWindow();
}

void CRemoteParamWindow::OnCloseButton()
{
    DestroyWindow();
}
