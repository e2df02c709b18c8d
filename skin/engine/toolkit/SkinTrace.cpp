// SkinTrace: the toolkit's trace writer and its failed checks.
#include "skin/engine/toolkit/SkinTrace.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

std::string g_channels; // ",hooks,engine,"
std::string g_file;
bool g_read = false;
LONG g_checkFailures = 0;

std::string Variable(const char* name)
{
    char value[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n < sizeof value ? std::string(value, n) : std::string();
}

void ReadVariables()
{
    g_channels = "," + Variable("WARDEN_TRACE") + ",";
    for (char& c : g_channels)
        if (c == ' ' || c == ';')
            c = ',';
    g_file = Variable("WARDEN_TRACE_FILE");
    g_read = true;
}

void Emit(const std::string& line)
{
    OutputDebugStringA(line.c_str());
    if (g_file.empty())
        return;
    HANDLE file = CreateFileA(g_file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, NULL);
    CloseHandle(file);
}

} // namespace

void SkinTraceReload()
{
    ReadVariables();
}

bool SkinTraceOn(const char* channel)
{
    if (!g_read)
        ReadVariables();
    return channel && (g_channels.find(",all,") != std::string::npos ||
                       g_channels.find("," + std::string(channel) + ",") != std::string::npos);
}

void SkinTrace(const char* channel, const char* format, ...)
{
    if (!SkinTraceOn(channel))
        return;
    char text[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0)
        return;
    std::string line = "[" + std::string(channel) + "] " + text;
    if (line.back() != '\n')
        line += '\n';
    Emit(line);
}

void SkinCheckFailed(const char* file, int line, const char* expression)
{
    InterlockedIncrement(&g_checkFailures);
    if (!g_read)
        ReadVariables();
    char text[512];
    std::snprintf(text, sizeof text, "%s(%d): check failed: %s\n", file, line, expression);
    std::fputs(text, stderr);
    Emit(text);
    if (IsDebuggerPresent())
        DebugBreak();
}

long SkinCheckFailures()
{
    return InterlockedCompareExchange(&g_checkFailures, 0, 0);
}
