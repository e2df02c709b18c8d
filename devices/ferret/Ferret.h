/* Ferret: discovery of devices on the local network (stand-in). The "network" is the simulated
 * site named by the environment variable DEVSIM_SITE ("127.0.0.1:port"); without it nothing is
 * found. Entry-point numbers are fixed in Ferret.def. __stdcall, 8-bit texts.
 *
 * Both searches call the callback synchronously, on the calling thread, once per device found,
 * and return only after the last call. The classic search finds the servers that answer it
 * (Search=1 in the site description), the extended search those that answer only it (Search=2).
 */
#ifndef FERRET_H
#define FERRET_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef FERRET_BUILD
#define FERRET_API int __stdcall
#else
#define FERRET_API __declspec(dllimport) int __stdcall
#endif

/* One device: kind 1 = video server; name and dotted IPv4 address NUL-terminated; mac points to
 * 6 bytes; reserved values are 0. The pointers are valid during the call only. */
typedef void(__stdcall* FerretSearchCallback)(int kind, const char* name, const char* address, const unsigned char* mac,
                                              int reserved1, int port, int reserved2, int reserved3, int reserved4,
                                              int reserved5, int reserved6, int channels);

/* @1, @2: no arguments; the results are 1 and need not be tested. */
FERRET_API Ferret_Init(void);
FERRET_API Ferret_Cleanup(void);
/* @3, @4 (time limit in ms, callback) -> number of devices reported. */
FERRET_API Ferret_SearchDevices(int timeoutMs, FerretSearchCallback callback);
FERRET_API Ferret_SearchDevicesEx(int timeoutMs, FerretSearchCallback callback);

#undef FERRET_API

#ifdef __cplusplus
}
#endif

#endif
