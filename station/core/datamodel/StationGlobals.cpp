// The station's global data roots.
#include "station/core/datamodel/StationGlobals.h"

CRecGroup* g_pRecGroup = nullptr;
CUserGroup* g_pUserGroup = nullptr;
CSysParam* g_pSysParam = nullptr;
CVuskPageGroup* g_pPageGroup = nullptr;
CVuskLoopGroup* g_pLoopGroup = nullptr;
CVuskEMapGroup* g_pEMapGroup = nullptr;
CVuskAudioBroadcast* g_pAudioBroadcast = nullptr;
