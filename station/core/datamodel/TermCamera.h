// CTermCamera: one channel of a video server with its per-camera settings of recording,
// snapshots, alarm linkage, alarm sounds, camera links, PTZ and matrix. The fields are in the
// order of "servertree.cfg"; the configuration dialogs edit them in place.
#pragma once

#include <afxtempl.h>

#include "station/core/datamodel/CameraLink.h"
#include "station/core/datamodel/ScheduleEntry.h"

class CChannelSession;
class CTermServer;
class CVuskEMapDev;

// A timed-recording window of the camera, stored as five 32-bit values in this order; matched
// with the rule of ScheduleEntry.
struct RecordScheduleEntry {
    int days;
    int startHour;
    int startMinute;
    int endHour;
    int endMinute;
};
static_assert(sizeof(RecordScheduleEntry) == 20, "five 32-bit values");

// What an input of the server's alarm box makes this camera do.
struct ExternalInputAction {
    int snapshot;
    int record;
};
static_assert(sizeof(ExternalInputAction) == 8, "two 32-bit flags");

// One step of the PTZ preset cycle: call the preset (-1 none), then wait.
struct PresetTourEntry {
    int preset;
    int dwellSeconds;
};

struct MatrixChannelName {
    int number;
    CString name;
};

// The camera-link lists: alarm inputs 1 to 4, then motion and video loss.
enum { linkMotion = 4, linkVideoLoss = 5, cameraLinkLists = 6 };

class CTermCamera : public CObject {
    DECLARE_SERIAL(CTermCamera)
public:
    CTermCamera();
    // Disconnects and destroys the channel session, if any.
    ~CTermCamera() override;

    void Serialize(CArchive& ar) override;

    // Group names from the project down, the server name and the camera name, joined by "->".
    CString GetDisplayPath() const;
    // The same joined by ":".
    CString GetTreePath() const;
    // Binds the six link lists: a link whose server or camera no longer exists is removed; one
    // whose camera has no channel session stays stored but unbound.
    void ResolveLinks();

    // Disconnects and destroys the session and clears the pointer.
    void DestroySession();
    BOOL IsRecordScheduled(int hour, int minute, int weekday) const;

    CString m_name;
    int m_reserved;
    int m_channel;        // counted from 0; the key of CTermServer::FindCamera
    int m_transport;      // 1 UDP, 2 multicast, 3 TCP
    int m_playSmoothness; // 0, 5, 10, 20, 50 or 100
    int m_forwardSmoothness;
    int m_decodeQuality; // 0 default, 1 higher, 2 highest
    int m_alarmDelaySeconds;
    RecordScheduleEntry m_recordSchedule[7];
    int m_sensorRecord[4];
    int m_motionRecord;
    int m_sensorSnapshot[4];
    int m_motionSnapshot;
    int m_disabled; // skipped by the per-second session tick; gets no session
    ExternalInputAction m_externalInputs[16];
    int m_motionAlarmMode; // 0 alarm on motion, 1 alarm on no motion for m_noMotionSeconds
    int m_noMotionSeconds;
    int m_sensorMatchesChannel;
    int m_videoSwitchMode; // 0 to 3
    int m_timedSnapshot;
    int m_timedSnapshotSeconds;
    int m_previewOnConnect;
    CString m_description;
    CArray<PresetTourEntry> m_presetTour;
    int m_sensorOutputs[4][8]; // alarm input 1..4, alarm output 1..8
    int m_motionOutputs[8];
    int m_lossOutputs[8];
    int m_keyboardNumber;
    ScheduleEntry m_sensorSound[4][7];
    ScheduleEntry m_motionSound[7];
    ScheduleEntry m_lossSound[7];
    CArray<CameraLink> m_links[cameraLinkLists];
    int m_linkRecordEnabled;
    int m_talkAlarmOutput; // 0 to 3 output 1 to 4, 4 none
    int m_talkResetSeconds;
    CString m_matrixControlFile;
    int m_matrixMonitor;
    int m_matrixNetwork;
    int m_matrixValue;
    CArray<MatrixChannelName> m_matrixChannelNames;

    // Not stored.
    CChannelSession* m_pSession;     // owned
    CVuskEMapDev* m_pEMapDev;        // the camera's map icon
    CVuskEMapDev* m_pEMapInputs[4];  // the server's alarm-input icons
    CVuskEMapDev* m_pEMapOutputs[4]; // the server's alarm-output icons
    CTermServer* m_pServer;          // set after loading
};
