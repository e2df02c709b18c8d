#include "controls/VisualStyles.h"

#include <string.h>

HMODULE CVisualStyles::s_library = nullptr;
int CVisualStyles::s_themed = -1;
CVisualStyles::ProbeFunc CVisualStyles::s_probes = nullptr;

namespace {

// Loaded before the program's main code runs, freed after it ends.
CVisualStyles g_visualStyles;

typedef HTHEME_HANDLE(WINAPI* OpenThemeDataFn)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* CloseThemeDataFn)(HTHEME_HANDLE);
typedef HRESULT(WINAPI* DrawThemeBackgroundFn)(HTHEME_HANDLE, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* GetThemeColorFn)(HTHEME_HANDLE, int, int, int, COLORREF*);
typedef BOOL(WINAPI* IsAppThemedFn)();
typedef HRESULT(WINAPI* GetCurrentThemeNameFn)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

// GetProcAddress hands back a generic pointer; the real type goes through void* to say so.
template <class Fn> Fn As(FARPROC proc)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

FARPROC g_open, g_close, g_draw, g_color, g_appThemed, g_themeName;

struct ComctlVersion {
    DWORD size, major, minor, build, platform;
};
static_assert(sizeof(ComctlVersion) == 20, "the version record the common controls expect");
typedef HRESULT(CALLBACK* DllGetVersionFn)(ComctlVersion*);

} // namespace

CVisualStyles::CVisualStyles()
{
    s_library = ::LoadLibraryA("UxTheme.dll");
}

CVisualStyles::~CVisualStyles()
{
    if (s_library != nullptr)
        ::FreeLibrary(s_library);
    s_library = nullptr;
}

FARPROC CVisualStyles::Bind(FARPROC& slot, const char* name)
{
    if (slot == nullptr && s_library != nullptr)
        slot = ::GetProcAddress(s_library, name);
    return slot;
}

HTHEME_HANDLE CVisualStyles::OpenThemeData(HWND hWnd, LPCWSTR classList)
{
    auto fn = As<OpenThemeDataFn>(Bind(g_open, "OpenThemeData"));
    return fn != nullptr ? fn(hWnd, classList) : nullptr;
}

HRESULT CVisualStyles::CloseThemeData(HTHEME_HANDLE theme)
{
    auto fn = As<CloseThemeDataFn>(Bind(g_close, "CloseThemeData"));
    return fn != nullptr ? fn(theme) : E_FAIL;
}

HRESULT CVisualStyles::DrawThemeBackground(HTHEME_HANDLE theme, HDC hdc, int part, int state, const RECT* rect,
                                           const RECT* clip)
{
    auto fn = As<DrawThemeBackgroundFn>(Bind(g_draw, "DrawThemeBackground"));
    return fn != nullptr ? fn(theme, hdc, part, state, rect, clip) : E_FAIL;
}

HRESULT CVisualStyles::GetThemeColor(HTHEME_HANDLE theme, int part, int state, int property, COLORREF* color)
{
    auto fn = As<GetThemeColorFn>(Bind(g_color, "GetThemeColor"));
    return fn != nullptr ? fn(theme, part, state, property, color) : E_FAIL;
}

BOOL CVisualStyles::IsAppThemed()
{
    auto fn = As<IsAppThemedFn>(Bind(g_appThemed, "IsAppThemed"));
    return fn != nullptr ? fn() : FALSE;
}

HRESULT CVisualStyles::GetCurrentThemeName(LPWSTR fileName, int fileChars, LPWSTR colorName, int colorChars,
                                           LPWSTR sizeName, int sizeChars)
{
    auto fn = As<GetCurrentThemeNameFn>(Bind(g_themeName, "GetCurrentThemeName"));
    return fn != nullptr ? fn(fileName, fileChars, colorName, colorChars, sizeName, sizeChars) : E_FAIL;
}

void CVisualStyles::PlatformProbes(ThemeProbes* probes)
{
    HMODULE comctl = ::LoadLibraryA("comctl32.dll");
    if (comctl != nullptr) {
        auto getVersion = As<DllGetVersionFn>(::GetProcAddress(comctl, "DllGetVersion"));
        ComctlVersion version = {sizeof(ComctlVersion), 0, 0, 0, 0};
        if (getVersion != nullptr && SUCCEEDED(getVersion(&version))) {
            probes->versionKnown = true;
            probes->major = version.major;
            probes->minor = version.minor;
        }
        ::FreeLibrary(comctl);
    }
    WCHAR fileName[256] = {0};
    WCHAR colorName[256] = {0};
    probes->themeNameRead = SUCCEEDED(GetCurrentThemeName(fileName, 255, colorName, 255, nullptr, 0));
    if (probes->themeNameRead) {
        char narrow[256] = {0};
        ::WideCharToMultiByte(CP_ACP, 0, colorName, -1, narrow, sizeof(narrow) - 1, nullptr, nullptr);
        probes->colorName = narrow;
    }
    probes->appThemed = IsAppThemed() != FALSE;
    probes->libraryLoaded = s_library != nullptr;
}

int CVisualStyles::IsThemed()
{
    if (s_themed != -1)
        return s_themed;
    ThemeProbes probes = {false, 0, 0, false, std::string(), false, false};
    if (s_probes != nullptr)
        s_probes(&probes);
    else
        PlatformProbes(&probes);
    s_themed = DecideThemed(probes);
    return s_themed;
}

CVisualStyles::ProbeFunc CVisualStyles::ReplaceProbes(ProbeFunc f)
{
    ProbeFunc previous = s_probes;
    s_probes = f;
    return previous;
}

void CVisualStyles::ForgetDecision()
{
    s_themed = -1;
}
