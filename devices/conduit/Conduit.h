/* Conduit: the video-server client library (stand-in). Reaches the video servers of a site over
 * TCP: log-in, live channels drawn into a window, local recording, snapshots, PTZ and serial data
 * through the server, alarm outputs, server-side operations, JPEG capture, the transparent serial
 * channel, intercom and voice broadcast, DDNS look-up, device query and a forwarding service.
 *
 * Conventions: every entry point is __stdcall with 8-bit (code page 936) texts; names, addresses,
 * users and passwords are at most 39 bytes (longer texts are cut); ports are 16-bit; "ok" means a
 * non-zero result unless a function says otherwise. Handles are positive integers, never reused
 * while the library runs; -1 (or 0 where said) means none. The entry-point numbers are fixed in
 * Conduit.def (and listed below); callers bind by number.
 *
 * Threads: each live channel, JPEG stream, serial channel and talk has a thread of its own inside
 * the library; its callbacks run on that thread, in the order the server sent the events. After
 * Conduit_Disconnect (or the matching close call, or Conduit_Cleanup) returns, no callback for
 * that handle runs any more: the close waits for a callback in progress to return. So a callback
 * must not wait for a lock that the thread calling the close holds; a callback may close its own
 * handle (the close then returns at once and the thread ends after the callback).
 *
 * Time-outs: Conduit_SetConnectTimeout (seconds, tries): each attempt to reach a server (TCP
 * connection and the answer to the log-in) may take that many seconds; a server that cannot be
 * reached is tried that many times, 0.1 s apart. The default is (30, 4).
 */
#ifndef CONDUIT_H
#define CONDUIT_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef CONDUIT_BUILD
#define CONDUIT_API int __stdcall
#else
#define CONDUIT_API __declspec(dllimport) int __stdcall
#endif

/* Device events (the `type` of ConduitEventCallback). */
#define CONDUIT_EVENT_CONNECT 1        /* value: connect result, below */
#define CONDUIT_EVENT_MOTION 2         /* value: bit mask of the server's channels with motion */
#define CONDUIT_EVENT_VIDEO_LOSS 3     /* value: bit mask of the server's channels without video */
#define CONDUIT_EVENT_SENSOR 4         /* value: bit i = sensor input i active */
#define CONDUIT_EVENT_RELAYS 5         /* value: bit i = relay output i on (after every change) */
#define CONDUIT_EVENT_CAMERA_INPUT 6   /* value: the encoder's current camera input, 0..4 */
#define CONDUIT_EVENT_SERVER_RECORD 11 /* value: bit 0 = the server records this channel */

/* Connect results (value of event 1). */
#define CONDUIT_CONNECTED 0
#define CONDUIT_NOT_REPORTED 1   /* reported only when a server answers so */
#define CONDUIT_CONNECT_FAILED 2 /* the server could not be reached (every try) */
#define CONDUIT_SERVER_CLOSED 3  /* a connected server ended the connection or stopped */
#define CONDUIT_BIND_FAILED 4
#define CONDUIT_NO_MEMORY 5
#define CONDUIT_DDNS_UNREACHABLE 6  /* the DDNS server could not be reached */
#define CONDUIT_WRONG_LOGIN (-102)  /* wrong user name or password */
#define CONDUIT_USERS_FULL (-103)   /* the server's user slots are taken (also -105) */
#define CONDUIT_BUSY (-104)         /* talk: the server talks with another user */
#define CONDUIT_NO_CHANNEL (-106)   /* no such channel on the server */
#define CONDUIT_DDNS_UNKNOWN (-112) /* the server is not registered on the DDNS server */
/* Any other code a server answers is passed on unchanged. */

/* Event callback of a live channel: runs on the channel's thread. */
typedef void(__stdcall* ConduitEventCallback)(int handle, int type, int value, void* context);
/* JPEG stream: one call per picture (data = a whole JPEG file, channel = its camera); length 0
 * (data null, channel -1) once when the stream failed: the stream must then be reopened. */
