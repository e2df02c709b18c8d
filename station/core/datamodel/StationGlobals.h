// The station's global data roots, one per data file. The main dialog creates and destroys them
// (the user list and system parameters before log-in, the rest after it) and sets these pointers;
// everything else reaches the data through them. Null while a root does not exist.
#pragma once

class CRecGroup;
class CUserGroup;
class CSysParam;
class CVuskPageGroup;
class CVuskLoopGroup;
class CVuskEMapGroup;
class CVuskAudioBroadcast;

extern CRecGroup* g_pRecGroup;                 // the server tree, "servertree.cfg"
extern CUserGroup* g_pUserGroup;               // the users, "userlist.dat"
extern CSysParam* g_pSysParam;                 // the system parameters, "sysparam.dat"
extern CVuskPageGroup* g_pPageGroup;           // the saved pages, "pageview.cfg"
extern CVuskLoopGroup* g_pLoopGroup;           // the tours, "loopview.cfg"
extern CVuskEMapGroup* g_pEMapGroup;           // the electronic map, "emaptree.cfg"
extern CVuskAudioBroadcast* g_pAudioBroadcast; // the broadcast targets, "broadcast.cfg"
