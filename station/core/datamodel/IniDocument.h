// A private-profile (INI) file read whole, changed in memory and saved whole. The profile
// functions rewrite the file in place once per key, so a program stopped between two of them (or
// during one) leaves a mix of old and new values or an empty file; a document replaces the file
// once, through a temporary file beside it, so that the old file or the new one is what remains.
// Lines it does not change keep their bytes, and what it writes reads back through
// GetPrivateProfileString exactly as the profile functions' own writes would.
#pragma once

#include <afx.h>

#include <vector>

class CIniDocument {
public:
    // Reads the file at path (code page 936; a file the profile functions would read as UTF-8 or
    // UTF-16 is converted to it). A missing file is an empty document. FALSE when the file exists
    // but cannot be read: Save then refuses, so that the changes alone never replace it.
    BOOL Load(LPCSTR path);

    // Sets the key of the section, both found without regard to case as the profile functions
    // find them (the first section of that name). A missing key is added after the last line of
    // its section, a missing section at the end. A value is one line: it ends at a line break.
    void SetString(LPCSTR section, LPCSTR key, LPCSTR value);
    void SetNumber(LPCSTR section, LPCSTR key, int value);

    // The whole text, each line ending in CR LF.
    CString GetText() const;

    // Replaces the loaded file by the document, only once the whole text is on the disk (see
    // SaveBytesFile). FALSE when the file was not replaced; what was on the disk then stays.
    BOOL Save() const;

private:
    // The index of the section's header line, or -1.
    int FindSection(LPCSTR section) const;
    // The index after the section's last line: the next header or the end.
    int SectionEnd(int header) const;

    CString m_path;
    BOOL m_loaded = FALSE;
    std::vector<CString> m_lines; // without their line ends
};
