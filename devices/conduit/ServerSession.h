// How every call reaches a server: connect, Hello, Welcome, within the connect settings.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "devices/common/HandleTable.h"
#include "devices/common/Net.h"

namespace conduit {

using dev::Find;
using dev::FindHandle;
using dev::HandleObject;
using dev::HandlePtr;
using dev::Worker;

struct ConnectSettings {
    DWORD waitMs;
    int tries;
};
ConnectSettings CurrentConnectSettings();
void SetConnectSettings(int seconds, int tries);

enum class Reach { Accepted, Refused, Unreachable };

// Connects to address:port and sends the hello (with data), trying as the settings say.
// Accepted: *channel is open and *welcome holds the answer. Refused: welcome->code says why.
Reach OpenSession(const std::string& address, unsigned short port, const dev::HelloMsg& hello, const void* data,
                  size_t size, std::unique_ptr<dev::Channel>* channel, dev::WelcomeMsg* welcome,
                  std::vector<char>* extra);

// A one-shot request: log in, ask, take the answer. Returns 0 or the refusal code, -1 unreachable.
int Request(const char* name, const char* address, unsigned short port, const char* user, const char* password, int op,
            int channel, int arg, const void* data, size_t size, std::vector<char>* answer,
            dev::WelcomeMsg* welcome = nullptr);

// DDNS look-up: 0 with *address and *port, 6 unreachable, -112 unknown name.
int ResolveDdns(const std::string& ddnsAddress, unsigned short ddnsPort, const char* name, std::string* address,
                unsigned short* port);

std::string Text(const char* p); // "" for null; cut at 39 bytes like the callers' buffers

} // namespace conduit
