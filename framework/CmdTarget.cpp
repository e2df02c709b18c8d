// CCmdTarget's run-time class.
#include "framework/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