typedef void(__stdcall* ConduitJpegCallback)(int handle, int channel, const char* data, int length, void* context);
/* Serial channel: bytes received from the server's serial port; length 0 (data null) once when
 * the channel was lost. */
typedef void(__stdcall* ConduitSerialCallback)(int handle, const char* data, int length, void* context);
/* Forwarding service: account check of a client (return 1..3 = admitted at that level, 0 =
 * refused) and the client's arrival (connected 1) and departure (connected 0); value is the
 * channel the client asked for. Both run on the service's threads; the result of the event
 * callback is not used. */
typedef int(__stdcall* RelayAccountCallback)(int reserved, const char* user, const char* password);
typedef int(__stdcall* RelayEventCallback)(const char* serverName, int value, int connected, const char* clientAddress,
                                           const char* user, const char* password);

#pragma pack(push, 1)
/* What Conduit_Connect and Conduit_ConnectDdns read; valid only during the call. */
typedef struct ConduitConnectRecord {
    const char* serverName;        /* 0: with DDNS, the name looked up */
    const char* userName;          /* 4 */
    const char* password;          /* 8 */
    unsigned short transport;      /* 12: 1 UDP, 2 multicast, 3 TCP; the stand-in always uses TCP */
    unsigned short showNow;        /* 14: 1 = draw into displayWindow as soon as connected */
    unsigned char channel;         /* 16: camera channel on the server, from 0 */
    unsigned char reserved1[3];    /* 17 */
    HWND displayWindow;            /* 20: where the picture is drawn; 0 = none yet */
    HWND notifyWindow;             /* 24: with callback 0: connect results are posted here */
    UINT notifyMessage;            /* 28: ... as this message, wParam 1, lParam the result */
    int bufferCount;               /* 32: network buffers, 10..50 (not used by the stand-in) */
    int reserved2;                 /* 36: 0 */
    unsigned int overlayKey;       /* 40: 0x00FF00FF (not used by the stand-in) */
    unsigned char reserved3[40];   /* 44 */
    ConduitEventCallback callback; /* 84: device events; 0 = post connect results instead */
    void* context;                 /* 88: handed back to the callback */
} ConduitConnectRecord;

/* The line settings handed to Conduit_OpenSerialChannel; the server's device answers only when
 * they match its own. */
typedef struct ConduitSerialLine {
    int baudRate;
    unsigned char dataBits;
    unsigned char stopBits;
    unsigned char parity;
    unsigned char flowControl;
} ConduitSerialLine;

/* The forwarding service's settings (Conduit_ConfigureRelayService). */
typedef struct RelayServiceConfig {
    char multicastAddress[16];         /* 0 */
    unsigned short port;               /* 16: the TCP port clients connect to (loopback) */
    unsigned short secondPort;         /* 18 */
    int setting3;                      /* 20 */
    int setting3Again;                 /* 24 */
    int setting1;                      /* 28 */
    int setting2;                      /* 32 */
    RelayAccountCallback accountCheck; /* 36: 0 = every client admitted at level 1 */
    RelayEventCallback eventLog;       /* 40: may be 0 */
} RelayServiceConfig;
#pragma pack(pop)

#define CONDUIT_PTZ_DESCRIPTION_SIZE 128 /* bytes the text of Conduit_GetPtzDescription may take */
#define CONDUIT_ADDRESS_SIZE 32          /* bytes an out address of this library may take */

/* ---- Library (entry points 1..3) ---- */
/* @1 Conduit_Init (0, 0, 0, 0): call first; the arguments are reserved. Returns 1. */
CONDUIT_API Conduit_Init(int reserved1, int reserved2, int reserved3, int reserved4);
/* @2 Conduit_Cleanup: closes every handle (as their close calls do), the forwarding service and
 * the connections kept for the next server-side call. */
CONDUIT_API Conduit_Cleanup(void);
/* @3 Conduit_SetConnectTimeout (seconds per attempt, attempts); values below 1 count as 1. */
CONDUIT_API Conduit_SetConnectTimeout(int seconds, int tries);

