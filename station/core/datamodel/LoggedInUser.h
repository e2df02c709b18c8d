// The station's current user: name, password and the 13 right flags, filled at log-in from the
// user record and read by every rights check. The user records are not consulted afterwards.
#pragma once

#include <afx.h>

#include "station/core/datamodel/UserData.h"

struct LoggedInUser {
    CString name;
    CString password;
    int rights[rightCount]; // nonzero = granted

    // Takes the user's name, password and rights (what a successful log-in does).
    void SetFrom(const CUserData& user);
    // No user: empty texts, no rights.
    void Clear();
};

// The one current user of the station (empty before the log-in).
LoggedInUser& CurrentUser();

// The current user's flag for rights 1 to 12; 0 for any other index, so the administrator flag 0
// is never reported here.
int HasRight(int index);
