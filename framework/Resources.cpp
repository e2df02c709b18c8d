// Which module a resource comes from, and the framework's own texts. The resource module (the
// program, or the language library installed with AfxSetResourceHandle) is asked first; what it
// lacks comes from the program itself, and the framework's messages have built-in texts last.
#include "afxwin.h"
#include "afxres.h"

namespace {

struct FrameworkText {
    UINT nID;
    const char* text;
};

// The platform's wording of its data-exchange messages.
const FrameworkText kFrameworkTexts[] = {
    {AFX_IDP_PARSE_INT, "请键入一个整数。"},
    {AFX_IDP_PARSE_REAL, "请键入一个数字。"},
    {AFX_IDP_PARSE_INT_RANGE, "请填入一个在%1和%2之间的整数。"},
    {AFX_IDP_PARSE_REAL_RANGE, "请填入一个在%1和%2之间的数字。"},
    {AFX_IDP_PARSE_STRING_SIZE, "在此字段中请不要超过%1个字符。"},
    {AFX_IDP_PARSE_UINT, "请键入一个正整数。"},
    {AFX_IDP_PARSE_DATETIME, "请键入一个日期和/或时间。"},
};

bool LoadFrom(HINSTANCE hInst, UINT nID, CString& rString)
{
    LPCWSTR text = nullptr;
    // With a zero length LoadStringW hands out the resource's own (unterminated) text.
    int nLen = ::LoadStringW(hInst, nID, (LPWSTR)&text, 0);
    if (nLen <= 0 || text == nullptr)
        return false;
    rString = CString(text, nLen);
    return true;
}

} // namespace

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    if (::FindResourceA(hResource, lpszName, lpszType) != nullptr)
        return hResource;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (hInstance != hResource && ::FindResourceA(hInstance, lpszName, lpszType) != nullptr)
        return hInstance;
    return hResource;
}

BOOL AFXAPI AfxLoadString(UINT nID, CString& rString)
{
    HINSTANCE hResource = AfxGetResourceHandle();
    HINSTANCE hInstance = AfxGetInstanceHandle();
    if (LoadFrom(hResource, nID, rString) || (hInstance != hResource && LoadFrom(hInstance, nID, rString)))
        return TRUE;
    for (const FrameworkText& t : kFrameworkTexts) {
        if (t.nID == nID) {
            rString = t.text;
            return TRUE;
        }
    }
    rString.Empty();
    return FALSE;
}

void AFXAPI AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString)
{
    // %1 to %9 stand for the strings; any other % is copied.
    CString result;
    for (const char* p = lpszFormat; *p != '\0';) {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i] != nullptr)
                result += rglpsz[i];
            p += 2;
            continue;
        }
        int len = GbkCharLength(p);
        result += CString(p, len);
        p += len;
    }
    rString = result;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1)
{
    CString format;
    AfxLoadString(nIDS, format);
    AfxFormatStrings(rString, format, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2)
{
    CString format;
    AfxLoadString(nIDS, format);
    LPCSTR strings[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, format, strings, 2);
}