/* ---- Live channel (4..6) ---- */
/* @4 Conduit_Connect (server address, record, server port) -> handle at once, or -1 when the
 * arguments are unusable. The log-in runs on the channel's thread; its result arrives as event 1
 * (or the posted message). The server streams pictures from the log-in on. */
CONDUIT_API Conduit_Connect(const char* address, const ConduitConnectRecord* record, unsigned short port);
/* @5 Conduit_ConnectDdns (DDNS server address, record, DDNS server port): as Conduit_Connect,
 * after looking the record's server name up on the DDNS server (results 6 and -112). */
CONDUIT_API Conduit_ConnectDdns(const char* ddnsAddress, const ConduitConnectRecord* record, unsigned short ddnsPort);
/* @6 Conduit_Disconnect (handle): ends the channel, its picture and its local recording (the
 * file is completed). Returns 1, 0 for an unknown handle. */
CONDUIT_API Conduit_Disconnect(int handle);

/* ---- Picture (7..20); all return 0 for an unknown handle ---- */
/* @7 (handle, window or 0): the window whose client area the pictures fill; 0 = draw nowhere. */
CONDUIT_API Conduit_SetDisplayWindow(int handle, HWND window);
/* @8 draw each picture from now on; 0 when the channel has ended. A channel whose pictures kept
 * coming shows the last one at once; one whose pictures were paused shows the server's next one,
 * which it asks for at once. */
CONDUIT_API Conduit_StartVideo(int handle);
/* @9 stop drawing; the window is invalidated so that its owner repaints it. */
CONDUIT_API Conduit_StopVideo(int handle);
/* @10 stop drawing but keep the last picture for Conduit_RefreshDisplay. */
CONDUIT_API Conduit_PauseVideo(int handle);
/* @11 (handle, 1/0): ask the server to send pictures or not (a local recording keeps them coming).
 * Pictures come only while something uses them: the video runs in a window, a local recording
 * runs or a snapshot waits; otherwise the channel keeps its connection and events and pauses the
 * pictures after the first one. A picture is decoded only for a visible window, a recording, a
 * snapshot or a redraw. */
CONDUIT_API Conduit_EnableStream(int handle, int enable);
/* @12 (handle, 0): draw the last picture again (from a WM_PAINT handler); 0 when there is none
 * or the video is stopped. */
CONDUIT_API Conduit_RefreshDisplay(int handle, int reserved);
/* @13 (handle, int info[5]): [0] width, [1] height, [2] 1 = sound, [3] frame rate,
 * [4] pictures received so far. 0 before the log-in succeeded. */
CONDUIT_API Conduit_GetStreamInfo(int handle, int* info);
/* @14 sound on (the stand-in plays nothing); 0 when the stream has no sound. @15 sound off. */
CONDUIT_API Conduit_StartSound(int handle);
CONDUIT_API Conduit_StopSound(int handle);
/* @16..@18 (handle, value): kept, without effect in the stand-in. */
CONDUIT_API Conduit_SetPlaySmoothness(int handle, int value);
CONDUIT_API Conduit_SetRelaySmoothness(int handle, int value);
CONDUIT_API Conduit_SetDecodeQuality(int handle, int value);
/* @19 number of camera inputs of a multi-input encoder (0 = none); 0 before the log-in. */
CONDUIT_API Conduit_GetCameraInputs(int handle);
/* @20 (handle, input 0..4): switch the encoder's input; the server confirms with event 6. */
CONDUIT_API Conduit_SelectCamera(int handle, int input);

/* ---- Local files (21..25) ---- */
/* @21 (handle, path) record the channel's pictures into an MP4 file (motion JPEG, see
 * devices/README.md); a recording already running on the handle is completed first. 0 when the
 * channel is not logged in or the file cannot be created. A write failure (full disk) ends the
 * recording and keeps what was written. @22 completes the file; 0 when none ran or it failed. */
