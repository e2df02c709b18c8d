// The framework's checks and trace channels: where a failed ASSERT and a TRACE line go.
#include "framework/AfxDefs.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace {

struct TraceSettings {
    char channels[256]; // WARDEN_TRACE, with a comma before and after: ",hooks,sessions,"
    char file[MAX_PATH];
};

TraceSettings g_settings;
LONG g_loaded = 0;
LONG g_assertFailures = 0;

void ReadSettings()
{
    char list[240] = "";
    GetEnvironmentVariableA("WARDEN_TRACE", list, sizeof(list));
    for (char* p = list; *p; ++p)
        if (*p == ' ' || *p == ';')
            *p = ',';
    _snprintf(g_settings.channels, sizeof(g_settings.channels) - 1, ",%s,", list);
    g_settings.file[0] = '\0';
    if (GetEnvironmentVariableA("WARDEN_TRACE_FILE", g_settings.file, sizeof(g_settings.file)) >= MAX_PATH)
        g_settings.file[0] = '\0'; // a name too long for the buffer is no name
    InterlockedExchange(&g_loaded, 1);
}

const TraceSettings& Settings()
{
    if (!g_loaded)
        ReadSettings();
    return g_settings;
}

// Appends a line to the trace file; each write is one append, so lines of threads do not mix.
void AppendToFile(const char* text)
{
    const char* file = Settings().file;
    if (!file[0])
        return;
    HANDLE h = CreateFileA(file, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(h, text, (DWORD)strlen(text), &written, nullptr);
    CloseHandle(h);
}

} // namespace

void AFXAPI AfxTraceReload()
{
    ReadSettings();
}

BOOL AFXAPI AfxTraceEnabled(LPCSTR channel)
{
    if (channel == nullptr)
        return FALSE;
    const char* channels = Settings().channels;
    if (strstr(channels, ",all,"))
        return TRUE;
    char key[40];
    _snprintf(key, sizeof(key) - 1, ",%s,", channel);
    key[sizeof(key) - 1] = '\0';
    return strstr(channels, key) != nullptr;
}

void AFX_CDECL AfxTrace(LPCSTR channel, LPCSTR format, ...)
{
    if (!AfxTraceEnabled(channel))
        return;
    char line[1024];
    int prefix = _snprintf(line, sizeof(line), "[%s] ", channel);
    if (prefix < 0)
        prefix = 0;
    va_list args;
    va_start(args, format);
    // The text is cut to the line, which always ends in a newline.
    _vsnprintf(line + prefix, sizeof(line) - prefix - 2, format, args);
    va_end(args);
    line[sizeof(line) - 2] = '\0';
    size_t length = strlen(line);
    if (length == 0 || line[length - 1] != '\n') {
        line[length] = '\n';
        line[length + 1] = '\0';
    }
    OutputDebugStringA(line);
    AppendToFile(line);
}

void AFXAPI AfxAssertFailed(LPCSTR file, int line, LPCSTR expression)
{
    InterlockedIncrement(&g_assertFailures);
    char text[512];
    _snprintf(text, sizeof(text) - 1, "%s(%d): check failed: %s\n", file, line, expression);
    text[sizeof(text) - 1] = '\0';
    OutputDebugStringA(text);
    fputs(text, stderr);
    AppendToFile(text);
    if (IsDebuggerPresent())
        DebugBreak();
}

LONG AFXAPI AfxAssertFailures()
{
    return InterlockedCompareExchange(&g_assertFailures, 0, 0);
}
