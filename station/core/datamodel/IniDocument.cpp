// Reading, changing and saving a private-profile file whole.
#include "station/core/datamodel/IniDocument.h"

#include <string.h>

#include "station/core/datamodel/StationArchive.h"

namespace {

// Far above any profile file of the programs; a longer file is not taken into memory.
const ULONGLONG kMaxIniBytes = 4 * 1024 * 1024;

BOOL ReadFileBytes(LPCSTR path, std::string& bytes)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return FALSE;
    BOOL read = FALSE;
    try {
        ULONGLONG length = file.GetLength();
        if (length <= kMaxIniBytes) {
            bytes.resize((size_t)length);
            read = length == 0 || file.Read(&bytes[0], (UINT)length) == length;
        }
    } catch (CException* e) {
        e->Delete();
    }
    file.Abort();
    return read;
}

// Wide text in the programs' code page.
std::string Narrow(const WCHAR* text, int length)
{
    int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size : 0, '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text, length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

// The profile functions read a file that starts with a byte-order mark as UTF-8 or UTF-16; the
// document keeps the programs' code page, which they read the same.
std::string InCodePage(const std::string& bytes)
{
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, (int)bytes.size() - 3, nullptr, 0);
        std::vector<WCHAR> wide(length > 0 ? length : 1);
        length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, (int)bytes.size() - 3, wide.data(), length);
        return Narrow(wide.data(), length);
    }
    if (bytes.size() >= 2 && (BYTE)bytes[0] == 0xFF && (BYTE)bytes[1] == 0xFE) {
        std::vector<WCHAR> wide((bytes.size() - 2) / 2 + 1);
        memcpy(wide.data(), bytes.data() + 2, bytes.size() - 2);
        return Narrow(wide.data(), (int)(bytes.size() - 2) / 2);
    }
    return bytes;
}

// A section header "[name]" (blanks before it allowed); the name between the bracket and the
// last closing one.
BOOL HeaderName(const CString& line, CString& name)
{
    CString text = line;
    text.TrimLeft();
    if (text.IsEmpty() || text[0] != '[')
        return FALSE;
    int close = text.ReverseFind(']');
    if (close < 0)
        return FALSE;
    name = text.Mid(1, close - 1);
    return TRUE;
}

// The key of a "key=value" line, without the blanks around it. The profile functions take a line
// without "=" for a key without a value, which they find before any later line of that key.
BOOL KeyName(const CString& line, CString& key)
{
    CString name;
    if (HeaderName(line, name))
        return FALSE;
    int equals = line.Find('=');
    key = equals < 0 ? line : line.Left(equals);
    key.Trim();
    return !key.IsEmpty() || equals >= 0;
}

BOOL IsBlank(const CString& line)
{
    CString text = line;
    text.TrimLeft();
    return text.IsEmpty();
}

// The value up to the first line break: a break would start a line of its own in the file.
CString OneLine(LPCSTR value)
{
    CString text = value != nullptr ? value : "";
    int lineBreak = text.FindOneOf("\r\n");
    return lineBreak < 0 ? text : text.Left(lineBreak);
}

} // namespace

BOOL CIniDocument::Load(LPCSTR path)
{
    m_path = path;
    m_lines.clear();
    m_loaded = FALSE;
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        m_loaded = ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
        return m_loaded;
    }
    std::string text = InCodePage(bytes);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t length = end - start;
        if (length > 0 && text[start + length - 1] == '\r')
            --length;
        m_lines.push_back(CString(text.data() + start, (int)length));
        start = end + 1;
    }
    m_loaded = TRUE;
    return TRUE;
}

int CIniDocument::FindSection(LPCSTR section) const
{
    CString name;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (HeaderName(m_lines[i], name) && name.CompareNoCase(section) == 0)
            return (int)i;
    }
    return -1;
}

int CIniDocument::SectionEnd(int header) const
{
    CString name;
    int end = header + 1;
    while (end < (int)m_lines.size() && !HeaderName(m_lines[end], name))
        ++end;
    return end;
}

void CIniDocument::SetString(LPCSTR section, LPCSTR key, LPCSTR value)
{
    CString line;
    line.Format("%s=%s", key, (LPCSTR)OneLine(value));
    int header = FindSection(section);
    if (header < 0) {
        m_lines.push_back(CString("[") + section + "]");
        m_lines.push_back(line);
        return;
    }
    int end = SectionEnd(header);
    CString name;
    for (int i = header + 1; i < end; ++i) {
        if (KeyName(m_lines[i], name) && name.CompareNoCase(key) == 0) {
            m_lines[i] = line;
            return;
        }
    }
    // After the section's last line that is not blank, so that the blank lines before the next
    // section stay between the two.
    int at = end;
    while (at > header + 1 && IsBlank(m_lines[at - 1]))
        --at;
    m_lines.insert(m_lines.begin() + at, line);
}

void CIniDocument::SetNumber(LPCSTR section, LPCSTR key, int value)
{
    CString text;
    text.Format("%d", value);
    SetString(section, key, text);
}

CString CIniDocument::GetText() const
{
    CString text;
    for (const CString& line : m_lines)
        text += line + "\r\n";
    return text;
}

BOOL CIniDocument::Save() const
{
    if (!m_loaded) {
        TRACE(traceArchive, "%s could not be read; it is not replaced", (LPCSTR)m_path);
        return FALSE;
    }
    CString text = GetText();
    return SaveBytesFile(m_path, (LPCSTR)text, text.GetLength());
}
