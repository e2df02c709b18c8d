// Saves and loads a server tree of 1,000 servers with 16 cameras each and compares the times with
// a plain write and read of the same number of bytes in 4096-byte blocks, measured in the same run:
// the write is flushed to the disk like the save, the read lands in fresh memory like the loaded
// objects. Prints the best of several rounds.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

const int kServers = 1000;
const int kCameras = 16;
const int kRounds = 7;

void BuildTree(CRecGroup& tree)
{
    for (int p = 0; p < 10; ++p) {
        CString name;
        name.Format("工程%d", p + 1);
        CTermData* project = tree.AddGroup(nullptr, name);
        for (int s = 0; s < kServers / 10; ++s) {
            CTermServer* server = new CTermServer;
            server->m_id = tree.m_nextServerId++;
            server->m_name.Format("服务器%04d", server->m_id);
            server->m_address.Format("10.%d.%d.%d", p, s / 250, s % 250);
            server->m_user = "admin";
            server->m_password = "123456";
            server->m_port = 8000;
            server->m_channelCount = kCameras;
            server->m_pParent = project;
            project->m_servers.AddTail(server);
            for (int c = 0; c < kCameras; ++c) {
                CTermCamera* camera = new CTermCamera;
                camera->m_channel = c;
                camera->m_name.Format("摄像机%d", c + 1);
                camera->m_pServer = server;
                server->m_cameras.AddTail(camera);
            }
        }
    }
}

double PlainWrite(const char* path, const char* data, size_t size)
{
    double start = NowMs();
    CFile file(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone);
    for (size_t at = 0; at < size; at += 4096)
        file.Write(data + at, (UINT)std::min<size_t>(4096, size - at));
    file.Flush();
    file.Close();
    return NowMs() - start;
}

// The whole file in 4096-byte blocks into memory at data, or into new memory of its own when data is
// null (as loading puts what it reads into new objects). Returns the bytes read.
double PlainRead(const char* path, char* data, size_t& size)
{
    double start = NowMs();
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    size = (size_t)file.GetLength();
    char* fresh = data ? nullptr : static_cast<char*>(malloc(size));
    char* to = data ? data : fresh;
    size_t at = 0;
    UINT n;
    while (at < size && (n = file.Read(to + at, (UINT)std::min<size_t>(4096, size - at))) > 0)
        at += n;
    file.Close();
    double elapsed = NowMs() - start;
    free(fresh);
    size = at;
    return elapsed;
}

} // namespace

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    CString dir;
    dir.Format("%swarden_datamodel_bench_%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(dir, nullptr);
    SetStartDirectory(dir);
    CString treePath = dir + "\\servertree.cfg";
    CString plainPath = dir + "\\plain.bin";

    CRecGroup* tree = new CRecGroup;
    BuildTree(*tree);

    double save = 1e9, load = 1e9, write = 1e9, read = 1e9, readFresh = 1e9;
    std::vector<char> buffer(32 << 20);
    size_t size = 0;
    size_t cameras = 0;
    for (int round = 0; round < kRounds; ++round) {
        double start = NowMs();
        tree->Save();
        save = std::min(save, NowMs() - start);

        start = NowMs();
        CRecGroup* loaded = new CRecGroup;
        load = std::min(load, NowMs() - start);
        cameras = 0;
        for (POSITION p = loaded->m_projects.GetHeadPosition(); p;) {
            CTermData* project = loaded->m_projects.GetNext(p);
            for (POSITION s = project->m_servers.GetHeadPosition(); s;)
                cameras += project->m_servers.GetNext(s)->m_cameras.GetCount();
        }
        delete loaded;

        read = std::min(read, PlainRead(treePath, buffer.data(), size));
        readFresh = std::min(readFresh, PlainRead(treePath, nullptr, size));
        write = std::min(write, PlainWrite(plainPath, buffer.data(), size));
    }
    delete tree;

    printf("server tree: %d servers, %u cameras loaded, %u bytes\n", kServers, (unsigned)cameras, (unsigned)size);
    PrintFigure("server tree save vs plain write", save, write, "ms", "well under 1 s in all");
    PrintFigure("server tree load vs plain read into new memory", load, readFresh, "ms", "well under 1 s in all");
    PrintFigure("server tree load vs plain read into a warm buffer", load, read, "ms", "well under 1 s in all");

    DeleteFileA(treePath);
    DeleteFileA(plainPath);
    RemoveDirectoryA(dir);
    return cameras == (size_t)kServers * kCameras ? 0 : 1;
}
