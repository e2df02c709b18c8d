// Rights and refusals of the main window's commands, and the server tree menus' states.
#include "station/ui/mainwindow/MainRights.h"

#include "resources/warden/resource.h"

const MenuRight kLoginMenuRights[7] = {
    {ID_SERVER_ASSIGN, 1}, {ID_REMOTE_SETTINGS, 2}, {ID_VIDEO_FILES, 3}, {ID_EMAP, 5},
    {ID_EDIT_EMAP, 5},     {ID_TOUR_SETTINGS, 6},   {ID_TOUR, 6},
};

void LoginMenuStates(int (*hasRight)(int), UINT flags[7])
{
    for (int i = 0; i < 7; ++i)
        flags[i] = hasRight(kLoginMenuRights[i].right) ? MF_ENABLED : MF_GRAYED;
}

UINT ServerAssignRefusal(int hasRight, int touring, int emapShown)
{
    if (!hasRight)
        return IDS_NO_PERMISSION;
    if (touring)
        return IDS_CLOSE_TOUR_FIRST;
    if (emapShown)
        return IDS_CLOSE_EMAP_FIRST;
    return 0;
}

UINT TourStartRefusal(int tourPageCount)
{
    if (tourPageCount < 1)
        return IDS_NO_TOUR;
    if (tourPageCount == 1)
        return IDS_TOUR_TOO_SHORT;
    return 0;
}

UINT TourSettingsRefusal(int hasRight, int touring)
{
    if (!hasRight)
        return IDS_NO_PERMISSION;
    return touring ? IDS_CLOSE_TOUR_BEFORE_SETTINGS : 0;
}

UINT TreeMenuResource(int kind)
{
    switch (kind) {
    case TREE_ROOT:
        return IDR_ROOT_MENU;
    case TREE_GROUP:
        return IDR_GROUP_MENU;
    case TREE_SERVER:
        return IDR_SERVER_MENU;
    case TREE_CAMERA:
        return IDR_CAMERA_MENU;
    }
    return 0;
}

namespace {

class StateList {
public:
    StateList(MenuItemState* items, int max) : items_(items), max_(max) {}
    void Set(UINT id) { Add(id, MF_ENABLED); }
    void By(UINT id, int granted) { Add(id, granted ? MF_ENABLED : MF_GRAYED); }
    int Count() const { return count_; }

private:
    void Add(UINT id, UINT flags)
    {
        if (count_ < max_)
            items_[count_++] = {id, flags};
    }
    MenuItemState* items_;
    int max_;
    int count_ = 0;
};

void ConnectedCameraStates(const TreeMenuInput& c, StateList& list)
{
    if (c.attached)
        list.Set(c.previewWanted ? ID_CAMERA_HIDE_PREVIEW : ID_CAMERA_SHOW_PREVIEW);
    list.Set(c.armed ? ID_CAMERA_DISARM : ID_CAMERA_ARM);
    if (c.rights[9])
        list.Set(c.recording ? ID_CAMERA_STOP_RECORD : ID_CAMERA_START_RECORD);
    if (c.rights[10]) {
        list.By(ID_CAMERA_START_SERVER_RECORD, !c.serverRecording);
        list.By(ID_CAMERA_STOP_SERVER_RECORD, c.serverRecording);
    }
    list.By(ID_CAMERA_CAPTURE_BMP, c.rights[8]);
    list.By(ID_CAMERA_SERVER_JPEG, c.rights[8]);
    if (c.rights[8]) {
        if (c.jpegStream) {
            list.Set(ID_CAMERA_CAPTURE_JPEG);
            list.Set(ID_CAMERA_STOP_JPEG_STREAM);
        } else {
            list.Set(ID_CAMERA_START_JPEG_STREAM);
        }
    }
}

int CameraStates(const TreeMenuInput* c, StateList& list)
{
    if (!c->hasSession)
        return -1;
    if (c->attached)
        list.Set(ID_CAMERA_REMOVE_PANE);
    if (c->state == 3) {
        list.Set(ID_CAMERA_CONNECT);
    } else {
        list.Set(ID_CAMERA_DISCONNECT);
        if (c->state == 1)
            ConnectedCameraStates(*c, list);
    }
    list.By(ID_CAMERA_SETTINGS, c->rights[11]);
    return list.Count();
}

} // namespace

int TreeMenuStates(const TreeMenuInput& input, MenuItemState* items, int max)
{
    StateList list(items, max);
    const int kind = input.kind;
    switch (kind) {
    case TREE_ROOT:
    case TREE_GROUP: {
        // Without a server below, the items keep their greyed resource state.
        if (!input.hasServers)
            return 0;
        int record = input.rights[9];
        list.Set(kind == TREE_ROOT ? ID_ROOT_CONNECT_ALL : ID_GROUP_CONNECT);
        list.Set(kind == TREE_ROOT ? ID_ROOT_DISCONNECT_ALL : ID_GROUP_DISCONNECT);
        list.By(kind == TREE_ROOT ? ID_ROOT_START_RECORD : ID_GROUP_START_RECORD, record);
        list.By(kind == TREE_ROOT ? ID_ROOT_STOP_RECORD : ID_GROUP_STOP_RECORD, record);
        return list.Count();
    }
    case TREE_SERVER: {
        int record = input.rights[9];
        int remote = input.rights[2];
        list.By(ID_SERVER_START_RECORD, record);
        list.By(ID_SERVER_STOP_RECORD, record);
        list.By(ID_SERVER_REMOTE_SETTINGS, remote);
        return list.Count();
    }
    case TREE_CAMERA:
        return CameraStates(&input, list);
    }
    return -1;
}
