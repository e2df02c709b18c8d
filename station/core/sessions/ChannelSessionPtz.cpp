// The channel session's controls: PTZ through the server or through a Portwick protocol object,
// the camera's PTZ device address, the preset cycle, the server's relays, the stream's sound and
// the camera-select inputs of a multi-input encoder.
#include "station/core/sessions/ChannelSession.h"

#include "devices/conduit/Conduit.h"
#include "devices/portwick/Portwick.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"

#include <stdio.h>

namespace {

const int kGoToPreset = 10;
const int kMatrixCodeFirst = 35;
const int kMatrixCodeSecond = 36;
const int kChannelParamsSize = 16;
const int kDeviceAddressByte = 12;

} // namespace

void CChannelSession::ReadDelay(LPCSTR text, int& delay)
{
    // Searched character by character: a trail byte of code page 936 may look like a letter.
    CString description(text);
    int at = description.Find("delay");
    if (at <= 0)
        return;
    int value = 0;
    if (sscanf(description.Mid(at + 5), "%d", &value) == 1)
        delay = value;
}

void CChannelSession::OpenPtzProtocol()
{
    if (m_pCamera == nullptr || m_pCamera->m_matrixControlFile.IsEmpty())
        return;
    m_ptzProtocol = Portwick_OpenPtzProtocol(m_pCamera->m_matrixControlFile);
    if (m_ptzProtocol == 0)
        return;
    char description[PORTWICK_TEXT_SIZE] = {};
    Portwick_GetProtocolDescription(m_ptzProtocol, description);
    description[sizeof(description) - 1] = '\0';
    ReadDelay(description, m_protocolDelay);
}

int CChannelSession::SetPtzProtocol(LPCSTR name)
{
    if (m_pCamera == nullptr)
        return 0;
    if (name == nullptr || name[0] == '\0') {
        // No protocol: PTZ goes natively through the server again.
        if (m_ptzProtocol != 0)
            Portwick_ClosePtzProtocol(m_ptzProtocol);
        m_ptzProtocol = 0;
        m_protocolDelay = 0;
        m_pCamera->m_matrixControlFile.Empty();
        return 1;
    }
    if (m_ptzProtocol != 0) {
        if (Portwick_ChangePtzProtocol(m_ptzProtocol, name) != 0)
            return 0;
    } else {
        m_ptzProtocol = Portwick_OpenPtzProtocol(name);
        if (m_ptzProtocol == 0)
            return 0;
    }
    char description[PORTWICK_TEXT_SIZE] = {};
    Portwick_GetProtocolDescription(m_ptzProtocol, description);
    description[sizeof(description) - 1] = '\0';
    ReadDelay(description, m_protocolDelay);
    m_pCamera->m_matrixControlFile = name;
    return 1;
}

int CChannelSession::PtzControl(int code, int value, int speed)
{
    if (!IsConnected())
        return m_liveHandle;
    if (m_ptzProtocol == 0)
        return Conduit_PtzControl(m_liveHandle, code, value);
    if (code == kMatrixCodeFirst || code == kMatrixCodeSecond)
        value = m_pCamera->m_matrixNetwork;
    if (speed == -1)
        speed = m_pCamera->m_matrixValue;
    unsigned char command[PORTWICK_COMMAND_SIZE];
    int count = Portwick_BuildPtzCommand(m_ptzProtocol, code, command, m_pCamera->m_matrixMonitor, speed, value);
    if (count <= 0)
        return count;
    if (count > PORTWICK_COMMAND_SIZE)
        count = PORTWICK_COMMAND_SIZE;
    return Conduit_SendSerialData(m_liveHandle, 0, command, count);
}

BOOL CChannelSession::ReadChannelParams(ServerLogin& login, unsigned char (&block)[16])
{
    return IsConnected() && GetReportedAddress(login) &&
           Conduit_GetChannelParams(login.name, login.address, m_pCamera->m_channel, login.user, login.password, block,
                                    login.port);
}

int CChannelSession::GetDeviceAddress()
{
    ServerLogin login;
    unsigned char block[kChannelParamsSize] = {};
    if (!ReadChannelParams(login, block))
        return -1;
    return block[kDeviceAddressByte];
}

