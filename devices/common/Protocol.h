// The wire protocol between the device stand-ins (Conduit, Portwick, Ferret) and devsim.
// Every message is a WireHeader followed by `length` payload bytes, little-endian, over TCP on
// loopback. A connection begins with one Hello from the client, answered by one Welcome; what
// follows depends on the Hello's purpose (see devices/README.md for the whole exchange).
#pragma once
#include <cstdint>

namespace dev {

const uint16_t kProtocolVersion = 1;
const uint32_t kMaxPayload = 4u << 20; // a larger length from the wire drops the connection

enum MessageKind : uint16_t {
    MsgHello = 1,         // client -> server: HelloMsg + purpose-specific data
    MsgWelcome = 2,       // server -> client: WelcomeMsg + purpose-specific data
    MsgFrame = 10,        // server -> client, live: FrameHeader + RLE picture
    MsgEvent = 11,        // server -> client, live: EventMsg
    MsgCommand = 12,      // client -> server, live: CommandMsg + data
    MsgJpegRequest = 30,  // client -> server, JPEG stream: JpegRequestMsg
    MsgJpeg = 31,         // server -> client, JPEG stream: JpegRequestMsg (channel, 0) + JPEG file bytes
    MsgSerialData = 40,   // both ways, serial channel and COM port: raw bytes
    MsgLineSettings = 41, // client -> site, COM port: SerialLine; the site echoes it once the port is set
    MsgAudio = 50,        // client -> server, talk and broadcast: PCM bytes
    MsgFileHit = 60,      // server -> client, file search: FileHitMsg
    MsgFileRange = 61,    // client -> server, file fetch: FileRangeMsg (replaces the range being sent)
    MsgFileData = 62,     // server -> client, file fetch: FileDataMsg + at most kMaxFilePiece bytes
    MsgFileEnd = 63,      // server -> client, both file purposes: FileEndMsg
};

enum Purpose : uint16_t {
    PurposeLive = 1,        // live channel (Conduit_Connect)
    PurposeRequest = 2,     // one request, one answer; the next request may follow with its own Hello (HelloMsg.op)
    PurposeJpeg = 3,        // JPEG capture stream
    PurposeSerial = 4,      // transparent serial channel of a server (HelloMsg.channel = serial port)
    PurposeTalk = 5,        // intercom
    PurposeBroadcast = 6,   // voice broadcast target
    PurposeDiscover = 7,    // site: list of servers (HelloMsg.op = 1 classic search, 2 extended)
    PurposeCom = 8,         // site: a COM port of the station (HelloMsg.channel = port index, 0 = COM1)
    PurposeDdns = 9,        // DDNS: resolve HelloMsg.name
    PurposeRelay = 10,      // a client of the station's forwarding service
    PurposeFileSearch = 11, // recordings: FileSearchMsg after the Hello, then hits and an end
    PurposeFileFetch = 12,  // recordings: FileFetchMsg after the Hello, then ranges of one file
};

// Failure codes of the file purposes (WelcomeMsg.code, FileEndMsg.code).
const int32_t kFileWrongLogin = -102;
const int32_t kFileNotServed = -120; // a path the server does not hand out, or cannot open
const int32_t kFileBadRequest = -121;
const int32_t kFileReadError = -122;
const uint32_t kMaxFilePiece = 32u << 10;

// Requests (PurposeRequest, HelloMsg.op).
enum RequestOp : int32_t {
    OpLogin = 1,             // answer: code only
    OpQueryDevice = 2,       // no log-in; answer: QueryDeviceAnswer
    OpGetParams = 3,         // answer: 16 bytes
    OpSetParams = 4,         // data: 16 bytes
    OpGetAlarmOutputs = 5,   // answer: 4 bytes
    OpGetPtzDescription = 6, // answer: text without NUL
    OpStartServerRecord = 7, // HelloMsg.arg = mode
    OpStopServerRecord = 8,
    OpCaptureServerJpeg = 9, // HelloMsg.arg = quality
};

// Live-channel commands (CommandMsg.op).
enum CommandOp : int32_t {
    CmdStream = 1,      // a = 1 send frames, 0 stop sending (a channel opens with one frame, then waits for this)
    CmdPtz = 2,         // a = code, b = value
    CmdSerial = 3,      // a = serial port; data = bytes
    CmdAlarmOutput = 4, // a = output, b = on
    CmdClearAlarm = 5,
    CmdSelectCamera = 6, // a = input
};

#pragma pack(push, 1)
struct WireHeader {
    uint32_t length;
    uint16_t kind;
    uint16_t reserved;
};
static_assert(sizeof(WireHeader) == 8, "wire header");

struct SerialLine {
    int32_t baud;
    uint8_t dataBits;
    uint8_t stopBits;
    uint8_t parity;
    uint8_t flow;
};
static_assert(sizeof(SerialLine) == 8, "serial line");

struct HelloMsg {
    uint16_t version;
    uint16_t purpose;
    char name[40]; // server name (DDNS: the name to resolve)
    char user[40];
    char password[40];
    int32_t channel; // live, JPEG: camera channel; serial: serial port; COM: port index
    int32_t op;      // request: RequestOp; discover: search kind
    int32_t arg;     // request argument (mode, quality)
    SerialLine line; // serial channel and COM port
};
static_assert(sizeof(HelloMsg) == 144, "hello");

struct WelcomeMsg {
    int32_t code;         // 0 = accepted, else the failure code the library reports
    int32_t channels;     // server's channel count
    int32_t cameraInputs; // inputs of a multi-input encoder (live)
    int32_t audio;        // 1 = the channel carries sound
    int32_t width;
    int32_t height;
    int32_t frameRate;
    int32_t sensors;
    int32_t relays;
};
static_assert(sizeof(WelcomeMsg) == 36, "welcome");

struct FrameHeader {
    uint32_t frameNo; // counts from 1 per connection
    uint32_t timeMs;  // server's clock
    uint16_t channel;
    uint16_t width;
    uint16_t height;
    uint8_t flags; // 1 = no video signal
    uint8_t input;
};
static_assert(sizeof(FrameHeader) == 16, "frame header");

struct EventMsg {
    int32_t type;
    int32_t value;
};
static_assert(sizeof(EventMsg) == 8, "event");

struct CommandMsg {
    int32_t op;
    int32_t a;
    int32_t b;
    int32_t c;
};
static_assert(sizeof(CommandMsg) == 16, "command");

struct JpegRequestMsg {
    int32_t channel;
    int32_t quality;
};
static_assert(sizeof(JpegRequestMsg) == 8, "jpeg request");

struct QueryDeviceAnswer {
    int32_t channels;
    int32_t sensors;
    int32_t relays;
};
static_assert(sizeof(QueryDeviceAnswer) == 12, "query answer");

struct DdnsAnswer {
    char address[32];
    uint16_t port;
};
static_assert(sizeof(DdnsAnswer) == 34, "ddns answer");

struct DeviceRecord {
    char name[40];
    char address[16];
    uint16_t port;
    uint8_t mac[6];
    int32_t channels;
    int32_t kind;
};
static_assert(sizeof(DeviceRecord) == 72, "device record");

// A local date and time, laid out as FramewellTime and the station's FileServiceDateTime.
struct WireTime {
    int32_t year;
    uint8_t month, day, hour, minute, second; // month 1..12
    uint8_t padding[3];
};
static_assert(sizeof(WireTime) == 12, "wire time");

// Texts in the file messages are NUL-terminated within their fields; a reader never trusts that.
struct FileSearchMsg {
    char name[40];    // server name; empty = any
    int32_t channel;  // from 0; -1 = any
    int32_t kind;     // 1 MP4, 2 JPEG, 3 BMP, 4 ASF
    int32_t selector; // 0 any; 1..4 a record type (anything else: any)
    int32_t useRange; // 0 = from and to are not read
    WireTime from, to;
};
static_assert(sizeof(FileSearchMsg) == 80, "file search");

struct FileHitMsg {
    char name[40];
    int32_t channel;
    char path[260];
    WireTime start, end;
    uint32_t size;
};
static_assert(sizeof(FileHitMsg) == 332, "file hit");

struct FileFetchMsg {
    char path[260];
    uint32_t bytesPerSecond; // 0 = as fast as the connection goes
};
static_assert(sizeof(FileFetchMsg) == 264, "file fetch");

struct FileInfoMsg { // after a fetch's WelcomeMsg
    uint64_t size;
};
static_assert(sizeof(FileInfoMsg) == 8, "file info");

struct FileRangeMsg {
    uint64_t offset;
    uint64_t length; // 0 = to the end of the file as it is then
};
static_assert(sizeof(FileRangeMsg) == 16, "file range");

struct FileDataMsg {
    uint64_t offset;
};
static_assert(sizeof(FileDataMsg) == 8, "file data");

struct FileEndMsg {
    int32_t code;    // 0 = everything asked for was sent
    uint32_t count;  // search: hits sent
    uint64_t offset; // fetch: where the range ended
};
static_assert(sizeof(FileEndMsg) == 16, "file end");
#pragma pack(pop)

} // namespace dev
