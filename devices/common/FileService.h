// The server side of the file purposes, shared by Depotix (the station's recordings) and devsim (a
// video server's recordings). One function serves one connection: log-in, then a search (hits
// and an end) or a fetch (the file's size, then the byte ranges the client asks for, paced).
// Nothing from the wire is trusted: texts are cut at their fields, paths must be plain local
// paths the server hands out, ranges are checked against the file.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "devices/common/Net.h"

namespace dev {

class FileServer {
public:
    virtual ~FileServer() = default;
    // 0 admits the client; any other value is the refusal code it is sent.
    virtual int Login(const std::string& peer, const std::string& user, const std::string& password) = 0;
    // Calls emit once per hit (its texts terminated); emit returns false when the client is gone
    // or the service stops. False when the search itself failed.
    virtual bool Search(const FileSearchMsg& query, const std::function<bool(const FileHitMsg&)>& emit) = 0;
    // Whether a path that passed IsSafeFilePath may be sent.
    virtual bool MayServe(const std::string& path) = 0;
};

// Time of the pacing; a test puts in a clock that advances only when waited on.
class PaceClock {
public:
    virtual ~PaceClock() = default;
    virtual uint64_t NowMs() = 0;
    // Waits ms unless stop (may be null) is set first; false when stopped.
    virtual bool Wait(DWORD ms, HANDLE stop) = 0;
};
PaceClock& SystemPaceClock();

// Spaces the pieces of a fetch so that at most bytesPerSecond leave on average (0 = no limit).
class Pacer {
public:
    Pacer(uint32_t bytesPerSecond, uint64_t startMs) : rate_(bytesPerSecond), startMs_(startMs) {}
    // How long to wait at nowMs before `bytes` more may go; counts them as sent.
    DWORD Take(size_t bytes, uint64_t nowMs);

private:
    uint32_t rate_;
    uint64_t startMs_;
    uint64_t sent_ = 0;
};

struct FileServeOptions {
    PaceClock* clock = nullptr; // null: the system's
    DWORD gapMs = 0;            // at least this long between two hits or pieces (a slow server)
    DWORD idleMs = 60000;       // a fetch that asks for nothing this long is ended
};

// A plain absolute local path ("X:\..."): no "..", no device name, no UNC or "\\?\" form, no
// stream (a second ':'), at most 259 bytes.
bool IsSafeFilePath(const std::string& path);

// Serves one connection of PurposeFileSearch or PurposeFileFetch whose Hello (and its data) was
// read. Returns when the exchange is over, the client left or stop (may be null) was set.
void ServeFileConnection(FileServer& server, Channel& channel, const HelloMsg& hello, const std::vector<char>& data,
                         HANDLE stop, const FileServeOptions& options = FileServeOptions());

} // namespace dev
