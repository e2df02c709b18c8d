// The replacement functions: colours from the current skin, scroll bars to the platform's functions.
#include "skin/engine/interception/ApiReplacements.h"

#include "skin/engine/interception/ApiHooks.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/objects/ResourceSkinObjects.h"

namespace {

int TableIndex(int index)
{
    return index >= 0 && index < SysColorTableSkinObject::kBrushes ? index : 0;
}

} // namespace

BOOL WINAPI SkinEnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    return RealApi().enableScrollBar(hwnd, bar, arrows);
}

BOOL WINAPI SkinGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    return RealApi().getScrollInfo(hwnd, bar, info);
}

int WINAPI SkinGetScrollPos(HWND hwnd, int bar)
{
    return RealApi().getScrollPos(hwnd, bar);
}

BOOL WINAPI SkinGetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum)
{
    return RealApi().getScrollRange(hwnd, bar, minimum, maximum);
}

int WINAPI SkinSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    return RealApi().setScrollInfo(hwnd, bar, info, redraw);
}

int WINAPI SkinSetScrollPos(HWND hwnd, int bar, int position, BOOL redraw)
{
    return RealApi().setScrollPos(hwnd, bar, position, redraw);
}

BOOL WINAPI SkinSetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw)
{
    return RealApi().setScrollRange(hwnd, bar, minimum, maximum, redraw);
}

BOOL WINAPI SkinShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    return RealApi().showScrollBar(hwnd, bar, show);
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
            return table->Brush(TableIndex(index));
    }
    return RealApi().getSysColorBrush(index);
}
