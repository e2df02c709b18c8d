// The current user and the rights check.
#include "station/core/datamodel/LoggedInUser.h"

void LoggedInUser::SetFrom(const CUserData& user)
{
    name = user.m_name;
    password = user.m_password;
    for (int i = 0; i < rightCount; ++i)
        rights[i] = user.m_rights[i];
}

void LoggedInUser::Clear()
{
    name.Empty();
    password.Empty();
    for (int& right : rights)
        right = 0;
}

LoggedInUser& CurrentUser()
{
    static LoggedInUser user = {CString(), CString(), {0}};
    return user;
}

int HasRight(int index)
{
    if (index < 1 || index >= rightCount)
        return 0;
    return CurrentUser().rights[index];
}
