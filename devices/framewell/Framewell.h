/* Framewell: the media library (stand-in). Plays the MP4 and ASF recordings of motion-JPEG
 * pictures that Conduit writes into a window, steps, seeks, changes speed, snapshots to BMP, cuts
 * clips to MP4 and converts MP4 to ASF.
 *
 * Conventions: every entry point is __stdcall with 8-bit (code page 936) paths. Handles are
 * positive integers, never reused while the library runs; a result below 1 is a failure (for a
 * search, below 0). The entry-point numbers are fixed in Framewell.def; callers bind by number,
 * through the function table of FramewellApi.h.
 *
 * Threads: each player and each conversion has a thread of its own. A player's thread draws the
 * pictures at the recording's times, scaled to the window's client area less a 1-pixel border,
 * and posts the notifications (PostMessage, never SendMessage); notifications that come before
 * Framewell_SetNotifyWindow wait and are posted when it is called. Transport calls, seeks, steps and
 * snapshots act at once on the caller's thread: after Framewell_StepFrame or Framewell_SetPlayTime
 * returns, the picture they chose is the shown one. Framewell_Stop, Framewell_CloseConvert,
 * Framewell_CloseSearch, Framewell_CloseDownload and Framewell_Cleanup wait for the handle's
 * thread: no notification or callback of that handle comes after they return.
 *
 * Remote recordings come from a file service (Depotix in a station, or a video server) over the
 * devices' wire protocol (the file-search and file-fetch purposes, devices/common/Protocol.h).
 * Addresses are at most FRAMEWELL_ADDRESS_CHARS bytes, users and passwords at most
 * FRAMEWELL_ACCOUNT_CHARS, ports 1..FRAMEWELL_MAX_PORT; longer texts
 * or a missing argument fail the call. Framewell_StartSearch and Framewell_StartDownload log in
 * before they return, so a service that cannot be reached or refuses the log-in fails the call
 * at once (search -1, download 0). Each search, download and remote player then has a thread of
 * its own: a search's callback runs on it; Framewell_CloseSearch and Framewell_CloseDownload
 * wait for it.
 *
 * Remote play (Framewell_OpenRemoteFile): the handle comes at once; a thread fetches the file
 * into a temporary file (deleted when the handle closes): an MP4's sample table first, then its
 * pictures from the start. It posts 3 (buffering; Framewell_GetBufferProgress gives the percent of
 * the buffer time that arrived), then 4 and 2 (ready) once the sample table and
 * Framewell_SetBufferTime seconds of pictures are there (a file without a sample table: once all
 * of it is). Framewell_Play is then called as for a local file; when playback catches up with the
 * data it waits, posting 3 and, when the buffer time arrived again, 4. Any failure before ready
 * posts 1 without 2 (no service, refused log-in, a path the service does not hand out, not a
 * recording); a service that goes away during play ends it with 1. A seek beyond what arrived
 * waits for the data the same way.
 */
#ifndef FRAMEWELL_H
#define FRAMEWELL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef FRAMEWELL_BUILD
#define FRAMEWELL_API __stdcall
#else
#define FRAMEWELL_API __declspec(dllimport) __stdcall
#endif

/* wParam of the notification message given to Framewell_SetNotifyWindow; lParam is the handle. */
#define FRAMEWELL_NOTIFY_END 1       /* the last picture was shown */
#define FRAMEWELL_NOTIFY_READY 2     /* remote playback started (remote handles only) */
#define FRAMEWELL_NOTIFY_BUFFERING 3 /* remote playback waits for data */
#define FRAMEWELL_NOTIFY_BUFFERED 4  /* remote playback has its data again */

/* The longest connection texts the remote entry points take (bytes, without the terminator), and
 * the highest port. Dialogs that collect them for Framewell limit their fields to these. */
#define FRAMEWELL_ADDRESS_CHARS 39
#define FRAMEWELL_ACCOUNT_CHARS 23 /* a user name or a password */
#define FRAMEWELL_MAX_PORT 65535

/* File types of a search. */
#define FRAMEWELL_FILE_MP4 1
#define FRAMEWELL_FILE_JPEG 2
#define FRAMEWELL_FILE_BMP 3
#define FRAMEWELL_FILE_ASF 4

#pragma pack(push, 1)
typedef struct FramewellTime {
    int year;
    unsigned char month, day, hour, minute, second; /* month 1..12 */
    unsigned char padding[3];
} FramewellTime;
#pragma pack(pop)

/* Once per found file, on a library thread, before the search state turns 1. context is
 * Framewell_StartSearch's. */
typedef void(__stdcall* FramewellSearchCallback)(const char* serverName, int channel, const char* remotePath,
                                                 const FramewellTime* start, const FramewellTime* end,
                                                 unsigned int sizeBytes, void* context);

/* 1, 2: once per program. Framewell_Cleanup closes every handle left (as the Close calls do),
 * searches and downloads included. */
int FRAMEWELL_API Framewell_Init(void);
int FRAMEWELL_API Framewell_Cleanup(void);

/* 3: a player of a local MP4 or ASF recording, paused before its first picture; reserved is 0.
 * 0 for a missing file, one holding no whole picture, or pictures over 4096 a side. */