CONDUIT_API Conduit_StartRecordMp4(int handle, const char* path);
CONDUIT_API Conduit_StopRecordMp4(int handle);
/* @23 (handle, path, 0) the same as ASF; @24 completes it. */
CONDUIT_API Conduit_StartRecordAsf(int handle, const char* path, int reserved);
CONDUIT_API Conduit_StopRecordAsf(int handle);
/* @25 (handle, path): the last picture as a 24-bit BMP, or as JPEG when the path ends in .jpg or
 * .jpeg; when the pictures were paused, the server's next one (waited for up to 3 s). 0 when no
 * picture arrived or the file cannot be written (no file is left then). */
CONDUIT_API Conduit_CapturePicture(int handle, const char* path);

/* ---- Server side (26..34) ---- */
/* @26 (handle, out address [CONDUIT_ADDRESS_SIZE], out port): where the channel is connected
 * (after a DDNS look-up, the server's own address). 0 before the log-in. */
CONDUIT_API Conduit_GetServerAddress(int handle, char* address, unsigned short* port);
/* The following log in anew for each call (user and password are checked) and return 1 on
 * success, 0 on any failure. A call's connection is kept a few seconds for the next call to the
 * same server with the same user and password. */
/* @27 / @28 (name, address, channel, user, password, 16-byte block, port): the channel's
 * parameter block; byte 12 is the camera's PTZ device address. */
CONDUIT_API Conduit_GetChannelParams(const char* name, const char* address, int channel, const char* user,
                                     const char* password, unsigned char* block, unsigned short port);
CONDUIT_API Conduit_SetChannelParams(const char* name, const char* address, int channel, const char* user,
                                     const char* password, const unsigned char* block, unsigned short port);
/* @29 (name, address, user, password, 4 bytes, port): relay outputs 0..3, 1 = on. */
CONDUIT_API Conduit_GetAlarmOutputs(const char* name, const char* address, const char* user, const char* password,
                                    unsigned char* states, unsigned short port);
/* @30 (name, address, channel, user, password, text [CONDUIT_PTZ_DESCRIPTION_SIZE], port): the
 * camera's PTZ description, NUL-terminated. */
CONDUIT_API Conduit_GetPtzDescription(const char* name, const char* address, int channel, const char* user,
                                      const char* password, char* text, unsigned short port);
/* @31 (name, address, channel, user, password, mode 1, port) / @32 (..., port): the server starts
 * or stops recording the channel (event 11 tells live channels). */
CONDUIT_API Conduit_StartServerRecord(const char* name, const char* address, int channel, const char* user,
                                      const char* password, int mode, unsigned short port);
CONDUIT_API Conduit_StopServerRecord(const char* name, const char* address, int channel, const char* user,
                                     const char* password, unsigned short port);
/* @33 (name, address, channel, user, password, quality, port): the server stores a JPEG. */
CONDUIT_API Conduit_CaptureServerJpeg(const char* name, const char* address, int channel, const char* user,
                                      const char* password, int quality, unsigned short port);
/* @34 (name, address, user, password, port): 0 = accepted, -102 refused, -1 not reachable,
 * other server codes as they come. */
CONDUIT_API Conduit_Login(const char* name, const char* address, const char* user, const char* password,
                          unsigned short port);

/* ---- Control through a live channel (35..38): 1 when sent, 0 when not connected ---- */
/* @35 (handle, PTZ code, value): the server's own PTZ command. */
CONDUIT_API Conduit_PtzControl(int handle, int code, int value);
/* @36 (handle, serial port (0 = the PTZ port), bytes, count 1..4096): out of the server's port. */
CONDUIT_API Conduit_SendSerialData(int handle, int serialPort, const void* data, int count);
/* @37 (handle, output 0..3, 1/0): a relay output of the server; event 5 reports the states. */
CONDUIT_API Conduit_SetAlarmOutput(int handle, int output, int on);
/* @38 (handle): tells the server the operator cleared its alarms. */
CONDUIT_API Conduit_ClearAlarm(int handle);

