// The session texts come from the resource module, so that the English resource library replaces them.
#include "station/core/sessions/SessionStrings.h"

CString SessionString(SessionStringId id)
{
    CString text;
    text.LoadString(id);
    return text;
}
