// Helpers of the framework tests: byte images of files, and a stream builder for expected bytes.
#pragma once

#include <afx.h>

#include <string>
#include <vector>

typedef std::vector<BYTE> Bytes;

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

// Spells out archive bytes: B, W and D little-endian, texts with their length prefix.
class ByteBuilder {
public:
    ByteBuilder& B(BYTE b);
    ByteBuilder& W(WORD w);
    ByteBuilder& D(DWORD d);
    ByteBuilder& Raw(const std::string& bytes);
    ByteBuilder& Text(const std::string& text);               // as the archive writes a CString
    ByteBuilder& ClassTag(const char* name, WORD schema = 0); // W 0xFFFF, W schema, W length, name
    ByteBuilder& Repeat(const Bytes& piece, size_t times);
    const Bytes& Get() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    Bytes bytes_;
};

// Writes through an archive in store mode into path, with the archive closed at the end.
template <class Fn> void StoreArchive(const std::string& path, Fn write)
{
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone);
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
}

// The cause of the CArchiveException that fn throws (deleted here), or -1 when it throws none.
template <class Fn> int ArchiveFailureCause(Fn fn)
{
    try {
        fn();
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}
