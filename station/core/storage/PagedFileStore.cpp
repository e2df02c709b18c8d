// Scratch-file creation and the page arithmetic shared by the paged stores.
#include "station/core/storage/PagedFileStore.h"

#include "station/core/storage/StorageFiles.h"

#include <fcntl.h>
#include <io.h>

namespace {

const int kScratchNames = 100000;

// Errors after which the next number may still work; anything else (the folder is gone) ends the
// search at once instead of trying every number.
bool TryNextName(DWORD error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED ||
           error == ERROR_SHARING_VIOLATION;
}

} // namespace

CPagedFileStore::~CPagedFileStore()
{
    Close();
}

void CPagedFileStore::Close()
{
    if (m_reader != nullptr)
        fclose(m_reader);
    if (m_writer != nullptr)
        fclose(m_writer);
    m_reader = nullptr;
    m_writer = nullptr;
    // Only the file this store made: after a close the name may already belong to another store.
    if (m_ownsFile && m_path[0] != '\0')
        DeleteFileA(m_path);
    m_ownsFile = false;
    m_count = 0;
    m_currentPage = 0;
}

UINT CPagedFileStore::GetPageCount() const
{
    UINT count = (UINT)m_count;
    UINT size = (UINT)m_pageSize;
    return count / size + (count % size != 0 ? 1 : 0);
}

FILE* CPagedFileStore::CreateScratchFile(const char* format)
{
    for (int n = 0; n < kScratchNames; ++n) {
        char name[MAX_PATH];
        if (!FormatPath(name, sizeof(name), format, n))
            break;
        HANDLE handle = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (!TryNextName(GetLastError()))
                break;
            continue;
        }
        int fd = _open_osfhandle((intptr_t)handle, _O_BINARY | _O_WRONLY);
        FILE* file = fd >= 0 ? _fdopen(fd, "wb") : nullptr;
        if (file == nullptr) {
            if (fd >= 0)
                _close(fd);
            else
                CloseHandle(handle);
            DeleteFileA(name);
            break;
        }
        CopyText(m_path, name);
        m_ownsFile = true;
        return file;
    }
    m_currentPage = 0;
    return nullptr;
}

BOOL CPagedFileStore::OpenReader()
{
    if (m_reader != nullptr)
        fclose(m_reader);
    m_reader = m_path[0] != '\0' ? fopen(m_path, "rb") : nullptr;
    return m_reader != nullptr;
}

BOOL CPagedFileStore::SeekPageOf(UINT page, size_t recordSize)
{
    if (m_reader == nullptr || page >= GetPageCount())
        return FALSE;
    long long offset = (long long)page * m_pageSize * (long long)recordSize;
    if (_fseeki64(m_reader, offset, SEEK_SET) != 0)
        return FALSE;
    m_currentPage = (int)page;
    return TRUE;
}

BOOL CPagedFileStore::ReadNextOf(void* out, size_t recordSize)
{
    return m_reader != nullptr && ReadWholeRecord(m_reader, out, recordSize);
}

BOOL CPagedFileStore::ReadIndexedOf(int index, void* out, size_t recordSize) const
{
    long long record = (long long)m_currentPage * m_pageSize + index;
    if (record < 0 || m_path[0] == '\0')
        return FALSE;
    FILE* file = fopen(m_path, "rb");
    if (file == nullptr)
        return FALSE;
    BOOL read =
        _fseeki64(file, record * (long long)recordSize, SEEK_SET) == 0 && ReadWholeRecord(file, out, recordSize);
    fclose(file);
    return read;
}

BOOL CPagedFileStore::RewriteRecords(const void* records, size_t count, size_t recordSize)
{
    FILE* file = fopen(m_path, "wb");
    if (file == nullptr)
        return FALSE;
    bool written = count == 0 || fwrite(records, recordSize, count, file) == count;
    if (fflush(file) != 0)
        written = false;
    if (fclose(file) != 0)
        written = false;
    return written;
}
