// Starts devsim with a site description as a child process and drives it through its control
// port, as the tests of the device stand-ins, the channel sessions and the main window do.
//
// The site's listeners bind free ports (the site's own port numbers are ignored), so tests run
// in parallel; Start() learns every port from devsim's ports file and makes the site the one that
// Ferret and Portwick of this process (and of programs it starts later) reach, through the
// environment variable DEVSIM_SITE=127.0.0.1:<site port>.
//
// Control commands (one line each; every answer is one line, "ok ..." or "err ..."):
//   ports                       ok control=P site=P ddns=P
//   servers                     ok NAME NAME ...
//   port S                      ok P            (the port server S listens on)
//   stop S | start S            a stopped server refuses connections and drops the ones it had
//   stop ddns | start ddns      the DDNS service likewise
//   slow S MS                   S answers each log-in and request MS late and sends at most one
//                               picture, file hit or file piece every MS (0 = normal); an answer
//                               that waits takes a new setting at once, and a client that leaves
//                               ends its wait
//   motion S CH                 device event 2 (motion), value 1 << CH, to every live channel of S
//   sensor S I                  device event 4 (sensor input I), value 1 << I
//   cut S CH | restore S CH     camera CH shows "NO VIDEO"; event 3 with the mask of cut cameras
//   event S CH|* TYPE VALUE     any device event, to the live channels of camera CH or all (*)
//   input S I 0|1               input I (0..15) of the alarm box behind S's serial port
//   key NUM CODE VALUE          the control keyboard sends the key of PTZ code CODE for camera NUM
//   fail S PURPOSE CODE [COUNT] the next COUNT (default: all) connections of PURPOSE (live,
//                               request, jpeg, serial, talk, broadcast, search, fetch) are
//                               answered with CODE
//   fail S PURPOSE off
//   state S                     ok running=0|1 clients=N connections=N accepted=N relays=0101
//                               recording=0100 lost=0000 inputs=0000 captures=0,1,0,0 talk=BYTES
//                               broadcast=BYTES talking=0|1 clears=N box_inputs=HEX box_outputs=HEX
//                               box_polls=N box_open=0|1 frames=N,N,...   (per-camera lists in
//                               channel order; clients: live log-ins, connections: every open
//                               connection, answered or not, accepted: connections since the start)
//   state station               ok relays=01000000 open=COM1,COM2|-   (the linkage device's relays)
//   ptz S                       ok N ENTRY ...  each ENTRY "CH:CODE:VALUE" (Conduit_PtzControl) or
//                               "CH:serialPORT:HEX" (Conduit_SendSerialData)
//   ptz-clear S
//   params S CH                 ok HEX (the 16-byte channel parameter block)
//   relay-client PORT USER PASSWORD [SERVER [CHANNEL]]
//                               a remote client logs in to the station's forwarding service on
//                               PORT and leaves again: ok level=N | ok refused=CODE | err ...
//   help | quit
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace dev {
class Channel;
}

class DevsimSite {
public:
    DevsimSite();
    ~DevsimSite(); // quits devsim (and kills it when it does not end)
    DevsimSite(const DevsimSite&) = delete;
    DevsimSite& operator=(const DevsimSite&) = delete;

    // Starts devsim.exe (from the running program's folder unless devsimPath is given) on the site
    // description; waits (bounded) until it listens. False when it did not come up.
    bool Start(const std::string& siteIni, const std::string& devsimPath = std::string());
    void Stop();
    bool Running() const;

    // One command, its answer line ("" when devsim did not answer). Safe from several threads.
    std::string Command(const std::string& line);
    bool Ok(const std::string& line) { return Command(line).compare(0, 2, "ok") == 0; }
    // The value of key in the answer of "state S" (or "state station"); "" when absent.
    std::string State(const std::string& server, const std::string& key);
    // Polls "state S" until key has the value, up to timeoutMs; true when it had it.
    bool WaitState(const std::string& server, const std::string& key, const std::string& value, DWORD timeoutMs);

    unsigned short Port(const std::string& server); // 0 when unknown
    unsigned short ControlPort() const { return controlPort_; }
    unsigned short SitePort() const { return sitePort_; }
    unsigned short DdnsPort() const { return ddnsPort_; }
    std::string SiteAddress() const; // "127.0.0.1:<site port>"

private:
    std::string Exchange(const std::string& line);
    CRITICAL_SECTION lock_; // one command and its answer at a time
    PROCESS_INFORMATION process_ = {};
    std::unique_ptr<dev::Channel> control_;
    std::string portsFile_;
    unsigned short controlPort_ = 0, sitePort_ = 0, ddnsPort_ = 0;
};

// Writes text to a file (a site description a test builds); false on failure.
bool WriteTextFile(const std::string& path, const std::string& text);
