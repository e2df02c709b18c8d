// The control port: one text command a line, one answer line ("ok ..." or "err ...") each.
// The commands and their help come from one table, kCommands; devices/README.md describes them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "devices/common/KeyboardCodec.h"
#include "devices/devsim/Site.h"

namespace devsim {

namespace {

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        out.push_back(word);
    return out;
}

bool ToInt(const std::string& s, int* v)
{
    char* end = nullptr;
    long x = std::strtol(s.c_str(), &end, 0);
    if (s.empty() || *end)
        return false;
    *v = int(x);
    return true;
}

std::string Bits(unsigned value, int count)
{
    std::string s;
    for (int i = 0; i < count; ++i)
        s += (value >> i) & 1 ? '1' : '0';
    return s;
}

} // namespace

void Site::ServeControl(ConnectionPtr c)
{
    // Lines arrive as raw bytes, not framed messages: read the socket directly.
    std::string pending;
    for (;;) {
        size_t nl;
        while ((nl = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            bool quit = false;
            std::string answer = Execute(line, &quit) + "\n";
            c->channel->SendRaw(answer.data(), answer.size());
            if (quit) {
                c->channel->Finish(1000);
                StopAll();
                ExitProcess(0); // the site's threads end with the process; nothing is left to save
            }
        }
        char buf[4096];
        int n = c->channel->ReceiveRaw(buf, sizeof buf, INFINITE);
        if (n <= 0)
            return;
        pending.append(buf, size_t(n));
        if (pending.size() > 65536)
            return; // not a control client
    }
}

// The commands, in the order the help lists them. A command of kind ServerArg names an existing server
// as its first argument; the dispatcher checks that before its handler runs.
const Site::ControlCommand Site::kCommands[] = {
    {"help", nullptr, AnyArgs, &Site::CmdHelp},
    {"ports", "ports", AnyArgs, &Site::CmdPorts},
    {"servers", "servers", AnyArgs, &Site::CmdServers},
    {"port", "port S", ServerArg, &Site::CmdPort},
    {"stop", "stop S|ddns", FirstArg, &Site::CmdStop},
    {"start", "start S|ddns", FirstArg, &Site::CmdStart},
    {"slow", "slow S MS", ServerArg, &Site::CmdSlow},
    {"motion", "motion S CH", ServerArg, &Site::CmdCamera},
    {"sensor", "sensor S I", ServerArg, &Site::CmdCamera},
    {"cut", "cut S CH", ServerArg, &Site::CmdCamera},
    {"restore", "restore S CH", ServerArg, &Site::CmdCamera},
    {"event", "event S CH|* TYPE VALUE", ServerArg, &Site::CmdEvent},
    {"input", "input S I 0|1", ServerArg, &Site::CmdInput},
    {"key", "key NUM CODE VALUE", AnyArgs, &Site::CmdKey},
    {"fail", "fail S PURPOSE CODE [COUNT] | fail S PURPOSE off", ServerArg, &Site::CmdFail},
    {"state", "state S | state station", FirstArg, &Site::CmdState},
    {"ptz", "ptz S", ServerArg, &Site::CmdPtz},
    {"ptz-clear", "ptz-clear S", ServerArg, &Site::CmdPtzClear},
    {"params", "params S CH", ServerArg, &Site::CmdParams},
    {"relay-client", "relay-client PORT USER PASSWORD [SERVER [CHANNEL]]", AnyArgs, &Site::CmdRelayClient},
    {"quit", "quit", AnyArgs, &Site::CmdQuit},
};

std::string Site::Execute(const std::string& line, bool* quit)
{
    std::vector<std::string> a = Split(line);
    if (a.empty())
        return "err empty command";
    Log("control: %s", line.c_str());
    for (const ControlCommand& command : kCommands) {
        if (a[0] != command.name)
            continue;
        if (command.args != AnyArgs && a.size() < 2)
            return "err missing arguments";
        Server* s = nullptr;
        if (command.args == ServerArg && !(s = FindServer(a[1])))
            return "err no server " + a[1];
        *quit = command.handler == &Site::CmdQuit;
        return (this->*command.handler)(a, s);
    }
    return "err unknown command " + a[0];
}

std::string Site::CmdHelp(const std::vector<std::string>&, Server*)
{
    std::string out = "ok commands:";
    const char* separator = " ";
    for (const ControlCommand& command : kCommands) {
        if (!command.usage)
            continue;
        out = out + separator + command.usage;
        separator = " | ";
    }
    return out;
}

std::string Site::CmdQuit(const std::vector<std::string>&, Server*)
{
    return "ok";
}

std::string Site::CmdPorts(const std::vector<std::string>&, Server*)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, "ok control=%u site=%u ddns=%u", control_.port, site_.port, ddns_.port);
    return buf;
}

