#include "station/ui/emap/EMapIcon.h"

#include "station/core/datamodel/VuskEMapDev.h"
#include "station/ui/emap/DlgEMapCanvas.h"
#include "station/ui/emap/EMapIconPictures.h"
#include "station/ui/emap/EMapRules.h"

BEGIN_MESSAGE_MAP(CEMapIcon, CEMapItemWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CEMapIcon::CEMapIcon()
    : m_shown(0), m_pDevice(nullptr), m_normal(nullptr), m_alarm(nullptr), m_bitmapWidth(0), m_bitmapHeight(0),
      m_shape(nullptr)
{
}

CEMapIcon::~CEMapIcon() = default;

// Made visible at its place and size: each later move, resize or show of a child window costs as
// much as making it. Nothing paints before the shape is set (painting waits for the message loop,
// and a scene load holds the canvas's drawing meanwhile).
BOOL CEMapIcon::Create(CDlgEMapCanvas* canvas, CVuskEMapDev* device, const EMapKindPictures* pictures)
{
    m_pDevice = device;
    CSize size(34, 18);
    if (pictures != nullptr && pictures->normal != nullptr) {
        m_normal = pictures->normal;
        m_alarm = pictures->alarm;
        BITMAP info;
        ::GetObjectA(m_normal, sizeof(info), &info);
        m_bitmapWidth = info.bmWidth;
        m_bitmapHeight = info.bmHeight;
        size = CSize(m_bitmapWidth, m_bitmapHeight);
    }
    return CreateItem(canvas, CRect(CPoint(device->m_x, device->m_y), size), device->m_caption, TRUE);
}

void CEMapIcon::SetShape(const EMapKindPictures* pictures)
{
    HRGN region = pictures != nullptr ? CreateShapeRegion(pictures->shape) : nullptr;
    if (region == nullptr)
        return;
    m_bitmapWidth = pictures->maskWidth;
    m_bitmapHeight = pictures->maskHeight;
    if (::SetWindowRgn(m_hWnd, region, FALSE))
        m_shape = pictures->shape;
    else
        ::DeleteObject(region); // the window owns a region only when it took it
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

// The whole icon is drawn at every paint (it is small), through a DC of the window after validating
// it: BeginPaint would add the caret's hiding and showing and the update region's reading, each a
// round trip to the window server. Nothing needs erasing first: the class has no background brush.
// A scene's paint draws its icons from the canvas (CDlgEMapCanvas::PaintIcons); this is for an
// icon repainted alone.
void CEMapIcon::OnPaint()
{
    ValidateRect(nullptr);
    CClientDC dc(this);
    Draw(dc, CPoint(0, 0));
}

void CEMapIcon::Draw(CDC& dc, CPoint origin)
{
    HBITMAP picture = (m_shown == 1 && m_alarm != nullptr) ? m_alarm : m_normal;
    if (picture != nullptr && m_pCanvas != nullptr)
        m_pCanvas->m_iconPictures.Draw(dc.m_hDC, picture, origin.x, origin.y, m_bitmapWidth, m_bitmapHeight);
    CRect frame;
    GetClientRect(&frame);
    frame.OffsetRect(origin);
    DrawFrame(dc, frame, RGB(0, 0, 255));
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

namespace {

class CEMapIconLinks : public CMapLinks {
public:
    void SetIconAlarm(CEMapIcon* icon, int) override
    {
        if (icon != nullptr)
            icon->OnAlarmChanged();
    }
};

} // namespace

CMapLinks& EMapIconLinks()
{
    static CEMapIconLinks links;
    return links;
}
