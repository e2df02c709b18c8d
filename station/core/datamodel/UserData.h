// CUserData: one operator of the station with a name, a password and 13 right flags.
#pragma once

#include <afx.h>

// The right flags, in the order of the file and of the station's rights table.
enum {
    rightAdministrator = 0,
    rightServerAssign = 1,
    rightServerSettings = 2,
    rightDataQuery = 3,
    rightServerStatus = 4,
    rightElectronicMap = 5,
    rightTours = 6,
    rightPtzControl = 7,
    rightSnapshot = 8,
    rightLocalRecord = 9,
    rightServerRecord = 10,
    rightCameraSettings = 11,
    rightAssignPanes = 12,
    rightCount = 13
};

class CUserData : public CObject {
    DECLARE_SERIAL(CUserData)
public:
    CUserData();

    void Serialize(CArchive& ar) override;

    CString m_name;
    CString m_password;       // plain text inside the enciphered file
    int m_rights[rightCount]; // 1 = granted
};
