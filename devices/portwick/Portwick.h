/* Portwick: the serial-device library (stand-in). Drives the station's own serial devices (the
 * linkage device with 8 relay outputs, the control keyboard, the external alarm-input port) and
 * builds PTZ command bytes from protocol files ("*.ptz").
 *
 * Conventions: __stdcall, 8-bit texts; handles are positive integers, 0 = failure or none. COM
 * ports are zero-based (0 = COM1). The entry-point numbers are fixed in Portwick.def.
 *
 * The serial ports are those of the simulated site: the library reaches devsim's site port named
 * by the environment variable DEVSIM_SITE ("127.0.0.1:port"); without it, or when the site does
 * not answer, no port opens. A port has one owner at a time; opening a taken or missing port fails.
 *
 * Threads: the keyboard has a reader thread that posts the given message to the given window for
 * each key: wParam = the keyboard's camera number, lParam = (PTZ code << 8) + value. After
 * Portwick_Close returns, nothing more is posted. Nothing else calls back.
 *
 * Protocol files (text, ";" starts a comment):
 *     [Protocol]
 *     Name=PELCO-D                     at most 39 bytes (default: the file name)
 *     Description=PELCO-D delay300     at most 39 bytes
 *     [Commands]
 *     0=FF A 00 04 S 00 C              PTZ code = bytes, at most 200 of them
 * Byte tokens: two hex digits, a literal byte; A the decoder address; S the speed; V the value;
 * C the sum of the bytes before it except the first, mod 256; X the XOR of all bytes before it.
 * A linkage device's control file gives codes 30 (relay on) and 31 (relay off), V = output.
 * A protocol name without a folder is looked for as <name>.ptz in the "ptz" folder beside
 * Portwick.dll, then beside it. A file with an unknown token, a bad line or over 64 KB is refused.
 */
#ifndef PORTWICK_H
#define PORTWICK_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef PORTWICK_BUILD
#define PORTWICK_API int __stdcall
#else
#define PORTWICK_API __declspec(dllimport) int __stdcall
#endif

#define PORTWICK_LINK_DEVICE 1
#define PORTWICK_KEYBOARD 2
#define PORTWICK_ALARM_INPUT 3
#define PORTWICK_RELAY_ON 30
#define PORTWICK_RELAY_OFF 31
#define PORTWICK_TEXT_SIZE 40     /* protocol names and descriptions, NUL included */
#define PORTWICK_COMMAND_SIZE 200 /* the out buffer of Portwick_BuildPtzCommand */

/* @1 (COM port, device address 0..255, control file path or "" for the device's own protocol)
 * -> handle of the linkage device. */
PORTWICK_API Portwick_OpenLinkDevice(int comPort, int address, const char* controlFile);
/* @2 (linkage handle, 30 on / 31 off, output 0..7): 1 when the command went out. */
PORTWICK_API Portwick_SetRelay(int handle, int command, int output);
/* @3 (COM port, data bits 5..8, stop bits 1..2, parity 0..4, baud, protocol 0 = "PELCO D/P",
 * window, message) -> keyboard handle; keys arrive as the message posted to the window. */
PORTWICK_API Portwick_OpenKeyboard(int comPort, int dataBits, int stopBits, int parity, int baud, int protocol,
                                   HWND window, UINT message);
/* @4 (keyboard handle, data bits, stop bits, parity, baud, protocol): new line settings. */
PORTWICK_API Portwick_ConfigureKeyboard(int handle, int dataBits, int stopBits, int parity, int baud, int protocol);
/* @5 (COM port) -> handle of the external alarm-input port (the port is only held open). */
PORTWICK_API Portwick_OpenAlarmInput(int comPort);
/* @6 (handle, kind 1..3): closes the device when the kind matches; 1 when closed. */
PORTWICK_API Portwick_Close(int handle, int kind);
/* @7 (linkage handle, out text [PORTWICK_TEXT_SIZE]): the name of its control file's protocol. */
PORTWICK_API Portwick_GetProtocolName(int handle, char* name);
/* @8 (device handle) -> its COM port, -1 for an unknown handle. */
PORTWICK_API Portwick_GetPort(int handle);
/* @9 (linkage handle) -> its device address, -1 for an unknown handle. @10 sets it (1 = done). */
PORTWICK_API Portwick_GetAddress(int handle);
PORTWICK_API Portwick_SetAddress(int handle, int address);
/* @11 (linkage handle, path) -> 0 = the control file was loaded; non-zero = refused (the old
 * one stays). */
PORTWICK_API Portwick_LoadControlFile(int handle, const char* path);
/* @12 (protocol name or file path) -> protocol handle, 0 when the file is missing or refused. */
PORTWICK_API Portwick_OpenPtzProtocol(const char* protocol);
/* @13 (protocol handle, name or path) -> 0 = changed, non-zero = not changed (the old stays). */
PORTWICK_API Portwick_ChangePtzProtocol(int handle, const char* protocol);
/* @14 (protocol handle): 1 when closed. */
PORTWICK_API Portwick_ClosePtzProtocol(int handle);
/* @15 (protocol handle, out text [PORTWICK_TEXT_SIZE]): the protocol's description; 1 = done. */
PORTWICK_API Portwick_GetProtocolDescription(int handle, char* text);
/* @16 (protocol handle, PTZ code, out [PORTWICK_COMMAND_SIZE], decoder address, speed, value)
 * -> bytes written; 0 when the protocol has no command for the code, -1 for a bad handle. */
PORTWICK_API Portwick_BuildPtzCommand(int handle, int code, unsigned char* out, int address, int speed, int value);

#undef PORTWICK_API

#ifdef __cplusplus
}
#endif

#endif
