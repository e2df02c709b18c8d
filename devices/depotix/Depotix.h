/* Depotix: the file service (stand-in). Runs inside the station and lets remote players search
 * the station's recordings, download them and play them while they arrive, over the devices' wire
 * protocol (the file-search and file-fetch purposes of devices/common/Protocol.h), on every
 * interface of the station's machine.
 *
 * Conventions: every entry point is __stdcall with 8-bit (code page 936) texts; the entry-point
 * numbers are fixed in Depotix.def (and listed below); callers bind by number.
 *
 * How a connection is served: each connection logs in through the log-in callback (no callback:
 * everyone is admitted); a result other than 0 refuses it. A search becomes one DepotixRequest
 * handed to the event callback, whose result calls come back through the request's
 * resultCallback, each sent to the client at once. A fetch names a path: only a plain local path
 * ("X:\..."; no "..", no device, UNC or stream name) that a search of this service handed out is
 * sent; a path not handed out yet is checked by one search (any server, channel and time, the
 * kind its extension names) through the event callback.
 *
 * Threads: one thread accepts, one thread serves each connection (at most 64 at once; more are
 * closed at once); both callbacks run on the connection threads. Searches are handed to the event callback one at a
 * time. Depotix_Stop and Depotix_Cleanup close every connection and wait for these threads: no callback runs after they
 * return (a download in progress then fails on the client's side). So they must not be called
 * from a callback.
 */
#ifndef DEPOTIX_H
#define DEPOTIX_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef DEPOTIX_BUILD
#define DEPOTIX_API int __stdcall
#else
#define DEPOTIX_API __declspec(dllimport) int __stdcall
#endif

#pragma pack(push, 1)
/* A local date and time. */
typedef struct DepotixDateTime {
    int year;            /* four digits */
    unsigned char month; /* 1..12 */
    unsigned char day;
    unsigned char hour;
    unsigned char minute;
    unsigned char second;
    unsigned char fill[3];
} DepotixDateTime;
#pragma pack(pop)

/* Called by the station once per hit of a request, on the thread that runs the event callback:
 * server name, channel from 0, the file's full local path, start and end (records that need to
 * live only for the call), size in bytes, and the request's userValue. The result is not used. */
typedef int(CALLBACK* DepotixResultCallback)(const char* name, int channel, const char* path,
                                             const DepotixDateTime* start, const DepotixDateTime* end, int size,
                                             int userValue);

#pragma pack(push, 1)
/* One remote search, handed to the event callback. Read-only for the callee; name is terminated. */
typedef struct DepotixRequest {
    char name[40];    /* server name; empty = any */
    int channel;      /* from 0; -1 = any */
    int kind;         /* 1 MP4, 2 JPEG, 3 BMP, other ASF */
    int typeSelector; /* 0 any; 1 manual, 2 schedule, 3 motion, 4 alarm */
    int rangeFlag;    /* 0 = from and to are not to be read */
    DepotixDateTime from;
    DepotixDateTime to;
    DepotixResultCallback resultCallback;
} DepotixRequest;
#pragma pack(pop)

/* The station's search: runs to its end on the calling (connection) thread. Result not used. */
typedef int(CALLBACK* DepotixEventCallback)(DepotixRequest* request, int userValue);
/* The station's log-in check: client address, user, password; 0 admits, anything else refuses. */
typedef int(CALLBACK* DepotixLoginCallback)(const char* address, const char* user, const char* password);

/* 1, 2: once per program; Depotix_Cleanup stops the service. Both return 1. */
DEPOTIX_API Depotix_Init(void);
DEPOTIX_API Depotix_Cleanup(void);
/* 3: starts (or restarts) the service on port of every interface (0 = any free port); reserved is 0.
 * The port it listens on, or 0 when it cannot listen. */
DEPOTIX_API Depotix_Start(int reserved, int port);
/* 4: stops listening, ends every connection and waits for their threads; 1. A stopped service
 * may be started again. */
DEPOTIX_API Depotix_Stop(void);
/* 5, 6: the callbacks for the connections that come after the call (NULL = none); 1. */
DEPOTIX_API Depotix_SetLoginCallback(DepotixLoginCallback callback);
DEPOTIX_API Depotix_SetEventCallback(DepotixEventCallback callback);

#ifdef __cplusplus
}
#endif

#endif
