// What the remote-recording tests share: a pacing clock that only counts, a fetch served by the
// file service's server function on a loopback pair, recordings to serve, notification waits,
// and the two fuzzers (garbage to a service, a service that answers garbage).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "devices/common/FileService.h"
#include "devices/common/VideoFile.h"
#include "tests/devices/DeviceTestSupport.h"
#include "tests/station/core/storage/StorageTestHelpers.h"

// Advances only when waited on: pacing is measured without sleeping.
class CountingClock : public dev::PaceClock {
public:
    uint64_t NowMs() override { return now_; }
    bool Wait(DWORD ms, HANDLE) override
    {
        now_ += ms;
        return true;
    }
    uint64_t Now() const { return now_; }

private:
    volatile uint64_t now_ = 0;
};

// One fetch connection to ServeFileConnection serving path (and nothing else) at bytesPerSecond.
class ServedFetch {
public:
    ServedFetch(const std::string& path, uint32_t bytesPerSecond, dev::PaceClock* clock);
    ~ServedFetch();
    // Asks for a range; true when the service sent all of it and said so.
    bool Receive(uint64_t offset, uint64_t length, std::vector<uint8_t>* out);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// frames pictures (frame numbers in their comments) 40 ms apart, finished.
void WriteTestRecording(const std::string& path, dev::VideoContainer container, int frames, int width, int height);

// Pumps messages until a notification `until` for handle arrived (or timeoutMs passed); the
// notifications of handle that came, in order.
std::vector<WPARAM> WaitNotifications(VideoWindow& window, UINT message, int handle, WPARAM until,
                                      DWORD timeoutMs = 20000);

// One connection of random garbage (raw bytes, odd hellos, bad ranges) to a file service.
void SendGarbage(uint16_t port, uint32_t& seed);

// A service that answers every connection with garbage (random welcomes, hits, pieces, ends and
// raw bytes) and then hangs up.
class GarbageServer {
public:
    explicit GarbageServer(uint32_t seed);
    ~GarbageServer();
    uint16_t Port() const { return port_; }

private:
    static unsigned __stdcall Main(void* self);
    void Run();
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE thread_ = nullptr;
    uint16_t port_ = 0;
    uint32_t seed_;
};

// The station's own storage served by Depotix through the file-service bridge, as the query
// dialog and the player reach it: log-in admin / 1234 on 127.0.0.1:Port().
class StationFileServer {
public:
    explicit StationFileServer(const std::string& storageDir);
    ~StationFileServer();
    // A finished MP4 of frames pictures (frame numbers in their comments) of name's channel
    // (from 0), started at hour:minute on 2026-12-07 for reason (RecordReason); its path.
    std::string Record(const char* name, int channel, int reason, int hour, int minute, int frames, int width = 352,
                       int height = 288);
    // (Re)starts the service on a free port; 0 when it cannot.
    int Start();
    void Stop();
    int Port() const { return port_; }

private:
    ScopedClock clock_;
    TestOwner owner_;
    int port_ = 0;
};