/* ---- JPEG capture stream (39..41) ---- */
/* @39 (name, address, user, password, port, callback, context) -> handle > 0, or -1 when the
 * server cannot be reached or refuses. */
CONDUIT_API Conduit_OpenJpegStream(const char* name, const char* address, const char* user, const char* password,
                                   unsigned short port, ConduitJpegCallback callback, void* context);
/* @40 (handle, channel, quality 1..100): one picture of that camera, through the callback. */
CONDUIT_API Conduit_RequestJpeg(int handle, int channel, int quality);
/* @41 */
CONDUIT_API Conduit_CloseJpegStream(int handle);

/* ---- Transparent serial channel (42..44) ---- */
/* @42 (name, address, user, password, serial port, line, callback, context, port) -> handle > 0,
 * or 0 / a negative code (not reachable, refused, port taken). */
CONDUIT_API Conduit_OpenSerialChannel(const char* name, const char* address, const char* user, const char* password,
                                      int serialPort, const ConduitSerialLine* line, ConduitSerialCallback callback,
                                      void* context, unsigned short port);
/* @43 (handle, bytes, count): 1 when sent. @44 closes. */
CONDUIT_API Conduit_WriteSerialChannel(int handle, const void* data, int count);
CONDUIT_API Conduit_CloseSerialChannel(int handle);

/* ---- Voice (45..50) ---- */
/* @45 (address, user, password, port, 0, server name) -> handle >= 1, or -1 not reachable,
 * -102 wrong log-in, -104 the server talks with someone else, other server codes. While it runs,
 * 100 ms of 8 kHz 16-bit audio go to the server every 100 ms (the stand-in sends a quiet tone). */
CONDUIT_API Conduit_StartTalk(const char* address, const char* user, const char* password, unsigned short port,
                              int reserved, const char* serverName);
/* @46 */
CONDUIT_API Conduit_StopTalk(int handle);
/* @47 (address, user, password, transport 3, out handle, port, server name) -> 0 = added (the
 * handle, > 0, is written), else the failure code (-1 not reachable, -102 ...). */
CONDUIT_API Conduit_AddBroadcastTarget(const char* address, const char* user, const char* password, int transport,
                                       int* handle, unsigned short port, const char* serverName);
/* @48 (handle, PCM bytes, count): 1 when sent. Safe from any thread. */
CONDUIT_API Conduit_SendBroadcastAudio(int handle, const void* data, int count);
/* @49 closes one target; @50 closes them all. */
CONDUIT_API Conduit_RemoveBroadcastTarget(int handle);
CONDUIT_API Conduit_StopBroadcast(void);

/* ---- Look-up and forwarding (51..55) ---- */
/* @51 (DDNS address, DDNS port, server name, out address [CONDUIT_ADDRESS_SIZE], out port) ->
 * 0 = resolved, 6 = DDNS server not reachable, -112 = name not registered. */
CONDUIT_API Conduit_ResolveDdns(const char* ddnsAddress, unsigned short ddnsPort, const char* serverName, char* address,
                                unsigned short* port);
/* @52 (name, address, out channels, out sensor inputs, out relay outputs, port): asks the device
 * without logging in; 1 = it answered, 0 = not reachable. */
CONDUIT_API Conduit_QueryDevice(const char* name, const char* address, int* channels, int* sensors, int* relays,
                                unsigned short port);
/* @53 (settings): kept for the next start. @54 (0) -> 0 = started (listening on the settings'
 * port; clients log in and are checked, reported, and then held: the stand-in forwards no video),
 * non-zero = failed. @55 stops it; no callback runs after it returns. */
CONDUIT_API Conduit_ConfigureRelayService(const RelayServiceConfig* config);
CONDUIT_API Conduit_StartRelayService(int reserved);
CONDUIT_API Conduit_StopRelayService(void);

#undef CONDUIT_API

#ifdef __cplusplus
}
#endif

#endif