int CChannelSession::SetDeviceAddress(int address)
{
    ServerLogin login;
    unsigned char block[kChannelParamsSize] = {};
    if (!ReadChannelParams(login, block))
        return -1;
    block[kDeviceAddressByte] = (unsigned char)address;
    return Conduit_SetChannelParams(login.name, login.address, m_pCamera->m_channel, login.user, login.password, block,
                                    login.port);
}

BOOL CChannelSession::QueryPtzDescription(const ServerLogin& login, int channel, char (&text)[kPtzDescriptionSize])
{
    if (!Conduit_GetPtzDescription(login.name, login.address, channel, login.user, login.password, text, login.port))
        return FALSE;
    text[kPtzDescriptionSize - 1] = '\0';
    return TRUE;
}

BOOL CChannelSession::QueryRelayStates(const ServerLogin& login, BYTE (&states)[4])
{
    return Conduit_GetAlarmOutputs(login.name, login.address, login.user, login.password, states, login.port);
}

void CChannelSession::ApplyPtzDescription(LPCSTR text)
{
    ReadDelay(text, m_ptzDelay);
}

void CChannelSession::ApplyRelayStates(const BYTE (&states)[4])
{
    for (int i = 0; i < 4; ++i) {
        m_relayStates[i] = states[i];
        if (m_pCamera->m_pEMapOutputs[i])
            m_pCamera->m_pEMapOutputs[i]->SetAlarm(states[i]);
    }
}

void CChannelSession::ReadPtzDescription()
{
    ServerLogin login;
    char text[kPtzDescriptionSize] = {};
    if (GetReportedAddress(login) && QueryPtzDescription(login, m_pCamera->m_channel, text))
        ApplyPtzDescription(text);
}

void CChannelSession::ReadRelayStates()
{
    ServerLogin login;
    BYTE states[4] = {};
    if (GetReportedAddress(login) && QueryRelayStates(login, states))
        ApplyRelayStates(states);
}

int CChannelSession::SetRelay(int output, int on)
{
    // The states follow device event 5, which the server sends after the change.
    if (!IsConnected())
        return m_liveHandle;
    return Conduit_SetAlarmOutput(m_liveHandle, output, on);
}

void CChannelSession::SetAudio(int on)
{
    if (m_pPane == nullptr || on == m_audioWanted)
        return;
    int info[5] = {};
    if (Conduit_GetStreamInfo(m_liveHandle, info) && info[2] != 0) {
        if (on && m_previewOn && Conduit_StartSound(m_liveHandle)) {
            m_audioState = 2;
            m_audioWanted = 1;
        } else {
            Conduit_StopSound(m_liveHandle);
            m_audioState = 1;
            m_audioWanted = 0;
        }
    } else {
        m_audioState = 0;
    }
    m_pPane->SetAudioIcon(m_audioState);
}

void CChannelSession::SelectCamera(int input)
{
    if (IsOpen())
        Conduit_SelectCamera(m_liveHandle, input);
}

void CChannelSession::StepPresetCycle(int advance, int restart)
{
    if (m_pCamera == nullptr || !advance) {
        SetPresetCycleTimer(0, 0);
        return;
    }
    if (restart)
        m_presetIndex = 0;
    const CArray<PresetTourEntry>& cycle = m_pCamera->m_presetTour;
    if (cycle.GetSize() == 0) {
        SetPresetCycleTimer(0, 0);
        return;
    }
    if (m_presetIndex < 0 || m_presetIndex >= cycle.GetSize())
        m_presetIndex = 0;
    PresetTourEntry entry = cycle[m_presetIndex];
    if (entry.preset != -1)
        PtzControl(kGoToPreset, entry.preset, -1);
    ++m_presetIndex;
    SetPresetCycleTimer(1, entry.dwellSeconds);
}

void CChannelSession::SetPresetCycleTimer(int on, int seconds)
{
    if (on) {
        m_presetCycleCountdown.Arm(seconds);
        m_presetCycleRunning = 1;
    } else {
        m_presetCycleCountdown.Clear();
        m_presetCycleRunning = 0;
    }
}
