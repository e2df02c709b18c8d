// The platform's theme library, bound by name so that the program runs where it is missing, and
// the one decision whether the controls draw themed or with classic 3-D frames.
#pragma once

#include <windows.h>

#include "controls/ThemeDecision.h"

typedef HANDLE HTHEME_HANDLE;

class CVisualStyles {
public:
    CVisualStyles();
    ~CVisualStyles();
    CVisualStyles(const CVisualStyles&) = delete;
    CVisualStyles& operator=(const CVisualStyles&) = delete;

    static HTHEME_HANDLE OpenThemeData(HWND hWnd, LPCWSTR classList);
    static HRESULT CloseThemeData(HTHEME_HANDLE theme);
    static HRESULT DrawThemeBackground(HTHEME_HANDLE theme, HDC hdc, int part, int state, const RECT* rect,
                                       const RECT* clip);
    static HRESULT GetThemeColor(HTHEME_HANDLE theme, int part, int state, int property, COLORREF* color);
    static BOOL IsAppThemed();
    static HRESULT GetCurrentThemeName(LPWSTR fileName, int fileChars, LPWSTR colorName, int colorChars,
                                       LPWSTR sizeName, int sizeChars);

    // Nonzero when the controls draw with visual styles; decided once per run.
    static int IsThemed();

    // Seam: the probes of the decision (common-controls version, theme name, application themed).
    typedef void (*ProbeFunc)(ThemeProbes* probes);
    static ProbeFunc ReplaceProbes(ProbeFunc f); // null puts the platform's probes back
    static void ForgetDecision();                // tests decide again

private:
    static void PlatformProbes(ThemeProbes* probes);
    static FARPROC Bind(FARPROC& slot, const char* name);

    static HMODULE s_library;
    static int s_themed;
    static ProbeFunc s_probes;
};
