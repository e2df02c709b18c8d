// The threads that stream the site's live channels. A live connection keeps no thread of its own:
// making a thread costs milliseconds under Wine, one after another, and a station that connects 64
// cameras at once would wait for 64 of them. Each streaming thread serves a few connections,
// waiting on all of them at once and sending each its pictures when they are due.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <vector>

namespace devsim {

class LiveStreams {
public:
    // One live connection as its streaming thread sees it. Every call comes from that thread.
    class Client {
    public:
        virtual ~Client() = default;
        virtual HANDLE Readable() const = 0; // set when something arrived
        virtual HANDLE Dropped() const = 0;  // set when the site drops the connection
        virtual bool TakeArrivals() = 0;     // false when the connection ended
        virtual DWORD NextPictureMs() = 0;   // ms until the next picture is due; INFINITE: none
        virtual bool SendPicture() = 0;      // when due; false when the connection ended
        virtual void Ended() = 0;            // the last call
    };

    LiveStreams();
    void Add(std::unique_ptr<Client> client);

private:
    struct Group;
    static unsigned __stdcall Main(void* group);
    static void Serve(Group& g);

    CRITICAL_SECTION lock_; // the groups' counts and incoming lists
    std::vector<Group*> groups_;
};

} // namespace devsim
