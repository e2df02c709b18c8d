#include "devices/common/Net.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "devices/devsim/control/DevsimControl.h"

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? "." : s.substr(0, slash);
}

} // namespace

bool WriteTextFile(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

DevsimSite::DevsimSite()
{
    InitializeCriticalSection(&lock_);
    dev::EnsureWinsock();
}

DevsimSite::~DevsimSite()
{
    Stop();
    DeleteCriticalSection(&lock_);
}

bool DevsimSite::Start(const std::string& siteIni, const std::string& devsimPath)
{
    Stop();
    std::string exe = devsimPath.empty() ? ProgramFolder() + "\\devsim.exe" : devsimPath;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static LONG counter;
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%sdevsim-ports-%lu-%ld.ini", temp, GetCurrentProcessId(),
                  InterlockedIncrement(&counter));
    portsFile_ = name;
    DeleteFileA(portsFile_.c_str());
    char full[MAX_PATH];
    GetFullPathNameA(siteIni.c_str(), sizeof full, full, nullptr);
    std::string cmd = "\"" + exe + "\" \"" + full + "\" --free-ports --ports \"" + portsFile_ + "\" --parent " +
                      std::to_string(GetCurrentProcessId());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_)) {
        process_ = PROCESS_INFORMATION();
        return false;
    }
    // devsim writes the ports file once every listener is bound; a bounded poll waits for it.
    DWORD start = GetTickCount();
    while (GetFileAttributesA(portsFile_.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (WaitForSingleObject(process_.hProcess, 20) == WAIT_OBJECT_0 || GetTickCount() - start > 20000) {
            Stop();
            return false;
        }
    }
    controlPort_ = uint16_t(GetPrivateProfileIntA("Ports", "Control", 0, portsFile_.c_str()));
    sitePort_ = uint16_t(GetPrivateProfileIntA("Ports", "Site", 0, portsFile_.c_str()));
    ddnsPort_ = uint16_t(GetPrivateProfileIntA("Ports", "Ddns", 0, portsFile_.c_str()));
    SOCKET s = dev::ConnectTcp("127.0.0.1", controlPort_, 5000, nullptr);
    if (s == INVALID_SOCKET) {
        Stop();
        return false;
    }
    control_.reset(new dev::Channel(s));
    SetEnvironmentVariableA("DEVSIM_SITE", SiteAddress().c_str());
    return true;
}

void DevsimSite::Stop()
{
    if (control_) {
        Command("quit");
        control_.reset();
    }
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 255);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        process_ = PROCESS_INFORMATION();
    }
    if (!portsFile_.empty()) {
        DeleteFileA(portsFile_.c_str());
        portsFile_.clear();
    }
}

bool DevsimSite::Running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string DevsimSite::Command(const std::string& line)
{
    EnterCriticalSection(&lock_);
    std::string answer = Exchange(line);
    if (answer.empty() && control_ && line != "quit") {
        // A late answer would be taken for the next command's: start over on a new connection.
        SOCKET s = dev::ConnectTcp("127.0.0.1", controlPort_, 5000, nullptr);
        control_.reset(s == INVALID_SOCKET ? nullptr : new dev::Channel(s));
    }
    LeaveCriticalSection(&lock_);
    return answer;
}

std::string DevsimSite::Exchange(const std::string& line)
{
    if (!control_)
        return std::string();
    std::string out = line + "\n";
    if (!control_->SendRaw(out.data(), out.size()))
        return std::string();
    std::string answer;
    DWORD start = GetTickCount();
    for (;;) {
        size_t nl = answer.find('\n');
        if (nl != std::string::npos)
            return answer.substr(0, nl);
        DWORD elapsed = GetTickCount() - start;
        if (elapsed > 30000)
            return std::string();
        char buf[4096];
        int n = control_->ReceiveRaw(buf, sizeof buf, 30000 - elapsed);
        if (n <= 0)
            return std::string();
        answer.append(buf, size_t(n));
    }
}

std::string DevsimSite::State(const std::string& server, const std::string& key)
{
    std::istringstream in(Command("state " + server));
    std::string word;
    while (in >> word)
        if (word.compare(0, key.size() + 1, key + "=") == 0)
            return word.substr(key.size() + 1);
    return std::string();
}

bool DevsimSite::WaitState(const std::string& server, const std::string& key, const std::string& value, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (State(server, key) == value)
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10); // polling another process: bounded by timeoutMs
    }
}

unsigned short DevsimSite::Port(const std::string& server)
{
    std::string a = Command("port " + server);
    return a.compare(0, 3, "ok ") == 0 ? uint16_t(std::atoi(a.c_str() + 3)) : 0;
}

std::string DevsimSite::SiteAddress() const
{
    return "127.0.0.1:" + std::to_string(sitePort_);
}
