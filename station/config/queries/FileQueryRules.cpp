#include "station/config/queries/FileQueryRules.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include "resources/warden/records.h"
#include "station/core/datamodel/IniDocument.h"
#include "shared/records/RemoteHit.h"
#include "station/core/storage/QueryResultStore.h"

int LocalFileKind(int comboIndex)
{
    static const int kinds[4] = {queryKindMp4, queryKindAsf, queryKindJpeg, queryKindBmp};
    return comboIndex >= 0 && comboIndex < 4 ? kinds[comboIndex] : queryKindMp4;
}

int RemoteFileKind(const char* comboText)
{
    if (comboText == nullptr)
        return queryKindMp4;
    if (strncmp(comboText, "JPEG", 4) == 0)
        return queryKindJpeg;
    if (strncmp(comboText, "BMP", 3) == 0)
        return queryKindBmp;
    if (strncmp(comboText, "ASF", 3) == 0)
        return queryKindAsf;
    return queryKindMp4;
}

CString FileExtension(const char* path)
{
    if (path == nullptr)
        return CString();
    const char* dot = strrchr(path, '.');
    const char* slash = strrchr(path, '\\');
    if (dot == nullptr || (slash != nullptr && slash > dot))
        return CString();
    return CString(dot + 1);
}

CString MakeLocalName(const QueryResultRecord& record, int nameKind)
{
    static const char* const suffixes[5] = {nullptr, ".jpg", ".mp4", ".asf", ".bmp"};
    if (nameKind < 1 || nameKind > 4)
        return CString();
    time_t start = (time_t)record.start;
    const struct tm* converted = localtime(&start); // the user-interface thread's
    if (converted == nullptr)
        return CString();
    struct tm local = *converted;
    CString text;
    text.Format("%s_%d_%04d%02d%02d_%02d%02d%02d%s", (LPCSTR)HitServerName(record), record.channel + 1,
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                suffixes[nameKind]);
    return text;
}

CString PlayerCommandLine(const char* path, int remote, const char* address, int port, const char* user,
                          const char* password)
{
    CString line = path;
    if (remote) {
        CString tail;
        tail.Format(" *far %s %d %s %s", address, port, user, password);
        line += tail;
    }
    return line;
}

CString FetchedFileName(const char* remotePath, const char* address, int port)
{
    CString path = remotePath != nullptr ? remotePath : "";
    int last = path.ReverseFind('\\');
    CString file = path.Mid(last + 1);
    CString folder = last > 0 ? path.Left(last) : CString();
    CString day = folder.Mid(folder.ReverseFind('\\') + 1);
    CString name;
    name.Format("%s_%d_%s_%s", address != nullptr ? address : "", port, (LPCSTR)day, (LPCSTR)file);
    for (int i = 0; i < name.GetLength(); ++i) {
        if (strchr("\\/:*?\"<>|", name[i]) != nullptr)
            name.SetAt(i, '_');
        else if (IsDBCSLeadByteEx(936, (BYTE)name[i]) && i + 1 < name.GetLength())
            ++i; // a trail byte may look like a separator
    }
    return name;
}

BOOL TimeRangeValid(const SYSTEMTIME& from, const SYSTEMTIME& to)
{
    const WORD a[6] = {from.wYear, from.wMonth, from.wDay, from.wHour, from.wMinute, from.wSecond};
    const WORD b[6] = {to.wYear, to.wMonth, to.wDay, to.wHour, to.wMinute, to.wSecond};
    for (int i = 0; i < 6; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i];
    }
    return FALSE;
}

DownloadChoice DownloadChoiceForKind(int storeKind)
{
    switch (storeKind) {
    case queryKindMp4:
        return {2, IDS_FILTER_MP4, "mp4"};
    case queryKindAsf:
        return {3, IDS_FILTER_ASF, "asf"};
    case queryKindJpeg:
        return {1, IDS_FILTER_JPEG, "jpg"};
    }
    return {4, IDS_FILTER_BMP, "bmp"};
}

ResultMenuState ResultMenuStateFor(int remote, int storeKind)
{
    ResultMenuState state;
    state.downloadGreyed = !remote;
    state.downloadAsfGreyed = !remote || storeKind != queryKindMp4;
    state.playGreyed = remote && storeKind != queryKindMp4 && storeKind != queryKindAsf;
    return state;
}

namespace {

const char kSection[] = "USERINFO";

CString IniPath(LPCSTR startDirectory)
{
    CString path;
    path.Format("%s\\PlayUsrParam.ini", startDirectory);
    return path;
}

} // namespace

void ReadPlayUserParams(LPCSTR startDirectory, PlayUserParams& params)
{
    CString path = IniPath(startDirectory);
    char value[50];
    ::GetPrivateProfileStringA(kSection, "ADDRESS", "192.168.1.1", value, sizeof value, path);
    CopyText(params.address, value);
    ::GetPrivateProfileStringA(kSection, "USERNAME", "531947", value, sizeof value, path);
    CopyText(params.user, value);
    ::GetPrivateProfileStringA(kSection, "PSW", "531947", value, sizeof value, path);
    CopyText(params.password, value);
    char port[17];
    ::GetPrivateProfileStringA(kSection, "PORT", "3000", port, sizeof port, path);
    params.port = atoi(port);
}

BOOL WritePlayUserParams(LPCSTR startDirectory, const PlayUserParams& params)
{
    CIniDocument ini;
    ini.Load(IniPath(startDirectory));
    ini.SetString(kSection, "ADDRESS", params.address);
    ini.SetString(kSection, "USERNAME", params.user);
    ini.SetString(kSection, "PSW", params.password);
    ini.SetNumber(kSection, "PORT", params.port);
    return ini.Save();
}
