// Saving and loading the station's archive files.
#include "station/core/datamodel/StationArchive.h"

#include <stdio.h>

#include <new>

namespace {

// The buffer the station's archives have always used.
const int kArchiveBuffer = 4096;

BOOL IsReadOnlyFile(LPCSTR path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

BOOL FileExists(LPCSTR path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Seam of the save tests: runs between the finished temporary file and the replacement.
SaveReplaceHook g_saveReplaceHook = nullptr;

// The root into a new file; FALSE on any failure, the file then may be partial.
BOOL WriteArchive(LPCSTR path, CObject& root)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone))
        return FALSE;
    try {
        if (StoreArchiveRoot(file, root)) {
            // On the disk before it replaces the old file: a power cut must not leave an empty one.
            file.Flush();
            file.Close();
            return TRUE;
        }
    } catch (CException* e) {
        e->Delete();
    }
    file.Abort();
    return FALSE;
}

// The bytes into a new file, on the disk when it returns; FALSE on any failure.
BOOL WriteBytes(LPCSTR path, const void* data, size_t size)
{
    CFile file;
    if (size > 0xFFFFFFFFu || !file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone))
        return FALSE;
    try {
        file.Write(data, (UINT)size);
        file.Flush();
        file.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    }
    file.Abort();
    return FALSE;
}

} // namespace

void SetSaveReplaceHook(SaveReplaceHook hook)
{
    g_saveReplaceHook = hook;
}

CString TempPathBeside(LPCSTR path)
{
    return CString(path) + ".tmp";
}

BOOL ReplaceWithWrittenFile(LPCSTR target, LPCSTR written)
{
    if (g_saveReplaceHook != nullptr)
        g_saveReplaceHook(target, written);
    if (!IsReadOnlyFile(target) && MoveFileExA(written, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    DeleteFileA(written);
    return FALSE;
}

BOOL StoreArchiveRoot(CFile& file, CObject& root)
{
    try {
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        root.Serialize(ar);
        ar.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (std::bad_alloc&) {
    }
    return FALSE;
}

BOOL SaveArchiveFile(LPCSTR path, CObject& root)
{
    if (IsReadOnlyFile(path))
        return FALSE;
    CString temp = TempPathBeside(path);
    if (!WriteArchive(temp, root)) {
        TRACE(traceArchive, "%s could not be written; the file before stays", path);
        DeleteFileA(temp);
        return FALSE;
    }
    return ReplaceWithWrittenFile(path, temp);
}

BOOL SaveBytesFile(LPCSTR path, const void* data, size_t size)
{
    if (IsReadOnlyFile(path))
        return FALSE;
    CString temp = TempPathBeside(path);
    if (!WriteBytes(temp, data, size)) {
        DeleteFileA(temp);
        return FALSE;
    }
    return ReplaceWithWrittenFile(path, temp);
}

FILE* OpenRecordFile(LPCSTR path)
{
    FILE* file = fopen(path, "rb");
    if (file == nullptr && !FileExists(path)) {
        if (FILE* created = fopen(path, "ab"))
            fclose(created);
        file = fopen(path, "rb");
    }
    return file;
}

void KeepDamagedFile(LPCSTR path)
{
    // A copy, not a move: roots whose failure action writes nothing leave the file where it was.
    CopyFileA(path, CString(path) + ".bad", FALSE);
}

ArchiveLoadResult ReadArchiveRoot(CFile& file, DWORD magic, CObject& root)
{
    try {
        DWORD head = 0;
        if (file.Read(&head, sizeof(head)) != sizeof(head) || head != magic)
            return archiveDamaged;
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        root.Serialize(ar);
        ar.Close();
        return archiveLoaded;
    } catch (CException* e) {
        e->Delete();
    } catch (std::bad_alloc&) {
    }
    return archiveDamaged;
}

ArchiveLoadResult LoadArchiveFile(LPCSTR path, DWORD magic, CObject& root, BOOL keepDamaged)
{
    ArchiveLoadResult result = archiveDamaged;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        if (!FileExists(path))
            return archiveMissing;
    } else {
        result = ReadArchiveRoot(file, magic, root);
        file.Abort();
    }
    if (result == archiveDamaged)
        TRACE(traceArchive, "%s is damaged%s", path, keepDamaged ? "; kept aside as .bad" : "");
    if (result == archiveDamaged && keepDamaged)
        KeepDamagedFile(path);
    return result;
}

void SerializeBytes(CArchive& ar, void* data, UINT size)
{
    if (ar.IsStoring()) {
        ar.Write(data, size);
    } else if (ar.Read(data, size) != size) {
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
}

void CheckLoadedRange(CArchive& ar, int value, int low, int high)
{
    if (value < low || value > high)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
}
