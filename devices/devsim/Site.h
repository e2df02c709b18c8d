// The simulated site: every server, the DDNS service and the station's own serial devices, with
// all their state. One lock guards the state; connection threads and the control port take it.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devices/common/Guard.h"
#include "devices/common/Net.h"
#include "devices/devsim/LiveStreams.h"
#include "devices/devsim/Recordings.h"
#include "devices/devsim/ServingThreads.h"

namespace devsim {

struct Server;

// One accepted connection; a serving thread takes it.
struct Connection {
    std::unique_ptr<dev::Channel> channel;
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr); // set when its serving ended
    Server* server = nullptr;                                  // null for the site and DDNS listeners
    int purpose = 0;
    int camera = -1;  // live: the camera channel
    int comPort = -1; // site COM connections
    bool loggedIn = false;
    bool streamed = false; // a live channel, handed on to a streaming thread
    dev::SerialLine line = {};
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // set when the site drops it
    HANDLE wake = CreateEventA(nullptr, FALSE, FALSE, nullptr); // a wait of it looks again
    ~Connection()
    {
        CloseHandle(done);
        CloseHandle(stop);
        CloseHandle(wake);
    }
};
using ConnectionPtr = std::shared_ptr<Connection>;

struct Listener {
    SOCKET socket = INVALID_SOCKET;
    HANDLE thread = nullptr;
    uint16_t port = 0; // bound port (kept across a stop, so a restart binds it again)
    bool running = false;
};

struct AlarmBox {
    bool present = false;
    int address = 1;
    int serialPort = 0;
    dev::SerialLine line = {9600, 8, 1, 0, 0};
    uint16_t inputs = 0;
    uint16_t outputs = 0;
    int polls = 0;
    bool open = false;
};

struct CameraState {
    bool noVideo = false;
    int input = 0;
    bool serverRecording = false;
    int captures = 0;
    uint8_t params[16] = {};
    uint32_t framesSent = 0;
};

struct Fault {
    int code = 0;
    int remaining = -1; // -1: until cleared
};

struct Server {
    std::string name, user, password, ddnsName, ptzDescription;
    int channels = 4, maxUsers = 64, cameraInputs = 0, audio = 0, sensors = 4, relays = 4;
    int width = 352, height = 288, frameRate = 25, search = 1;
    uint8_t mac[6] = {};
    int slowMs = 0;
    uint8_t relayStates = 0;
    std::vector<CameraState> cameras;
    AlarmBox box;
    std::vector<std::string> ptzLog;
    uint64_t talkBytes = 0, broadcastBytes = 0;
    int clears = 0;
    bool talking = false;
    std::map<std::string, Fault> faults; // by purpose name
    Listener listener;
    int accepted = 0; // connections accepted since the site started
    std::vector<ConnectionPtr> connections;
    std::string recordings;                                 // the folder of its own recordings; empty = none
    std::vector<std::unique_ptr<CameraRecorder>> recorders; // per camera, while it records
};

struct Station {
    int comPorts = 6;
    int linkPort = -1, linkAddress = 1; // port index, 0 = COM1; -1 = none
    dev::SerialLine linkLine = {9600, 8, 1, 0, 0};
    uint8_t linkRelays = 0;
    int keyboardPort = -1;
    dev::SerialLine keyboardLine = {9600, 8, 1, 0, 0};
    int alarmInputPort = -1;
    std::vector<ConnectionPtr> open; // one per COM port index at most
};

