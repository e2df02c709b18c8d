// CameraLink: a stored reference to another camera, (server identifier, channel), bound to the
// camera record after loading.
#pragma once

class CTermCamera;

struct CameraLink {
    int serverId;
    int channel;
    CTermCamera* camera; // not stored; null while the camera has no channel session
};