int FRAMEWELL_API Framewell_OpenFile(const char* path, int reserved);
/* 4: from now on post message (wParam FRAMEWELL_NOTIFY_*, lParam handle) to window. */
int FRAMEWELL_API Framewell_SetNotifyWindow(int handle, HWND window, UINT message);
/* 5: play into window at normal speed (from the start again after the end). */
int FRAMEWELL_API Framewell_Play(int handle, HWND window);
/* 6: stops and closes the handle. */
int FRAMEWELL_API Framewell_Stop(int handle);
/* 7: holds the shown picture; 8, 9: double or halve the speed (between 1/16 and 16 times);
 * 10: pauses and shows the next picture. */
int FRAMEWELL_API Framewell_Pause(int handle);
int FRAMEWELL_API Framewell_Fast(int handle);
int FRAMEWELL_API Framewell_Slow(int handle);
int FRAMEWELL_API Framewell_StepFrame(int handle);
/* 11: seek to a fraction 0..1 of the length. */
int FRAMEWELL_API Framewell_SetPosition(int handle, float position);
/* 13: the recorded picture size. */
int FRAMEWELL_API Framewell_GetPictureSize(int handle, int* width, int* height);
/* 15..17: recordings carry no sound: accepted, nothing is heard. volume 0..65530. */
int FRAMEWELL_API Framewell_SetVolume(int handle, int volume);
int FRAMEWELL_API Framewell_StartSound(int handle);
int FRAMEWELL_API Framewell_StopSound(int handle);
/* 18, 19: length and position in ms (0 for an unknown handle). 20: seek to ms, shows the picture
 * at that time; 0 = failed (unknown handle, beyond the end). */
int FRAMEWELL_API Framewell_GetTotalTime(int handle);
int FRAMEWELL_API Framewell_GetPlayTime(int handle);
int FRAMEWELL_API Framewell_SetPlayTime(int handle, int ms);
/* 22: draws the shown picture again; rect is NULL or four ints. */
int FRAMEWELL_API Framewell_RefreshDisplay(int handle, int* rect);
/* 23: the shown picture (the one at the position before any was shown) as a 24-bit BMP. */
int FRAMEWELL_API Framewell_CapturePicture(int handle, const char* bmpPath);
/* 24: a conversion of an MP4 recording to ASF on a thread of its own: the handle, or 0.
 * 25: percent done; -1 finished, -2 failed (the partial ASF is deleted). 26: stops, joins, closes. */
int FRAMEWELL_API Framewell_StartConvert(const char* mp4Path, const char* asfPath);
int FRAMEWELL_API Framewell_GetConvertProgress(int handle);
int FRAMEWELL_API Framewell_CloseConvert(int handle);
/* 27: from now on every shown picture is copied unchanged into an MP4 clip; 0 = failed.
 * 28: ends the clip: the number of pictures cut (0 when none; the empty clip is deleted). */
int FRAMEWELL_API Framewell_StartCut(int handle, const char* clipPath);
int FRAMEWELL_API Framewell_EndCut(int handle);
/* 29..31: search of a server's recordings. serverName empty or NULL = any; channel -1 = any;
 * fileType FRAMEWELL_FILE_*; selector 1 manual, 2 schedule, 3 motion, 4 alarm, and 0, 255 or any
 * other value all; from and to (FramewellTime pointers) are read only when useRange is not 0.
 * The handle (> 0), or -1. The callback gets context. Framewell_GetSearchState: 0 while hits may
 * come, 1 when the search ended or failed (the hits delivered stay delivered); 1 for an unknown
 * handle. Framewell_CloseSearch waits for the search's thread: no callback after it returns (a
 * callback may close its own search; its thread then ends after the callback). */
int FRAMEWELL_API Framewell_StartSearch(const char* address, const char* serverName, int channel, const char* user,
                                        const char* password, int fileType, int selector, int useRange,
                                        const FramewellTime* from, const FramewellTime* to,
                                        FramewellSearchCallback callback, void* context, int port);
int FRAMEWELL_API Framewell_GetSearchState(int handle);
int FRAMEWELL_API Framewell_CloseSearch(int handle);
/* 32..34: download of a remote file into localPath (created anew); limit in bytes a second, the
 * service paces its pieces (0 = none). The handle, or 0 (unreachable, refused, a path the
 * service does not hand out, localPath cannot be created). Progress: 0..99 while downloading,
 * -1 finished (the file is complete), -2 failed (the partial file is deleted) or unknown handle.
 * Framewell_CloseDownload waits for the thread; a download closed before it finished leaves
 * what arrived. */
int FRAMEWELL_API Framewell_StartDownload(const char* address, const char* user, const char* password,
                                          const char* remotePath, const char* localPath, int port, int limit);
int FRAMEWELL_API Framewell_CloseDownload(int handle);
int FRAMEWELL_API Framewell_GetDownloadProgress(int handle);
/* 35..37: remote play (above). Framewell_SetBufferTime: seconds of pictures to gather before
 * playing (default 10; 0 = none); 0 for a negative value. Framewell_GetBufferProgress: percent
 * while buffering, -1 otherwise (always -1 for a local file). */
int FRAMEWELL_API Framewell_OpenRemoteFile(const char* address, const char* user, const char* password,
                                           const char* remotePath, HWND window, int port);
int FRAMEWELL_API Framewell_SetBufferTime(int handle, int seconds);
int FRAMEWELL_API Framewell_GetBufferProgress(int handle);

#ifdef __cplusplus
}
#endif

#endif