class Site {
public:
    Site();
    ~Site();
    // Reads the site description; false with a message on stderr when it is unusable.
    bool Load(const std::string& iniPath, bool freePorts);
    bool StartAll(); // binds every listener; false when one cannot be bound
    void StopAll();
    bool WritePortsFile(const std::string& path);
    // One control-port command line -> one answer line ("ok ..." or "err ...").
    std::string Execute(const std::string& line, bool* quit);
    void SetVerbose(bool v) { verbose_ = v; }

private:
    Server* FindServer(const std::string& name);
    bool StartServer(Server& s);
    void StopServer(Server& s);
    bool StartListener(Listener& l, int kind, Server* server);
    void StopListener(Listener& l);
    void DropConnections(std::vector<ConnectionPtr>& list);
    void AcceptLoop(Listener* l, int kind, Server* server);
    void Serve(ConnectionPtr c, int kind);
    void ServeControl(ConnectionPtr c);
    void ServeServerConnection(ConnectionPtr c, dev::HelloMsg hello, std::vector<char> data);
    bool ServeServer(ConnectionPtr c, const dev::HelloMsg& hello, const std::vector<char>& data);
    bool WaitSlowDelay(const ConnectionPtr& c);
    class LiveClient;
    void EndServing(const ConnectionPtr& c); // the connection leaves the lists; done is set
    bool ServeRequest(ConnectionPtr c, const dev::HelloMsg& hello, const std::vector<char>& data);
    void ServeJpeg(ConnectionPtr c);
    void ServeSerial(ConnectionPtr c);
    void ServeAudio(ConnectionPtr c, bool talk);
    void ServeSite(ConnectionPtr c, const dev::HelloMsg& hello);
    void ServeCom(ConnectionPtr c);
    void ServeDdns(ConnectionPtr c, const dev::HelloMsg& hello);
    void ServeFiles(ConnectionPtr c, const dev::HelloMsg& hello, const std::vector<char>& data);
    void Welcome(const ConnectionPtr& c, int code, const void* extra = nullptr, size_t size = 0);
    bool Admit(const ConnectionPtr& c, int code); // welcomes; a refusal also ends the connection
    bool TakeFault(Server& s, const char* purpose, int* code);
    void BroadcastEvent(Server& s, int camera, int type, int value); // camera -1: every live connection
    void HandleBoxBytes(Server& s, const ConnectionPtr& c, std::vector<uint8_t>& buffer);
    void HandleLinkBytes(std::vector<uint8_t>& buffer);
    void Log(const char* format, ...);

    // Control commands: one handler each, s the server named first for the commands that take one.
    typedef std::string (Site::*CommandHandler)(const std::vector<std::string>& a, Server* s);
    enum CommandArgs { AnyArgs, FirstArg, ServerArg };
    struct ControlCommand {
        const char* name;
        const char* usage; // in the help; none for help itself
        CommandArgs args;  // FirstArg: at least one argument; ServerArg: the first names a known server
        CommandHandler handler;
    };
    static const ControlCommand kCommands[];
    std::string CmdHelp(const std::vector<std::string>& a, Server* s);
    std::string CmdQuit(const std::vector<std::string>& a, Server* s);
    std::string CmdPorts(const std::vector<std::string>& a, Server* s);
    std::string CmdServers(const std::vector<std::string>& a, Server* s);
    std::string CmdPort(const std::vector<std::string>& a, Server* s);
    std::string CmdStart(const std::vector<std::string>& a, Server* s);
    std::string CmdStop(const std::vector<std::string>& a, Server* s);
    std::string CmdStartStop(const std::vector<std::string>& a, bool start);
    std::string CmdSlow(const std::vector<std::string>& a, Server* s);
    std::string CmdState(const std::vector<std::string>& a, Server* s);
    std::string CmdStationState();
    std::string CmdCamera(const std::vector<std::string>& a, Server* s);
    std::string CmdEvent(const std::vector<std::string>& a, Server* s);
    std::string CmdInput(const std::vector<std::string>& a, Server* s);
    std::string CmdKey(const std::vector<std::string>& a, Server* s);
    std::string CmdFail(const std::vector<std::string>& a, Server* s);
    std::string CmdPtz(const std::vector<std::string>& a, Server* s);
    std::string CmdPtzClear(const std::vector<std::string>& a, Server* s);
    std::string CmdParams(const std::vector<std::string>& a, Server* s);
    std::string CmdRelayClient(const std::vector<std::string>& a, Server* s);

    CRITICAL_SECTION lock_;
    std::vector<std::unique_ptr<Server>> servers_;
    Station station_;
    Listener control_, site_, ddns_;
    bool verbose_ = false;
    bool ddnsRunning_ = true;
    std::vector<ConnectionPtr> siteConnections_;
    std::vector<HANDLE> controlThreads_;
    ServingThreads servingThreads_;
    LiveStreams liveStreams_;
};

using Lock = dev::Guard;

// A device understands the line only at its own speed and framing; flow control does not garble.
bool SameLine(const dev::SerialLine& a, const dev::SerialLine& b);

enum ListenerKind { KindControl = 1, KindSite = 2, KindDdns = 3, KindServer = 4 };

HANDLE StartThread(void (*fn)(void*), void* arg);

} // namespace devsim
