// ActiveX placeholders: the template scan that finds controls named by a class identifier, the
// placeholder window, and CWnd::CreateControl and InvokeHelper for windows that are placeholders.
#include "afxwin.h"
#include "afxdisp.h"

#include <stdarg.h>

namespace {

LRESULT CALLBACK PlaceholderWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        // A grey panel with a thin frame, so a person sees where the control would be.
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        RECT rect;
        ::GetClientRect(hWnd, &rect);
        ::FillRect(hDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
        ::FrameRect(hDC, &rect, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// Reads a template without going past its end (when the end is known).
class TemplateReader {
public:
    TemplateReader(const void* data, DWORD size) : m_p((const BYTE*)data), m_end(size ? m_p + size : nullptr) {}

    bool Has(size_t n) const { return m_end == nullptr || (size_t)(m_end - m_p) >= n; }
    bool Skip(size_t n)
    {
        if (!Has(n))
            return false;
        m_p += n;
        return true;
    }
    bool AlignDword(const void* base)
    {
        size_t offset = (size_t)(m_p - (const BYTE*)base);
        return Skip((4 - offset % 4) % 4);
    }
    bool ReadWord(WORD* value)
    {
        if (!Has(sizeof(WORD)))
            return false;
        *value = (WORD)(m_p[0] | (m_p[1] << 8));
        m_p += sizeof(WORD);
        return true;
    }
    // A name or ordinal (sz_Or_Ord). A name is copied to text (in the ANSI code page), else text is empty.
    bool ReadNameOrOrdinal(char* text, int cbText)
    {
        text[0] = '\0';
        WORD first = 0;
        if (!ReadWord(&first))
            return false;
        if (first == 0x0000)
            return true;
        if (first == 0xFFFF)
            return Skip(sizeof(WORD));
        const BYTE* start = m_p - sizeof(WORD);
        for (WORD ch = first; ch != 0;) {
            if (!ReadWord(&ch))
                return false;
        }
        int nChars = (int)((m_p - start) / sizeof(WCHAR));
        WCHAR wide[256];
        if (nChars > (int)(sizeof wide / sizeof wide[0]))
            return true; // far longer than any class identifier
        memcpy(wide, start, nChars * sizeof(WCHAR));
        if (!::WideCharToMultiByte(CP_ACP, 0, wide, nChars, text, cbText, nullptr, nullptr))
            text[0] = '\0';
        return true;
    }
    bool SkipString()
    {
        WORD ch = 1;
        while (ch != 0) {
            if (!ReadWord(&ch))
                return false;
        }
        return true;
    }

private:
    const BYTE* m_p;
    const BYTE* m_end;
};

bool IsClassIdentifier(LPCSTR text)
{
    return text[0] == '{';
}

} // namespace

LPCSTR AFXAPI AfxRegisterControlPlaceholder(LPCSTR lpszClassName)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wc = {};
    if (::GetClassInfoA(hInst, lpszClassName, &wc) || ::GetClassInfoA(nullptr, lpszClassName, &wc))
        return lpszClassName;
    // Global, because dialog controls are created with the dialog's module, which may be a
    // language library.
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = PlaceholderWndProc;
    wc.hInstance = hInst;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = lpszClassName;
    return ::RegisterClassA(&wc) ? lpszClassName : nullptr;
}

BOOL AFXAPI AfxIsControlPlaceholder(HWND hWnd)
{
    return hWnd != nullptr && (WNDPROC)::GetClassLongPtrA(hWnd, GCLP_WNDPROC) == PlaceholderWndProc;
}

void AFXAPI AfxRegisterTemplatePlaceholders(LPCDLGTEMPLATE lpTemplate, DWORD cbTemplate)
{
    TemplateReader reader(lpTemplate, cbTemplate);
    const WORD* words = (const WORD*)lpTemplate;
    bool extended = reader.Has(4) && words[0] == 1 && words[1] == 0xFFFF;
    char name[256];
    WORD nItems = 0;
    DWORD style = 0;
    if (extended) {
        // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
        if (!reader.Has(26))
            return;
        memcpy(&style, (const BYTE*)lpTemplate + 12, sizeof style);
        memcpy(&nItems, (const BYTE*)lpTemplate + 16, sizeof nItems);
        reader.Skip(26);
    } else {
        if (!reader.Has(18))
            return;
        style = lpTemplate->style;
        nItems = lpTemplate->cdit;
        reader.Skip(18);
    }
    // Menu, window class, title, then the font when the style asks for one.
    if (!reader.ReadNameOrOrdinal(name, sizeof name) || !reader.ReadNameOrOrdinal(name, sizeof name) ||
        !reader.SkipString())
        return;
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        if (!reader.Skip(extended ? 6 : 2) || !reader.SkipString())
            return;
    }
    for (WORD i = 0; i < nItems; ++i) {
        // Each item: fixed part (24 bytes extended, 18 plain), class, title, creation data.
        if (!reader.AlignDword(lpTemplate) || !reader.Skip(extended ? 24 : 18))
            return;
        if (!reader.ReadNameOrOrdinal(name, sizeof name))
            return;
        if (IsClassIdentifier(name))
            AfxRegisterControlPlaceholder(name);
        char title[256];
        WORD cbExtra = 0;
        if (!reader.ReadNameOrOrdinal(title, sizeof title) || !reader.ReadWord(&cbExtra) || !reader.Skip(cbExtra))
            return;
    }
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID, void*, BOOL, BSTR)
{
    WCHAR wide[64];
    char text[64];
    if (!::StringFromGUID2(clsid, wide, 64) ||
        !::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr))
        return FALSE;
    return CreateControl(text, pszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CWnd::CreateControl(LPCSTR pszClass, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID, void*, BOOL, BSTR)
{
    // A program identifier ("Vendor.Control") names its control as well as a class identifier does.
    if (pszClass == nullptr || AfxRegisterControlPlaceholder(pszClass) == nullptr)
        return FALSE;
    return CreateEx(0, pszClass, pszWindowName, dwStyle, rect, pParentWnd, nID);
}

void AFX_CDECL CWnd::InvokeHelper(DISPID, WORD, VARTYPE vtRet, void* pvRet, const BYTE*, ...)
{
    // No control behind the window: the call does nothing and its result reads as zero.
    if (pvRet == nullptr)
        return;
    switch (vtRet) {
    case VT_EMPTY:
        break;
    case VT_I1:
    case VT_UI1:
        *(BYTE*)pvRet = 0;
        break;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        *(SHORT*)pvRet = 0;
        break;
    case VT_R8:
    case VT_DATE:
    case VT_CY:
    case VT_I8:
    case VT_UI8:
        memset(pvRet, 0, 8);
        break;
    case VT_VARIANT:
        ::VariantInit((VARIANT*)pvRet);
        break;
    default:
        // Four-byte results: integers, floats, error codes, strings and interface pointers.
        memset(pvRet, 0, 4);
        break;
    }
}

void AFXAPI AfxEnableControlContainer() {}
