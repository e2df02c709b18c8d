#include "devices/portwick/PtzProtocol.h"

#include <winsock2.h>
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace portwick {

namespace {

const size_t kMaxFile = 64 * 1024;
const size_t kMaxBytes = 200;

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    size_t b = s.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool ReadSmallFile(const std::string& path, std::string* text)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(f, nullptr), got = 0;
    bool ok = size != INVALID_FILE_SIZE && size <= kMaxFile;
    if (ok) {
        text->resize(size);
        ok = size == 0 || (ReadFile(f, &(*text)[0], size, &got, nullptr) && got == size);
    }
    CloseHandle(f);
    return ok;
}

std::string LibraryFolder()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryFolder), &self);
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, path, sizeof path);
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? "." : s.substr(0, slash);
}

bool ValidToken(const std::string& t)
{
    if (t == "A" || t == "S" || t == "V" || t == "C" || t == "X")
        return true;
    return t.size() == 2 && std::isxdigit(uint8_t(t[0])) && std::isxdigit(uint8_t(t[1]));
}

std::string CutText(const std::string& s)
{
    // 39 bytes, not ending inside a double-byte character of code page 936.
    size_t n = 0;
    while (n < s.size()) {
        size_t len = uint8_t(s[n]) >= 0x81 && uint8_t(s[n]) <= 0xFE && n + 1 < s.size() ? 2 : 1;
        if (n + len > 39)
            break;
        n += len;
    }
    return s.substr(0, n);
}

} // namespace

bool PtzProtocol::Load(const std::string& nameOrPath)
{
    if (nameOrPath.empty())
        return false;
    std::vector<std::string> candidates{nameOrPath};
    if (nameOrPath.find_first_of("\\/:") == std::string::npos) {
        std::string dir = LibraryFolder();
        candidates.push_back(dir + "\\ptz\\" + nameOrPath + ".ptz");
        candidates.push_back(dir + "\\" + nameOrPath + ".ptz");
    }
    for (const std::string& path : candidates) {
        std::string text;
        if (!ReadSmallFile(path, &text))
            continue;
        size_t slash = path.find_last_of("\\/");
        std::string stem = path.substr(slash == std::string::npos ? 0 : slash + 1);
        size_t dot = stem.rfind('.');
        return Parse(text, dot == std::string::npos ? stem : stem.substr(0, dot));
    }
    return false;
}

bool PtzProtocol::Parse(const std::string& text, const std::string& defaultName)
{
    std::string name = defaultName, description;
    std::map<int, std::vector<std::string>> commands;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        size_t comment = line.find(';');
        if (comment != std::string::npos)
            line.erase(comment);
        line = Trim(line);
        if (line.empty())
            continue;
        if (line.front() == '[') {
            if (line.back() != ']')
                return false;
            section = Trim(line.substr(1, line.size() - 2));
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            return false;
        std::string key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        if (_stricmp(section.c_str(), "Protocol") == 0) {
            if (_stricmp(key.c_str(), "Name") == 0)
                name = value;
            else if (_stricmp(key.c_str(), "Description") == 0)
                description = value;
        } else if (_stricmp(section.c_str(), "Commands") == 0) {
            char* end = nullptr;
            long code = std::strtol(key.c_str(), &end, 10);
            if (key.empty() || *end || code < 0 || code > 255)
                return false;
            std::vector<std::string> tokens;
            std::istringstream words(value);
            std::string t;
            while (words >> t) {
                for (char& c : t)
                    c = char(std::toupper(uint8_t(c)));
                if (!ValidToken(t))
                    return false;
                tokens.push_back(t);
            }
            if (tokens.empty() || tokens.size() > kMaxBytes)
                return false;
            commands[int(code)] = tokens;
        } else {
            return false;
        }
    }
    name_ = CutText(name);
    description_ = CutText(description);
    commands_.swap(commands);
    return true;
}

void PtzProtocol::LoadLinkageDefault()
{
    Parse("[Protocol]\nName=LINKAGE\nDescription=Linkage relay frames\n[Commands]\n"
          "30=F6 A 52 10 V 01 C\n31=F6 A 52 10 V 00 C\n",
          "LINKAGE");
}

int PtzProtocol::Build(int code, uint8_t* out, int address, int speed, int value) const
{
    auto it = commands_.find(code);
    if (it == commands_.end() || !out)
        return 0;
    int n = 0;
    for (const std::string& t : it->second) {
        uint8_t b;
        if (t == "A")
            b = uint8_t(address);
        else if (t == "S")
            b = uint8_t(speed);
        else if (t == "V")
            b = uint8_t(value);
        else if (t == "C") {
            b = 0;
            for (int i = 1; i < n; ++i)
                b = uint8_t(b + out[i]);
        } else if (t == "X") {
            b = 0;
            for (int i = 0; i < n; ++i)
                b = uint8_t(b ^ out[i]);
        } else
            b = uint8_t(std::strtoul(t.c_str(), nullptr, 16));
        out[n++] = b;
    }
    return n;
}

} // namespace portwick