std::string Site::CmdServers(const std::vector<std::string>&, Server*)
{
    std::string out = "ok";
    for (auto& s : servers_)
        out += " " + s->name;
    return out;
}

std::string Site::CmdPort(const std::vector<std::string>&, Server* s)
{
    return "ok " + std::to_string(s->listener.port);
}

std::string Site::CmdSlow(const std::vector<std::string>& a, Server* s)
{
    int ms;
    if (a.size() != 3 || !ToInt(a[2], &ms) || ms < 0)
        return "err slow S MS";
    Lock lock(lock_);
    s->slowMs = ms;
    for (auto& c : s->connections)
        SetEvent(c->wake); // answers that wait take the new delay
    return "ok";
}

std::string Site::CmdPtz(const std::vector<std::string>&, Server* s)
{
    Lock lock(lock_);
    std::string out = "ok " + std::to_string(s->ptzLog.size());
    for (auto& e : s->ptzLog)
        out += " " + e;
    return out;
}

std::string Site::CmdPtzClear(const std::vector<std::string>&, Server* s)
{
    Lock lock(lock_);
    s->ptzLog.clear();
    return "ok";
}

std::string Site::CmdParams(const std::vector<std::string>& a, Server* s)
{
    int ch;
    if (a.size() != 3 || !ToInt(a[2], &ch) || ch < 0 || ch >= s->channels)
        return "err params S CH";
    Lock lock(lock_);
    std::string out = "ok ";
    char hex[3];
    for (uint8_t b : s->cameras[size_t(ch)].params) {
        std::snprintf(hex, sizeof hex, "%02X", b);
        out += hex;
    }
    return out;
}

std::string Site::CmdStart(const std::vector<std::string>& a, Server*)
{
    return CmdStartStop(a, true);
}

std::string Site::CmdStop(const std::vector<std::string>& a, Server*)
{
    return CmdStartStop(a, false);
}

std::string Site::CmdStartStop(const std::vector<std::string>& a, bool start)
{
    if (a[1] == "ddns") {
        if (start && !ddns_.running && !StartListener(ddns_, KindDdns, nullptr))
            return "err cannot listen";
        if (!start)
            StopListener(ddns_);
        return "ok";
    }
    Server* s = FindServer(a[1]);
    if (!s)
        return "err no server " + a[1];
    if (start) {
        if (!StartServer(*s))
            return "err cannot listen on the server's port";
    } else {
        StopServer(*s);
    }
    return "ok";
}

std::string Site::CmdState(const std::vector<std::string>& a, Server*)
{
    if (a.size() == 2 && a[1] == "station")
        return CmdStationState();
    Server* s = FindServer(a[1]);
    if (!s)
        return "err no server " + a[1];
    Lock lock(lock_);
    int clients = 0;
    for (auto& c : s->connections)
        clients += c->loggedIn && c->purpose == dev::PurposeLive;
    std::string recording, lost, captures, frames, inputs;
    for (auto& cam : s->cameras) {
        recording += cam.serverRecording ? '1' : '0';
        lost += cam.noVideo ? '1' : '0';
        inputs += char('0' + cam.input);
        captures += (captures.empty() ? "" : ",") + std::to_string(cam.captures);
        frames += (frames.empty() ? "" : ",") + std::to_string(cam.framesSent);
    }
    char buf[512];
    std::snprintf(
        buf, sizeof buf,
        "ok running=%d clients=%d connections=%d accepted=%d relays=%s recording=%s lost=%s inputs=%s captures=%s "
        "talk=%llu "
        "broadcast=%llu talking=%d clears=%d box_inputs=%04X box_outputs=%04X box_polls=%d box_open=%d",
        s->listener.running ? 1 : 0, clients, int(s->connections.size()), s->accepted,
        Bits(s->relayStates, s->relays).c_str(), recording.c_str(), lost.c_str(), inputs.c_str(), captures.c_str(),
        (unsigned long long)s->talkBytes, (unsigned long long)s->broadcastBytes, s->talking ? 1 : 0, s->clears,
        s->box.inputs, s->box.outputs, s->box.polls, s->box.open ? 1 : 0);
    return std::string(buf) + " frames=" + frames;
}

std::string Site::CmdStationState()
{
    Lock lock(lock_);
    std::string open;
    for (auto& c : station_.open)
        open += (open.empty() ? "" : ",") + ("COM" + std::to_string(c->comPort + 1));
    return "ok relays=" + Bits(station_.linkRelays, 8) + " open=" + (open.empty() ? "-" : open);
}

