// Saving and loading the station's archive files, and the small archive helpers their records
// share. Each file holds one root object serialised into one archive stream; the root writes its
// magic number first, which loading checks before anything else is read.
#pragma once

#include <afxtempl.h>

#include <stdio.h>

// Writes the root into a temporary file beside the target and replaces the target only after a
// clean close, so that a failed or interrupted save never leaves a partial or empty file. A
// read-only target is left as it is. FALSE when nothing was replaced.
BOOL SaveArchiveFile(LPCSTR path, CObject& root);

enum ArchiveLoadResult {
    archiveLoaded,  // the root read itself to the end of its data
    archiveMissing, // there is no such file
    archiveDamaged  // the file is shorter than the magic, has another magic, or its data is bad
};

// Opens the file for reading only, checks the 32-bit magic and lets the root read itself. On any
// failure the root may hold part of what was read; its owner resets it. A damaged file is copied
// aside (KeepDamagedFile) when keepDamaged is set, before the owner's failure action replaces it.
ArchiveLoadResult LoadArchiveFile(LPCSTR path, DWORD magic, CObject& root, BOOL keepDamaged = TRUE);

// Copies an unreadable data file to the same name with ".bad" appended (replacing an older one), so
// that an operator can still recover what it held.
void KeepDamagedFile(LPCSTR path);

// The temporary file a save writes before it replaces the target.
CString TempPathBeside(LPCSTR path);
// Replaces target by the finished file written; on failure the written file is deleted.
BOOL ReplaceWithWrittenFile(LPCSTR target, LPCSTR written);

// The root serialised into an open file (a file on disk or one in memory); FALSE on any failure.
BOOL StoreArchiveRoot(CFile& file, CObject& root);
// Checks the 32-bit magic at the start of the file and lets the root read itself from there.
ArchiveLoadResult ReadArchiveRoot(CFile& file, DWORD magic, CObject& root);
// Bytes already made (an enciphered archive) saved as SaveArchiveFile saves a root.
BOOL SaveBytesFile(LPCSTR path, const void* data, size_t size);

// A file of flat records opened for reading in binary, created empty when missing; null when it
// cannot be read. Read-only access: a read-only file is read, not taken for a missing one.
FILE* OpenRecordFile(LPCSTR path);

// Test seam: called with the target and the finished temporary file just before the one replaces
// the other, so that a test can stop a save there. Null (the default) calls nothing.
typedef void (*SaveReplaceHook)(LPCSTR target, LPCSTR written);
void SetSaveReplaceHook(SaveReplaceHook hook);

// Bytes as they stand in the file; on loading a short read is the end of the data.
void SerializeBytes(CArchive& ar, void* data, UINT size);
template <class T, size_t N> void SerializeArray(CArchive& ar, T (&values)[N])
{
    SerializeBytes(ar, values, (UINT)sizeof(values));
}

// A value read from a file that is used as a count or an index: outside low..high it is damage.
void CheckLoadedRange(CArchive& ar, int value, int low, int high);

template <class T> void DeleteAll(CTypedPtrList<CObList, T*>& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

// An owned object list. The station never writes null elements; one read from a file is dropped.
template <class T> void SerializeOwnedList(CArchive& ar, CTypedPtrList<CObList, T*>& list)
{
    list.Serialize(ar);
    if (ar.IsStoring())
        return;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION at = pos;
        if (list.GetNext(pos) == nullptr)
            list.RemoveAt(at);
    }
}

// Removes and destroys, in list order, every element for which drop(element) holds. drop may first
// bring the element up to date (bind it, resolve it) and then say whether it is left empty.
template <class T, class Drop> void RemoveAndDeleteIf(CTypedPtrList<CObList, T*>& list, Drop drop)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION at = pos;
        T* element = list.GetNext(pos);
        if (drop(element)) {
            list.RemoveAt(at);
            delete element;
        }
    }
}

// Removes and destroys the first element whose name is the text (exact bytes); FALSE when none is.
template <class T> BOOL RemoveAndDeleteNamed(CTypedPtrList<CObList, T*>& list, LPCSTR name)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        POSITION at = pos;
        T* element = list.GetNext(pos);
        if (element->m_name.Compare(name) == 0) {
            list.RemoveAt(at);
            delete element;
            return TRUE;
        }
    }
    return FALSE;
}

// Removes the element from the list and destroys it; FALSE when it is not in the list.
template <class T> BOOL RemoveAndDelete(CTypedPtrList<CObList, T*>& list, T* element)
{
    POSITION pos = element ? list.Find(element) : nullptr;
    if (pos == nullptr)
        return FALSE;
    list.RemoveAt(pos);
    delete element;
    return TRUE;
}

// One value in the direction of the archive, so that a record lists its fields once for both.
template <class T> void SerializeValue(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}

template <class... T> void SerializeValues(CArchive& ar, T&... values)
{
    (SerializeValue(ar, values), ...);
}
