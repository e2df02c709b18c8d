// CCmdTarget's run-time class.
#include "CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
