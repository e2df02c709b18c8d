#include "station/ui/emap/EMapIcon.h"

#include <vector>

#include "station/core/datamodel/VuskEMapDev.h"
#include "station/ui/emap/EMapRules.h"

namespace {

const EMapIconPictures kCameraPictures = {"\\skin\\emap_cam.bmp", "\\skin\\emap_cam_push.bmp",
                                          "\\skin\\emap_cam_area.bmp"};
const EMapIconPictures kInputPictures = {"\\skin\\emap_sensor.bmp", "\\skin\\emap_sensor_push.bmp",
                                         "\\skin\\emap_sensor_area.bmp"};
const EMapIconPictures kOutputPictures = {"\\skin\\emap_output.bmp", "\\skin\\emap_output_push.bmp",
                                          "\\skin\\emap_output_area.bmp"};

HBITMAP LoadSection(LPCSTR path)
{
    return (HBITMAP)::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

// The region of the black runs, made in one call.
HRGN RegionFromRuns(const std::vector<RECT>& runs, int width, int height)
{
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = (DWORD)runs.size();
    region->rdh.nRgnSize = (DWORD)(runs.size() * sizeof(RECT));
    ::SetRect(&region->rdh.rcBound, 0, 0, width, height);
    if (!runs.empty())
        memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return ::ExtCreateRegion(nullptr, (DWORD)data.size(), region);
}

} // namespace

const EMapIconPictures* IconPicturesOfKind(int kind)
{
    switch (kind) {
    case emapCamera:
        return &kCameraPictures;
    case emapAlarmInput:
        return &kInputPictures;
    case emapAlarmOutput:
        return &kOutputPictures;
    }
    return nullptr;
}

BEGIN_MESSAGE_MAP(CEMapIcon, CEMapItemWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CEMapIcon::CEMapIcon()
    : m_shown(0), m_pDevice(nullptr), m_normal(nullptr), m_alarm(nullptr), m_bitmapWidth(0), m_bitmapHeight(0)
{
}

CEMapIcon::~CEMapIcon()
{
    FreeBitmaps();
}

BOOL CEMapIcon::Create(CDlgEMapCanvas* canvas, CVuskEMapDev* device)
{
    m_pDevice = device;
    return CreateItem(canvas, CRect(10, 10, 44, 28), device->m_caption);
}

void CEMapIcon::FreeBitmaps()
{
    if (m_normal != nullptr)
        ::DeleteObject(m_normal);
    if (m_alarm != nullptr)
        ::DeleteObject(m_alarm);
    m_normal = m_alarm = nullptr;
}

BOOL CEMapIcon::LoadBitmaps(LPCSTR normalPath, LPCSTR alarmPath)
{
    FreeBitmaps();
    m_normal = LoadSection(normalPath);
    m_alarm = LoadSection(alarmPath);
    if (m_normal == nullptr || m_alarm == nullptr) {
        FreeBitmaps();
        return FALSE;
    }
    BITMAP info;
    ::GetObjectA(m_normal, sizeof(info), &info);
    m_bitmapWidth = info.bmWidth;
    m_bitmapHeight = info.bmHeight;
    SetWindowPos(nullptr, 0, 0, m_bitmapWidth, m_bitmapHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CEMapIcon::SetShapeFromMask(LPCSTR maskPath)
{
    HBITMAP mask = LoadSection(maskPath);
    if (mask == nullptr)
        return FALSE;
    BITMAP info;
    ::GetObjectA(mask, sizeof(info), &info);
    int width = info.bmWidth, height = info.bmHeight;
    m_bitmapWidth = width;
    m_bitmapHeight = height;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels((size_t)width * (height > 0 ? height : 0));
    HDC screen = ::GetDC(nullptr);
    int rows = pixels.empty() ? 0 : ::GetDIBits(screen, mask, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(mask);
    if (rows != height)
        return FALSE;
    HRGN region = RegionFromRuns(BlackRuns(pixels.data(), width, height), width, height);
    if (region == nullptr)
        return FALSE;
    if (!::SetWindowRgn(m_hWnd, region, TRUE)) {
        ::DeleteObject(region);
        return FALSE;
    }
    return TRUE;
}

void CEMapIcon::SetShown(int shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    Invalidate();
}

// A device without its camera (disabled) never blinks.
void CEMapIcon::Blink()
{
    if (m_pDevice == nullptr)
        return;
    int alarm = m_pDevice->IsBound() ? m_pDevice->m_alarmState : 0;
    int next = NextBlinkState(m_pDevice->m_kind, alarm, m_shown);
    if (next != m_shown || (alarm != 0 && m_pDevice->m_kind != emapAlarmOutput))
        SetShown(next);
}

void CEMapIcon::OnAlarmChanged()
{
    if (m_pDevice != nullptr && m_pDevice->m_kind == emapAlarmOutput && m_hWnd != nullptr)
        SetShown(m_pDevice->IsBound() && m_pDevice->m_alarmState != 0 ? 1 : 0);
}

void CEMapIcon::OnPaint()
{
    CPaintDC dc(this);
    HBITMAP picture = (m_shown == 1 && m_alarm != nullptr) ? m_alarm : m_normal;
    if (picture != nullptr) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        HGDIOBJ old = ::SelectObject(memory.m_hDC, picture);
        dc.BitBlt(0, 0, m_bitmapWidth, m_bitmapHeight, &memory, 0, 0, SRCCOPY);
        ::SelectObject(memory.m_hDC, old);
    }
    DrawFrame(dc, RGB(0, 0, 255));
}

// The editor's positions reach the map data here; the device no longer points at a window that
// is going away.
void CEMapIcon::OnDestroy()
{
    if (m_pDevice != nullptr) {
        if (m_editMode) {
            CRect rect;
            GetWindowRect(&rect);
            m_pDevice->m_x = m_x;
            m_pDevice->m_y = m_y;
            m_pDevice->m_width = rect.Width();
            m_pDevice->m_height = rect.Height();
        }
        if (m_pDevice->m_pIcon == this)
            m_pDevice->m_pIcon = nullptr;
    }
    CEMapItemWnd::OnDestroy();
}
