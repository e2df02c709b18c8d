#include "station/ui/emap/EMapIconPictures.h"

#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/ui/liveview/SkinButton.h"
#include "station/ui/emap/EMapRules.h"

#include <vector>

namespace {

const EMapIconPictures kCameraPictures = {"\\skin\\emap_cam.bmp", "\\skin\\emap_cam_push.bmp",
                                          "\\skin\\emap_cam_area.bmp"};
const EMapIconPictures kInputPictures = {"\\skin\\emap_sensor.bmp", "\\skin\\emap_sensor_push.bmp",
                                         "\\skin\\emap_sensor_area.bmp"};
const EMapIconPictures kOutputPictures = {"\\skin\\emap_output.bmp", "\\skin\\emap_output_push.bmp",
                                          "\\skin\\emap_output_area.bmp"};

// The black runs of the mask as a region, built once for all the icons of the kind.
bool ReadShape(LPCSTR maskPath, EMapKindPictures& kind)
{
    HBITMAP mask = LoadSkinPicture(maskPath, 0, 0);
    if (mask == nullptr)
        return false;
    BITMAP info;
    ::GetObjectA(mask, sizeof(info), &info);
    int width = info.bmWidth, height = info.bmHeight;
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
        return false;
    std::vector<RECT> runs = BlackRuns(pixels.data(), width, height);
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT), 0);
    RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = (DWORD)runs.size();
    region->rdh.nRgnSize = (DWORD)(runs.size() * sizeof(RECT));
    ::SetRect(&region->rdh.rcBound, 0, 0, width, height);
    if (!runs.empty())
        memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    kind.shape = ::ExtCreateRegion(nullptr, (DWORD)data.size(), region);
    if (kind.shape == nullptr)
        return false;
    kind.maskWidth = width;
    kind.maskHeight = height;
    return true;
}

int SlotOfKind(int kind)
{
    switch (kind) {
    case emapCamera:
        return 0;
    case emapAlarmInput:
        return 1;
    case emapAlarmOutput:
        return 2;
    }
    return -1;
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

HRGN CreateShapeRegion(HRGN shape)
{
    if (shape == nullptr)
        return nullptr;
    HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
    if (copy != nullptr && ::CombineRgn(copy, shape, nullptr, RGN_COPY) == ERROR) {
        ::DeleteObject(copy);
        copy = nullptr;
    }
    return copy;
}

CEMapIconPictures::~CEMapIconPictures()
{
    Free();
}

const EMapKindPictures* CEMapIconPictures::OfKind(int kind)
{
    int slot = SlotOfKind(kind);
    if (slot < 0)
        return nullptr;
    EMapKindPictures& pictures = m_kinds[slot];
    if (!m_loaded[slot]) {
        m_loaded[slot] = true;
        const EMapIconPictures* paths = IconPicturesOfKind(kind);
        CString start = GetStartDirectory();
        pictures.normal = LoadSkinPicture(start + paths->normal, 0, 0);
        pictures.alarm = LoadSkinPicture(start + paths->alarm, 0, 0);
        if (pictures.normal == nullptr || pictures.alarm == nullptr) {
            if (pictures.normal != nullptr)
                ::DeleteObject(pictures.normal);
            if (pictures.alarm != nullptr)
                ::DeleteObject(pictures.alarm);
            pictures.normal = pictures.alarm = nullptr;
        }
        ReadShape(start + paths->mask, pictures);
    }
    return &pictures;
}

void CEMapIconPictures::Draw(HDC target, HBITMAP picture, int x, int y, int width, int height)
{
    if (m_memory == nullptr)
        m_memory = ::CreateCompatibleDC(nullptr);
    if (m_memory == nullptr)
        return;
    HGDIOBJ old = ::SelectObject(m_memory, picture);
    ::BitBlt(target, x, y, width, height, m_memory, 0, 0, SRCCOPY);
    ::SelectObject(m_memory, old);
}

void CEMapIconPictures::Free()
{
    if (m_memory != nullptr)
        ::DeleteDC(m_memory);
    m_memory = nullptr;
    for (int slot = 0; slot < kKinds; ++slot) {
        if (m_kinds[slot].normal != nullptr)
            ::DeleteObject(m_kinds[slot].normal);
        if (m_kinds[slot].alarm != nullptr)
            ::DeleteObject(m_kinds[slot].alarm);
        if (m_kinds[slot].shape != nullptr)
            ::DeleteObject(m_kinds[slot].shape);
        m_kinds[slot] = EMapKindPictures();
        m_loaded[slot] = false;
    }
}
