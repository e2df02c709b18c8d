// A player of a recording on a file service: a second thread fetches the file into a temporary
// file (an MP4's sample table first, then its pictures from the start) while the player's own
// thread shows what has arrived. Notifications: 3 buffering, 4 buffered, then 2 ready once the
// sample table and the buffer time's pictures are there (or the whole file, for a file without
// a table); 3 and 4 again when playback catches up with the data; 1 without 2 on any failure
// before, and 1 when the service goes away during play.
#pragma once
#include <string>

#include "devices/framewell/Player.h"
#include "devices/framewell/Remote.h"

namespace fw {

class RemotePlayer : public Player {
public:
    ~RemotePlayer() override;
    bool OpenRemote(const RemoteTarget& target, const std::string& remotePath, HWND window);
    void Stop() override; // ends the fetch, then the player
    void SetBufferSeconds(int seconds);
    // Percent of the buffer time that arrived while buffering; -1 when not buffering.
    int BufferProgress();

protected:
    bool SourceReadyLocked(size_t next) override;

private:
    static unsigned __stdcall FetchMain(void* self);
    bool Fetch(); // false when it failed or was stopped
    bool FindSampleTable(dev::Channel& channel, uint64_t& tableAt);
    bool ReadTemp(uint64_t offset, uint8_t* data, size_t size);
    void ArrivedLocked(); // counts the pictures that arrived; announces readiness
    uint32_t AheadMsLocked(size_t from) const;
    int PercentLocked(uint32_t ms) const;
    void FailLocked();

    RemoteTarget target_;
    std::string remotePath_;
    HANDLE fetchThread_ = nullptr;
    HANDLE temp_ = INVALID_HANDLE_VALUE; // deleted when the last handle on it closes
    std::string tempPath_;
    uint64_t size_ = 0;
    uint64_t have_ = 0;     // bytes from the start that arrived
    uint64_t tailFrom_ = 0; // the sample table: from here to the end arrived first (0 = none)
    size_t available_ = 0;  // pictures that arrived whole, from the first
    size_t waitFrom_ = 0;   // the picture playback waits for
    uint32_t bufferMs_ = 10000;
    bool opened_ = false, complete_ = false, ready_ = false, failed_ = false, rebuffering_ = false;
};

} // namespace fw
