// The handles beside live channels: JPEG capture streams, transparent serial channels, talks
// and broadcast targets. Each is one connection to a server.
#pragma once
#include <memory>

#include "devices/conduit/ServerSession.h"
#include "devices/conduit/Conduit.h"

namespace conduit {

// A worker whose connection was opened by the caller; its thread hands what arrives to Deliver
// and, when the server goes away, calls Lost once.
class StreamWorker : public Worker {
public:
    explicit StreamWorker(std::unique_ptr<dev::Channel> channel) : channel_(std::move(channel)) {}
    bool Begin() { return StartThread(); }
    bool Send(uint16_t kind, const void* a, size_t na, const void* b = nullptr, size_t nb = 0)
    {
        return channel_->Send(kind, a, na, b, nb);
    }

protected:
    void Run() override;
    virtual void Deliver(const dev::Message&) {}
    virtual void Lost() {}
    virtual DWORD TickMs() const { return INFINITE; }
    virtual bool Tick() { return true; } // false ends the thread
    std::unique_ptr<dev::Channel> channel_;
};

class JpegStream : public StreamWorker {
public:
    JpegStream(std::unique_ptr<dev::Channel> ch, ConduitJpegCallback cb, void* context)
        : StreamWorker(std::move(ch)), callback_(cb), context_(context)
    {
    }

protected:
    void Deliver(const dev::Message& m) override;
    void Lost() override;

private:
    ConduitJpegCallback callback_;
    void* context_;
};

class SerialChannel : public StreamWorker {
public:
    SerialChannel(std::unique_ptr<dev::Channel> ch, ConduitSerialCallback cb, void* context)
        : StreamWorker(std::move(ch)), callback_(cb), context_(context)
    {
    }

protected:
    void Deliver(const dev::Message& m) override;
    void Lost() override;

private:
    ConduitSerialCallback callback_;
    void* context_;
};

// Sends 100 ms of audio every 100 ms while it runs.
class TalkStream : public StreamWorker {
public:
    explicit TalkStream(std::unique_ptr<dev::Channel> ch) : StreamWorker(std::move(ch)) {}

protected:
    DWORD TickMs() const override { return 100; }
    bool Tick() override;

private:
    uint32_t phase_ = 0;
};

class BroadcastTarget : public HandleObject {
public:
    explicit BroadcastTarget(std::unique_ptr<dev::Channel> ch) : channel_(std::move(ch)) {}
    void Stop() override { channel_->Shutdown(); }
    bool Send(const void* data, size_t size) { return channel_->Send(dev::MsgAudio, data, size); }

private:
    std::unique_ptr<dev::Channel> channel_;
};

// Opens a connection of that purpose, logged in; returns 0 and the channel, or the failure code
// (-1 when the server cannot be reached).
int OpenStream(const char* name, const char* address, unsigned short port, const char* user, const char* password,
               dev::Purpose purpose, int channel, const ConduitSerialLine* line, std::unique_ptr<dev::Channel>* out);

} // namespace conduit
