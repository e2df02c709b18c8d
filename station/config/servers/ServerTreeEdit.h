// Edits of a server tree by object rather than by name: a loaded file may hold two groups (or
// servers) of one name, and the one the operator selected is the one to go.
#pragma once

class CRecGroup;
class CTermData;
class CTermServer;

// Removes the group from its parent's child groups (or the projects) and destroys it with
// everything below it; FALSE when it is not there.
bool RemoveGroupObject(CRecGroup& root, CTermData* group);
// Removes the server from its group's servers and destroys it with its cameras.
bool RemoveServerObject(CTermServer* server);
