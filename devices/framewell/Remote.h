// The client side of the file purposes: reaching a file service (Depotix or a video server),
// searches that deliver their hits to the caller's callback, and downloads into a local file.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/common/HandleTable.h"
#include "devices/common/Net.h"
#include "devices/framewell/Framewell.h"

namespace fw {

struct RemoteTarget {
    std::string address, user, password;
    uint16_t port = 0;
};

// The connection arguments of an entry point; false when one is missing or out of range
// (the limits of Framewell.h: FRAMEWELL_ADDRESS_CHARS, FRAMEWELL_ACCOUNT_CHARS, FRAMEWELL_MAX_PORT).
bool MakeTarget(const char* address, const char* user, const char* password, int port, RemoteTarget& out);

// Connects and logs in for a file purpose. Null when the service cannot be reached or refuses;
// on success the welcome's data follows in *extra.
std::unique_ptr<dev::Channel> OpenFileChannel(const RemoteTarget& target, dev::Purpose purpose, const void* data,
                                              size_t size, HANDLE stop, std::vector<char>* extra);

enum class RangeResult { Done, Failed, Stopped };
// Asks for [offset, end) and hands each piece to sink (false from sink fails the range). Pieces
// must come in order and within the range; the service's end message must say it sent them all.
RangeResult FetchRange(dev::Channel& channel, uint64_t offset, uint64_t end, HANDLE stop,
                       const std::function<bool(uint64_t at, const char* data, size_t size)>& sink);

// Writes size bytes at offset of a file opened for writing.
bool WriteAt(HANDLE file, uint64_t offset, const char* data, size_t size);

class Search : public dev::Worker {
public:
    Search(FramewellSearchCallback callback, void* context) : callback_(callback), context_(context) {}
    // Logs in and sends the query; false when the service cannot be reached or refuses.
    bool Start(const RemoteTarget& target, const dev::FileSearchMsg& query);
    int State() const { return finished_; } // 1 once the hits are all delivered or the search failed

private:
    void Run() override;

    FramewellSearchCallback callback_;
    void* context_;
    std::unique_ptr<dev::Channel> channel_;
    volatile LONG finished_ = 0;
};

class Download : public dev::Worker {
public:
    static const int kFinished = -1, kFailed = -2;
    ~Download() override;
    // Logs in, learns the size and creates the local file; false when any of it fails.
    bool Start(const RemoteTarget& target, const std::string& remotePath, const std::string& localPath,
               uint32_t bytesPerSecond);
    int Progress() const { return progress_; }

private:
    void Run() override;

    std::unique_ptr<dev::Channel> channel_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string localPath_;
    uint64_t size_ = 0;
    volatile LONG progress_ = 0;
};

} // namespace fw
