// The replacement functions: colours from the current skin; scroll-bar calls for a window with skin scroll
// bars answered by them, the rest by the platform's functions.
#include "skin/engine/interception/ApiReplacements.h"

#include <map>

#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/skinners/scrolling/SkinScrollBar.h"

namespace {

int TableIndex(int index)
{
    return index >= 0 && index < SysColorTableSkinObject::kBrushes ? index : 0;
}

// Brushes handed out stay valid until the toolkit shuts down: a program (or a control class) keeps what
// GetSysColorBrush gave it, so a skin change must not delete them under it. One brush per colour.
std::map<COLORREF, HBRUSH>& LastingBrushes()
{
    static std::map<COLORREF, HBRUSH> brushes;
    return brushes;
}

HBRUSH LastingBrush(COLORREF color)
{
    HBRUSH& brush = LastingBrushes()[color];
    if (!brush)
        brush = CreateSolidBrush(color);
    return brush;
}

bool HasSkinBars(HWND hwnd)
{
    return GetSkinScrollState(hwnd) != NULL;
}

bool IsWindowBar(int bar)
{
    return bar == SB_HORZ || bar == SB_VERT;
}

} // namespace

BOOL WINAPI SkinEnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    if (!HasSkinBars(hwnd))
        return RealApi().enableScrollBar(hwnd, bar, arrows);
    return SkinScrollEnableScrollBar(hwnd, bar, arrows);
}

BOOL WINAPI SkinGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    if (!HasSkinBars(hwnd) || !IsWindowBar(bar))
        return RealApi().getScrollInfo(hwnd, bar, info);
    return SkinScrollGetScrollInfo(hwnd, bar, info);
}

int WINAPI SkinGetScrollPos(HWND hwnd, int bar)
{
    if (!HasSkinBars(hwnd) || !IsWindowBar(bar))
        return RealApi().getScrollPos(hwnd, bar);
    return SkinScrollGetScrollPos(hwnd, bar);
}

BOOL WINAPI SkinGetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum)
{
    if (!HasSkinBars(hwnd) || !IsWindowBar(bar))
        return RealApi().getScrollRange(hwnd, bar, minimum, maximum);
    return SkinScrollGetScrollRange(hwnd, bar, minimum, maximum);
}

int WINAPI SkinSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    if (!HasSkinBars(hwnd) || !IsWindowBar(bar))
        return RealApi().setScrollInfo(hwnd, bar, info, redraw);
    return SkinScrollSetScrollInfo(hwnd, bar, info, redraw);
}

int WINAPI SkinSetScrollPos(HWND hwnd, int bar, int position, BOOL redraw)
{
    if (!HasSkinBars(hwnd) || !IsWindowBar(bar))
        return RealApi().setScrollPos(hwnd, bar, position, redraw);
    return SkinScrollSetScrollPos(hwnd, bar, position, redraw);
}

BOOL WINAPI SkinSetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw)
{
    if (!HasSkinBars(hwnd) || !IsWindowBar(bar))
        return RealApi().setScrollRange(hwnd, bar, minimum, maximum, redraw);
    return SkinScrollSetScrollRange(hwnd, bar, minimum, maximum, redraw);
}

BOOL WINAPI SkinShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    if (!HasSkinBars(hwnd))
        return RealApi().showScrollBar(hwnd, bar, show);
    return SkinScrollShowScrollBar(hwnd, bar, show);
}

DWORD WINAPI SkinGetSysColor(int index)
{
    // At process exit the engine may be gone while a patch is still in place.
    if (SkinEngine::Alive()) {
        EngineLock lock;
        if (const SysColorTableSkinObject* table = SkinEngine::Instance().GetCurrentSkin()->SystemColors())
            return table->Color(TableIndex(index));
    }
    return RealApi().getSysColor(index);
}

HBRUSH WINAPI SkinGetSysColorBrush(int index)
{
    if (SkinEngine::Alive()) {
        EngineLock lock;
        if (const SysColorTableSkinObject* table = SkinEngine::Instance().GetCurrentSkin()->SystemColors())
            return LastingBrush(table->Color(TableIndex(index)));
    }
    return RealApi().getSysColorBrush(index);
}

void ReleaseSysColorBrushes()
{
    EngineLock lock;
    for (auto& entry : LastingBrushes())
        if (entry.second)
            DeleteObject(entry.second);
    LastingBrushes().clear();
}
