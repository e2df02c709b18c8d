// The installed links and the null implementations that stand in until the live objects exist.
#include "station/core/datamodel/StationLinks.h"

namespace {

class CNullSessionLinks : public CSessionLinks {
public:
    void DestroySession(CChannelSession*) override {}
    void DestroyAlarmBoxPoller(CAlarmBoxPoller*) override {}
    void SetRecording(CChannelSession*, int, int) override {}
    void SetAudio(CChannelSession*, int) override {}
    void ClearAlarm(CChannelSession*) override {}
    void AttachPane(CChannelSession*, int, int, int) override {}
    CTermCamera* GetSessionCamera(CChannelSession*) override { return nullptr; }
};

class CNullViewLinks : public CViewLinks {
public:
    void RebuildPageTable(int) override {}
    void ShowPage(int, int, int) override {}
    int FindPaneOfCamera(CTermCamera*) override { return -1; }
    int GetCurrentPage() override { return -1; }
    CChannelSession* GetPaneSession(int) override { return nullptr; }
    void ClearPane(int) override {}
};

class CNullMapLinks : public CMapLinks {
public:
    void SetIconAlarm(CEMapIcon*, int) override {}
};

// Installed on the user-interface thread at start, before any other thread exists; null means
// the null implementation.
CSessionLinks* sessionLinks = nullptr;
CViewLinks* viewLinks = nullptr;
CMapLinks* mapLinks = nullptr;

CSessionLinks& NullSessionLinks()
{
    static CNullSessionLinks links;
    return links;
}

CViewLinks& NullViewLinks()
{
    static CNullViewLinks links;
    return links;
}

CMapLinks& NullMapLinks()
{
    static CNullMapLinks links;
    return links;
}

} // namespace

CSessionLinks& SessionLinks()
{
    return sessionLinks ? *sessionLinks : NullSessionLinks();
}

CViewLinks& ViewLinks()
{
    return viewLinks ? *viewLinks : NullViewLinks();
}

CMapLinks& MapLinks()
{
    return mapLinks ? *mapLinks : NullMapLinks();
}

CSessionLinks* SetSessionLinks(CSessionLinks* links)
{
    CSessionLinks* previous = sessionLinks ? sessionLinks : &NullSessionLinks();
    sessionLinks = links;
    return previous;
}

CViewLinks* SetViewLinks(CViewLinks* links)
{
    CViewLinks* previous = viewLinks ? viewLinks : &NullViewLinks();
    viewLinks = links;
    return previous;
}

CMapLinks* SetMapLinks(CMapLinks* links)
{
    CMapLinks* previous = mapLinks ? mapLinks : &NullMapLinks();
    mapLinks = links;
    return previous;
}
