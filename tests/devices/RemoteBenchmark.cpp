// Downloads through Depotix and Framewell on loopback: the unpaced throughput against a plain
// file copy of the same bytes in the same run, and the rate a 200 KB/s limit gives against it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "devices/depotix/Depotix.h"
#include "devices/framewell/FramewellApi.h"
#include "tests/support/BenchmarkReport.h"
#include "tests/support/TestSupport.h"

namespace {

std::string g_path;

int CALLBACK OneFile(DepotixRequest* request, int userValue)
{
    DepotixDateTime t = {2026, 12, 7, 10, 0, 0, {0, 0, 0}};
    request->resultCallback("Bench", 0, g_path.c_str(), &t, &t, 0, userValue);
    return 0;
}

void WriteFileOfSize(const std::string& path, size_t size)
{
    std::string block(1 << 16, '\0');
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = char(i * 31 + (i >> 8));
    FILE* f = std::fopen(path.c_str(), "wb");
    for (size_t done = 0; done < size; done += block.size())
        std::fwrite(block.data(), 1, block.size() < size - done ? block.size() : size - done, f);
    std::fclose(f);
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

// Seconds a download of g_path takes, or -1 when it failed.
double Download(int port, const std::string& target, int limit)
{
    const FramewellApi& api = GetFramewellApi();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    int h = api.StartDownload("127.0.0.1", "u", "p", g_path.c_str(), target.c_str(), port, limit);
    if (h <= 0)
        return -1;
    int p;
    while ((p = api.GetDownloadProgress(h)) >= 0)
        Sleep(1);
    QueryPerformanceCounter(&end);
    api.CloseDownload(h);
    return p == -1 ? Seconds(start, end) : -1;
}

} // namespace

int main()
{
    TempDir dir;
    const size_t big = 32u << 20, small = 1u << 20;
    g_path = dir.File("big.mp4");
    WriteFileOfSize(g_path, big);
    GetFramewellApi().Init();
    Depotix_Init();
    Depotix_SetEventCallback(OneFile);
    int port = Depotix_Start(0, 0);
    if (port <= 0) {
        std::printf("Depotix does not listen\n");
        return 1;
    }

    LARGE_INTEGER a, b;
    QueryPerformanceCounter(&a);
    CopyFileA(g_path.c_str(), dir.File("copy.bin").c_str(), FALSE);
    QueryPerformanceCounter(&b);
    double copy = Seconds(a, b);
    double download = Download(port, dir.File("got.bin"), 0);
    PrintFigure("download 32 MB unpaced, MB/s (vs file copy)", 32 / download, 32 / copy, "MB/s",
                "ratio as high as loopback allows; above 20 MB/s");

    g_path = dir.File("small.mp4");
    WriteFileOfSize(g_path, small);
    double limited = Download(port, dir.File("limited.bin"), 200 * 1024);
    PrintFigure("download 1 MB at a 200 KB/s limit, KB/s (vs the limit)", double(small) / 1024 / limited, 200, "KB/s",
                "ratio 0.8 to 1.2");

    Depotix_Stop();
    Depotix_Cleanup();
    GetFramewellApi().Cleanup();
    return 0;
}