std::string Site::CmdCamera(const std::vector<std::string>& a, Server* s)
{
    int n;
    if (a.size() != 3 || !ToInt(a[2], &n))
        return "err " + a[0] + " S N";
    const std::string& cmd = a[0];
    if (cmd == "sensor") {
        if (n < 0 || n >= s->sensors)
            return "err no such sensor";
        BroadcastEvent(*s, -1, 4, 1 << n);
        return "ok";
    }
    if (n < 0 || n >= s->channels)
        return "err no such channel";
    if (cmd == "motion") {
        BroadcastEvent(*s, -1, 2, 1 << n);
        return "ok";
    }
    int mask = 0;
    {
        Lock lock(lock_);
        s->cameras[size_t(n)].noVideo = cmd == "cut";
        for (size_t i = 0; i < s->cameras.size(); ++i)
            mask |= s->cameras[i].noVideo ? 1 << i : 0;
    }
    BroadcastEvent(*s, -1, 3, mask);
    return "ok";
}

std::string Site::CmdEvent(const std::vector<std::string>& a, Server* s)
{
    int camera = -1, type, value;
    if (a.size() != 5 || (a[2] != "*" && !ToInt(a[2], &camera)) || !ToInt(a[3], &type) || !ToInt(a[4], &value))
        return "err event S CH|* TYPE VALUE";
    BroadcastEvent(*s, camera, type, value);
    return "ok";
}

std::string Site::CmdInput(const std::vector<std::string>& a, Server* s)
{
    int i, on;
    if (a.size() != 4 || !ToInt(a[2], &i) || !ToInt(a[3], &on) || i < 0 || i > 15)
        return "err input S 0..15 0|1";
    Lock lock(lock_);
    if (!s->box.present)
        return "err no alarm box on " + s->name;
    if (on)
        s->box.inputs = uint16_t(s->box.inputs | (1 << i));
    else
        s->box.inputs = uint16_t(s->box.inputs & ~(1 << i));
    return "ok";
}

std::string Site::CmdKey(const std::vector<std::string>& a, Server*)
{
    int number, code, value;
    if (a.size() != 4 || !ToInt(a[1], &number) || !ToInt(a[2], &code) || !ToInt(a[3], &value))
        return "err key NUM CODE VALUE";
    uint8_t frame[7];
    if (!dev::EncodeKeyboardFrame(number, code, value, frame))
        return "err the keyboard has no key for code " + a[2];
    ConnectionPtr port;
    bool sameLine = false;
    {
        Lock lock(lock_);
        for (auto& c : station_.open)
            if (c->comPort == station_.keyboardPort && station_.keyboardPort >= 0)
                port = c;
        sameLine = port && SameLine(port->line, station_.keyboardLine);
    }
    if (!port)
        return "err the keyboard's port is not open";
    if (!sameLine)
        for (uint8_t& b : frame)
            b ^= 0x5A; // wrong speed or framing: the station reads garbage
    port->channel->Send(dev::MsgSerialData, frame, sizeof frame);
    return "ok";
}

std::string Site::CmdRelayClient(const std::vector<std::string>& a, Server*)
{
    int port, channel = 0;
    if (a.size() < 4 || !ToInt(a[1], &port) || port <= 0 || port > 65535 || (a.size() > 5 && !ToInt(a[5], &channel)))
        return "err relay-client PORT USER PASSWORD [SERVER [CHANNEL]]";
    SOCKET s = dev::ConnectTcp("127.0.0.1", uint16_t(port), 5000, nullptr);
    if (s == INVALID_SOCKET)
        return "err unreachable";
    dev::Channel ch(s);
    dev::HelloMsg hello =
        dev::MakeHello(dev::PurposeRelay, a.size() > 4 ? a[4].c_str() : "", a[2].c_str(), a[3].c_str());
    hello.channel = channel;
    dev::WelcomeMsg w = {};
    if (!dev::Handshake(ch, hello, nullptr, 0, 5000, nullptr, &w, nullptr))
        return "err no answer";
    ch.Finish(2000);
    return w.code == 0 ? "ok level=" + std::to_string(w.channels) : "ok refused=" + std::to_string(w.code);
}

std::string Site::CmdFail(const std::vector<std::string>& a, Server* s)
{
    static const char* kPurposes[] = {"live", "request", "jpeg", "serial", "talk", "broadcast", "search", "fetch"};
    bool known = false;
    for (const char* p : kPurposes)
        known = known || (a.size() > 2 && a[2] == p);
    if (a.size() < 4 || !known)
        return "err fail S live|request|jpeg|serial|talk|broadcast|search|fetch CODE [COUNT] | off";
    Lock lock(lock_);
    if (a[3] == "off") {
        s->faults.erase(a[2]);
        return "ok";
    }
    Fault f;
    if (!ToInt(a[3], &f.code) || (a.size() > 4 && (!ToInt(a[4], &f.remaining) || f.remaining < 1)))
        return "err fail S PURPOSE CODE [COUNT]";
    s->faults[a[2]] = f;
    return "ok";
}

} // namespace devsim
