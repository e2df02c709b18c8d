// A player of a recording on a file service: a second thread fetches the file into a temporary
// file (an MP4's sample table first, then its pictures in pieces from the start, or from where a
// seek went, then what is still missing) while the player's own thread shows what has arrived. Notifications: 3
// buffering, 4 buffered, then 2 ready once the sample table and the buffer time's pictures are there (or the whole
// file, for a file without a table); 3 and 4 again when playback catches up with the data; 1 without 2 on any failure
// before, and 1 when the service goes away during play.
#pragma once
#include <map>
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
    void SoughtLocked(size_t index) override;
    bool PictureHereLocked(size_t i) const override;

private:
    static unsigned __stdcall FetchMain(void* self);
    bool Fetch(); // false when it failed or was stopped
    bool FindSampleTable(dev::Channel& channel, uint64_t& tableAt, uint64_t& tableEnd);
    bool ReadTemp(uint64_t offset, uint8_t* data, size_t size);
    void ArrivedLocked(uint64_t from, uint64_t to); // notes the bytes; announces readiness
    bool HereLocked(uint64_t from, uint64_t to) const;
    // The next bytes to fetch from the cursor on (wrapping to the start); false when all are here.
    bool NextGapLocked(uint64_t* from, uint64_t* to) const;
    // How long the pictures from `from` that arrived without a gap play (at most the buffer time).
    uint32_t AheadMsLocked(size_t from) const;
    int PercentLocked(uint32_t ms) const;
    void FailLocked();

    RemoteTarget target_;
    std::string remotePath_;
    HANDLE fetchThread_ = nullptr;
    HANDLE temp_ = INVALID_HANDLE_VALUE; // deleted when the last handle on it closes
    std::string tempPath_;
    uint64_t size_ = 0;
    std::map<uint64_t, uint64_t> arrived_; // byte ranges that arrived, merged: start -> end
    uint64_t cursor_ = 0;                  // where the fetch goes on
    bool sought_ = false;                  // a seek moved the cursor while a piece was fetched
    size_t waitFrom_ = 0;                  // the picture playback waits for
    uint32_t bufferMs_ = 10000;
    bool opened_ = false, complete_ = false, ready_ = false, failed_ = false, rebuffering_ = false;
};

} // namespace fw
