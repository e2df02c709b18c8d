// CString: code-page-936-aware searching, case changes and trimming, formatting and LoadString.
#include "afx.h"

#include <stdio.h>
#include <string.h>

namespace {

const UINT kTextCodePage = 936;

bool IsWhiteSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// True when the character of charLen bytes at p is one of the characters of set.
bool CharInSet(const char* p, int charLen, LPCSTR set)
{
    for (const char* s = set; *s != '\0';) {
        int len = GbkCharLength(s);
        if (len == charLen && memcmp(s, p, len) == 0)
            return true;
        s += len;
    }
    return false;
}

std::string FromWide(LPCWSTR text, int length)
{
    if (text == nullptr || length == 0)
        return std::string();
    int n = WideCharToMultiByte(kTextCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::string();
    std::string out(n, '\0');
    WideCharToMultiByte(kTextCodePage, 0, text, length, &out[0], n, nullptr, nullptr);
    return out;
}

std::string FormatToString(LPCSTR format, va_list args)
{
    va_list counting;
    va_copy(counting, args);
    int n = vsnprintf(nullptr, 0, format, counting);
    va_end(counting);
    if (n <= 0)
        return std::string();
    std::string out(n, '\0');
    vsnprintf(&out[0], n + 1, format, args);
    return out;
}

} // namespace

size_t CopyText(char* dest, size_t destSize, const char* src)
{
    if (dest == nullptr || destSize == 0)
        return 0;
    if (src == nullptr)
        src = "";
    size_t n = 0;
    while (src[n] != '\0') {
        size_t len = GbkCharLength(src + n);
        if (n + len > destSize - 1)
            break;
        n += len;
    }
    memcpy(dest, src, n);
    dest[n] = '\0';
    return n;
}

CString::CString(LPCSTR lpsz)
{
    if (lpsz != nullptr && IS_INTRESOURCE(lpsz))
        LoadString(LOWORD((ULONG_PTR)lpsz));
    else if (lpsz != nullptr)
        m_str = lpsz;
}

CString::CString(LPCSTR lpch, int nLength)
{
    if (lpch != nullptr && nLength > 0)
        m_str.assign(lpch, nLength);
}

CString::CString(LPCWSTR lpsz) : m_str(lpsz ? FromWide(lpsz, (int)wcslen(lpsz)) : std::string()) {}

CString::CString(LPCWSTR lpch, int nLength) : m_str(lpch && nLength > 0 ? FromWide(lpch, nLength) : std::string()) {}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(nRepeat, ch);
}

CString& CString::operator=(LPCSTR lpsz)
{
    if (lpsz == nullptr)
        m_str.clear();
    else
        m_str = lpsz;
    return *this;
}

CString& CString::operator=(LPCWSTR lpsz)
{
    m_str = lpsz ? FromWide(lpsz, (int)wcslen(lpsz)) : std::string();
    return *this;
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    if (lpsz != nullptr)
        m_str += lpsz;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, LPCSTR b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(LPCSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(char a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(LPCSTR lpsz) const
{
    return strcmp(m_str.c_str(), lpsz ? lpsz : "");
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    // Both texts are equal up to the point compared, so their character boundaries line up.
    const BYTE* a = (const BYTE*)m_str.c_str();
    const BYTE* b = (const BYTE*)(lpsz ? lpsz : "");
    for (;;) {
        int lenA = GbkCharLength((const char*)a);
        int lenB = GbkCharLength((const char*)b);
        UINT ca = lenA == 2 ? (a[0] << 8 | a[1]) : a[0];
        UINT cb = lenB == 2 ? (b[0] << 8 | b[1]) : b[0];
        if (lenA == 1 && ca >= 'A' && ca <= 'Z')
            ca += 'a' - 'A';
        if (lenB == 1 && cb >= 'A' && cb <= 'Z')
            cb += 'a' - 'A';
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        a += lenA;
        b += lenB;
    }
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - nFirst);
}

CString CString::Mid(int nFirst, int nCount) const
{
    int length = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > length)
        nFirst = length;
    if (nCount > length - nFirst)
        nCount = length - nFirst;
    return CString(m_str.data() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int length = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount > length)
        nCount = length;
    return CString(m_str.data() + length - nCount, nCount);
}

CString& CString::MakeUpper()
{
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 1 && m_str[i] >= 'a' && m_str[i] <= 'z')
            m_str[i] -= 'a' - 'A';
        i += len;
    }
    return *this;
}

