// CString: the framework's 8-bit string. Text is code page 936: operations that look for or
// change characters step over double-byte characters whole, so a trail byte that happens to equal
// '\\', 'A' or a searched-for byte is never taken for a character of its own.
#pragma once

#include "framework/AfxDefs.h"

#include <stdarg.h>
#include <string>

// Lead bytes of code page 936 (GBK); the byte after one belongs to the same character.
inline bool IsGbkLeadByte(BYTE b)
{
    return b >= 0x81 && b <= 0xFE;
}

// Length in bytes (1 or 2) of the character at p; a lead byte at the end of the text counts alone.
inline int GbkCharLength(const char* p)
{
    return (IsGbkLeadByte((BYTE)p[0]) && p[1] != '\0') ? 2 : 1;
}

// Copies src into a fixed array of destSize bytes, always terminated, cutting the text on a
// character boundary when it does not fit. Returns the number of bytes copied.
size_t CopyText(char* dest, size_t destSize, const char* src);
template <size_t N> size_t CopyText(char (&dest)[N], const char* src)
{
    return CopyText(dest, N, src);
}

#ifdef __MINGW_PRINTF_FORMAT
#define AFX_PRINTF_FORMAT(fmt, args) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, args)))
#else
#define AFX_PRINTF_FORMAT(fmt, args)
#endif

class CString {
public:
    CString() = default;
    CString(const CString& s) = default;
    CString(CString&& s) noexcept = default;
    // A pointer made with MAKEINTRESOURCE loads that string from the resources, as on the platform.
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    CString(LPCWSTR lpsz); // converted to code page 936
    CString(LPCWSTR lpch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

    CString& operator=(const CString& s) = default;
    CString& operator=(CString&& s) noexcept = default;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(char ch);

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    char GetAt(int nIndex) const { return m_str[nIndex]; }
    char operator[](int nIndex) const { return m_str[nIndex]; }
    void SetAt(int nIndex, char ch) { m_str[nIndex] = ch; }
    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }

    CString& operator+=(const CString& s)
    {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(char ch)
    {
        m_str += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Byte-wise comparison (unsigned), which is also the order of code page 936 characters.
    int Compare(LPCSTR lpsz) const;
    // As Compare, with ASCII letters of single-byte characters folded; double-byte characters as they are.
    int CompareNoCase(LPCSTR lpsz) const;

    // Byte positions and counts, clamped to the text as on the platform.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    // Only single-byte ASCII letters change; double-byte characters, trail bytes included, stay.
    CString& MakeUpper();
    CString& MakeLower();

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR lpsz);
    int Delete(int nIndex, int nCount = 1);

    void Format(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AppendFormat(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);

    // Without an argument: white space (blank, tab, CR, LF, VT, FF).
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);
    CString& Trim() { return TrimRight().TrimLeft(); }

    // Byte index of the first match at a character boundary at or after nStart, or -1.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // From the current resource module (AfxGetResourceHandle), converted to code page 936.
    BOOL LoadString(UINT nID);

    // A writable buffer of at least nMinBufLength bytes plus the terminator. ReleaseBuffer with -1
    // takes the length up to the first NUL.
    LPSTR GetBuffer(int nMinBufLength = 0);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void FreeExtra() { m_str.shrink_to_fit(); }

private:
    std::string m_str;
};

inline bool operator==(const CString& a, const CString& b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(const CString& a, LPCSTR b)
{
    return a.Compare(b) == 0;
}
inline bool operator==(LPCSTR a, const CString& b)
{
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b)
{
    return a.Compare(b) != 0;
}
inline bool operator!=(const CString& a, LPCSTR b)
{
    return a.Compare(b) != 0;
}
inline bool operator!=(LPCSTR a, const CString& b)
{
    return b.Compare(a) != 0;
}
inline bool operator<(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(const CString& a, LPCSTR b)
{
    return a.Compare(b) < 0;
}
inline bool operator<(LPCSTR a, const CString& b)
{
    return b.Compare(a) > 0;
}
inline bool operator>(const CString& a, const CString& b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(const CString& a, LPCSTR b)
{
    return a.Compare(b) > 0;
}
inline bool operator>(LPCSTR a, const CString& b)
{
    return b.Compare(a) < 0;
}
inline bool operator<=(const CString& a, const CString& b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(const CString& a, LPCSTR b)
{
    return a.Compare(b) <= 0;
}
inline bool operator<=(LPCSTR a, const CString& b)
{
    return b.Compare(a) >= 0;
}
inline bool operator>=(const CString& a, const CString& b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(const CString& a, LPCSTR b)
{
    return a.Compare(b) >= 0;
}
inline bool operator>=(LPCSTR a, const CString& b)
{
    return b.Compare(a) <= 0;
}
