#include "devices/conduit/LivePicture.h"

#include <cstring>

#include "devices/common/FrameCodec.h"
#include "devices/common/Protocol.h"

namespace conduit {

namespace {

bool ReadHeader(const std::vector<char>& message, dev::FrameHeader* h)
{
    if (message.size() < sizeof *h)
        return false;
    std::memcpy(h, message.data(), sizeof *h);
    return h->width != 0 && h->height != 0 && h->width <= 4096 && h->height <= 4096;
}

} // namespace

bool LivePicture::Take(std::vector<char>& message)
{
    dev::FrameHeader h;
    if (!ReadHeader(message, &h))
        return false;
    coded_.swap(message);
    message.clear();
    pending_ = true;
    current_ = false;
    return true;
}

bool LivePicture::Decode()
{
    if (!pending_)
        return current_;
    pending_ = false;
    current_ = false;
    dev::FrameHeader h = {};
    ReadHeader(coded_, &h);
    ++decodes_;
    spare_.resize(size_t(h.width) * h.height);
    const uint8_t* rle = reinterpret_cast<const uint8_t*>(coded_.data()) + sizeof h;
    if (!dev::DecodeRle8(rle, coded_.size() - sizeof h, h.width, h.height, spare_.data()))
        return false; // a damaged picture is skipped, the next one comes soon
    pixels_.swap(spare_);
    width_ = h.width;
    height_ = h.height;
    frameNo_ = h.frameNo;
    timeMs_ = h.timeMs;
    current_ = true;
    return true;
}

void LivePicture::Forget()
{
    coded_.clear();
    pending_ = false;
    current_ = false;
}

} // namespace conduit
