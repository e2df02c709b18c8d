// Walking the cameras of a server tree, as apply-to-all, the tour's channel list and the camera
// picker do: every top-level group, depth first through child groups (before the group's own
// servers), every server of each group, every camera of each server.
#pragma once

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

template <class F> void ForEachCamera(const CRecGroup* root, F f)
{
    if (root == nullptr)
        return;
    for (POSITION pos = root->m_projects.GetHeadPosition(); pos;) {
        root->m_projects.GetNext(pos)->ForEachServer([&](CTermServer* server) {
            for (POSITION c = server->m_cameras.GetHeadPosition(); c;)
                f(server->m_cameras.GetNext(c));
        });
    }
}
