// A user record: name, password and 13 rights.
#include "station/core/datamodel/UserData.h"

#include "station/core/datamodel/StationArchive.h"

IMPLEMENT_SERIAL(CUserData, CObject, 0)

CUserData::CUserData()
{
    memset(m_rights, 0, sizeof(m_rights));
}

void CUserData::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_name, m_password);
    SerializeArray(ar, m_rights);
}
