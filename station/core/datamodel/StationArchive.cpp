// Saving and loading the station's archive files.
#include "station/core/datamodel/StationArchive.h"

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

// The root into a new file; FALSE on any failure, the file then may be partial.
BOOL WriteArchive(LPCSTR path, CObject& root)
{
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone))
        return FALSE;
    try {
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        root.Serialize(ar);
        ar.Close();
        // On the disk before it replaces the old file: a power cut must not leave an empty one.
        file.Flush();
        file.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (std::bad_alloc&) {
    }
    file.Abort();
    return FALSE;
}

} // namespace

CString TempPathBeside(LPCSTR path)
{
    return CString(path) + ".tmp";
}

BOOL ReplaceWithWrittenFile(LPCSTR target, LPCSTR written)
{
    if (!IsReadOnlyFile(target) && MoveFileExA(written, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    DeleteFileA(written);
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

void KeepDamagedFile(LPCSTR path)
{
    // A copy, not a move: roots whose failure action writes nothing leave the file where it was.
    CopyFileA(path, CString(path) + ".bad", FALSE);
}

ArchiveLoadResult LoadArchiveFile(LPCSTR path, DWORD magic, CObject& root, BOOL keepDamaged)
{
    ArchiveLoadResult result = archiveDamaged;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) {
        if (!FileExists(path))
            return archiveMissing;
    } else {
        try {
            DWORD head = 0;
            if (file.Read(&head, sizeof(head)) == sizeof(head) && head == magic) {
                file.SeekToBegin();
                CArchive ar(&file, CArchive::load, kArchiveBuffer);
                root.Serialize(ar);
                ar.Close();
                result = archiveLoaded;
            }
        } catch (CException* e) {
            e->Delete();
        } catch (std::bad_alloc&) {
        }
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
