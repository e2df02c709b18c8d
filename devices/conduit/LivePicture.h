// The last picture of a live channel. It is kept as it came off the wire and decoded only when its
// pixels are wanted (a window that shows it, a local recording, a snapshot), so that a channel
// nobody watches costs no picture work, yet shows its newest picture at once when it is shown.
#pragma once
#include <cstdint>
#include <vector>

namespace conduit {

class LivePicture {
public:
    // Takes a received picture (frame header and run-length data; the message is emptied). False
    // when the message is no picture (too short, or of an impossible size); nothing changes then.
    bool Take(std::vector<char>& message);
    // Decodes the last picture taken unless that was done. True when the pixels are those of the
    // newest picture; false when there is none, it is damaged (the pixels keep the one before) or
    // it was forgotten.
    bool Decode();
    // The pictures stopped coming for a while: what is kept is no longer the newest picture. The
    // pixels stay for redrawing.
    void Forget();

    bool HasPixels() const { return !pixels_.empty(); }
    const uint8_t* Pixels() const { return pixels_.data(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t FrameNo() const { return frameNo_; } // of the pixels
    uint32_t TimeMs() const { return timeMs_; }   // of the pixels
    unsigned Decodes() const { return decodes_; } // pictures decoded so far

private:
    std::vector<char> coded_; // the last picture taken, as received
    bool pending_ = false;    // coded_ is not decoded yet
    bool current_ = false;    // the pixels are those of the newest picture
    std::vector<uint8_t> pixels_, spare_;
    int width_ = 0, height_ = 0;
    uint32_t frameNo_ = 0, timeMs_ = 0;
    unsigned decodes_ = 0;
};

} // namespace conduit