CString& CString::MakeLower()
{
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 1 && m_str[i] >= 'A' && m_str[i] <= 'Z')
            m_str[i] += 'a' - 'A';
        i += len;
    }
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    if (chOld == chNew)
        return 0;
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 1 && m_str[i] == chOld) {
            m_str[i] = chNew;
            ++count;
        }
        i += len;
    }
    return count;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    if (lpszOld == nullptr || *lpszOld == '\0')
        return 0;
    if (lpszNew == nullptr)
        lpszNew = "";
    size_t oldLength = strlen(lpszOld);
    std::string out;
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        if (m_str.compare(i, oldLength, lpszOld) == 0) {
            out += lpszNew;
            i += oldLength;
            ++count;
        } else {
            int len = GbkCharLength(&m_str[i]);
            out.append(m_str, i, len);
            i += len;
        }
    }
    if (count > 0)
        m_str.swap(out);
    return count;
}

int CString::Remove(char ch)
{
    std::string out;
    out.reserve(m_str.size());
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 1 && m_str[i] == ch)
            ++count;
        else
            out.append(m_str, i, len);
        i += len;
    }
    m_str.swap(out);
    return count;
}

int CString::Insert(int nIndex, char ch)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    m_str.insert((size_t)nIndex, 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCSTR lpsz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    if (lpsz != nullptr)
        m_str.insert((size_t)nIndex, lpsz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase((size_t)nIndex, (size_t)nCount);
    return GetLength();
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    // Built aside first, so that an argument may be this string's own text.
    std::string text = FormatToString(lpszFormat ? lpszFormat : "", argList);
    m_str.swap(text);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    std::string text = FormatToString(lpszFormat ? lpszFormat : "", args);
    va_end(args);
    m_str += text;
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && IsWhiteSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    size_t i = 0;
    while (i < m_str.size() && GbkCharLength(&m_str[i]) == 1 && m_str[i] == chTarget)
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    if (lpszTargets == nullptr)
        return *this;
    size_t i = 0;
    while (i < m_str.size()) {
        int len = GbkCharLength(&m_str[i]);
        if (!CharInSet(&m_str[i], len, lpszTargets))
            break;
        i += len;
    }
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    // Scan forwards: walking back from the end could land inside a double-byte character.
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 2 || !IsWhiteSpace(m_str[i]))
            keep = i + len;
        i += len;
    }
    m_str.resize(keep);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 2 || m_str[i] != chTarget)
            keep = i + len;
        i += len;
    }
    m_str.resize(keep);
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    if (lpszTargets == nullptr)
        return *this;
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (!CharInSet(&m_str[i], len, lpszTargets))
            keep = i + len;
        i += len;
    }
    m_str.resize(keep);
    return *this;
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    for (size_t i = nStart; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 1 && m_str[i] == ch)
            return (int)i;
        i += len;
    }
    return -1;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (lpszSub == nullptr || nStart > GetLength())
        return -1;
    size_t subLength = strlen(lpszSub);
    for (size_t i = nStart; i + subLength <= m_str.size(); i += GbkCharLength(&m_str[i])) {
        if (m_str.compare(i, subLength, lpszSub) == 0)
            return (int)i;
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int found = -1;
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (len == 1 && m_str[i] == ch)
            found = (int)i;
        i += len;
    }
    return found;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == nullptr)
        return -1;
    for (size_t i = 0; i < m_str.size();) {
        int len = GbkCharLength(&m_str[i]);
        if (CharInSet(&m_str[i], len, lpszCharSet))
            return (int)i;
        i += len;
    }
    return -1;
}

BOOL CString::LoadString(UINT nID)
{
    // String resources are stored in blocks of 16 counted UTF-16 texts; reading the block directly
    // gives the whole text whatever its length.
    m_str.clear();
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(nID / 16 + 1), MAKEINTRESOURCEA(6) /* RT_STRING */);
    if (found == nullptr)
        return FALSE;
    HGLOBAL loaded = LoadResource(module, found);
    const WORD* p = loaded ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
    if (p == nullptr)
        return FALSE;
    const WORD* end = p + SizeofResource(module, found) / sizeof(WORD);
    for (UINT i = 0; i < nID % 16 && p < end; ++i)
        p += 1 + *p;
    if (p >= end || *p == 0 || p + 1 + *p > end)
        return FALSE;
    m_str = FromWide(reinterpret_cast<LPCWSTR>(p + 1), *p);
    return !m_str.empty();
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(nMinBufLength);
    return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(nNewLength > 0 ? nNewLength : 0);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    if ((size_t)nNewLength < m_str.size())
        m_str.resize(nNewLength);
}
