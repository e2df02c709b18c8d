// The file-service request bridge: turns a remote player's search request from Depotix into a
// search of the station's recordings and hands every hit back through the request's result function.
#pragma once

#include "station/core/storage/DepotixTypes.h"

// The request in progress, which FileServiceQueryCallback hands to each FileServiceQueryHit.
struct FileServiceSearch {
    const FileServiceRequest* request;
    int userValue;
};

// Registered with Depotix_SetEventCallback. Runs the whole search on the calling thread; returns 0.
int CALLBACK FileServiceQueryCallback(FileServiceRequest* request, int userValue);

// The per-hit adapter given to CRecordStore::SearchRecords; user points at the FileServiceSearch.
int FileServiceQueryHit(const char* name, int channel, int start, int end, int size, const char* path, void* user);
