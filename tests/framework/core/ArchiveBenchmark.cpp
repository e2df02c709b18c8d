// Writes and reads an archive of 16,000 small objects and compares each with a plain buffered
// write and read of the same bytes in the same run. Prints the times and their ratios.
#include <afxcoll.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

class CBenchItem : public CObject {
    DECLARE_SERIAL(CBenchItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << id << name << port;
        else
            ar >> id >> name >> port;
    }
    int id = 0;
    CString name;
    WORD port = 0;
};
IMPLEMENT_SERIAL(CBenchItem, CObject, 0)

namespace {

const int kObjects = 16000;
const int kRounds = 15;

void DeleteAll(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

double ArchiveWrite(const char* path, CObList& items)
{
    double start = NowMs();
    CFile file(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone);
    CArchive ar(&file, CArchive::store);
    items.Serialize(ar);
    ar.Close();
    file.Close();
    return NowMs() - start;
}

double ArchiveRead(const char* path)
{
    CObList loaded;
    double start = NowMs();
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    ar.Close();
    file.Close();
    double elapsed = NowMs() - start;
    DeleteAll(loaded);
    return elapsed;
}

double PlainWrite(const char* path, const std::vector<BYTE>& bytes)
{
    double start = NowMs();
    CFile file(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyNone);
    for (size_t at = 0; at < bytes.size(); at += 4096)
        file.Write(bytes.data() + at, (UINT)std::min<size_t>(4096, bytes.size() - at));
    file.Close();
    return NowMs() - start;
}

double PlainRead(const char* path, std::vector<BYTE>& into)
{
    double start = NowMs();
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    into.resize((size_t)file.GetLength());
    size_t at = 0;
    for (UINT got; (got = file.Read(into.data() + at, 4096)) > 0;)
        at += got;
    file.Close();
    return NowMs() - start;
}

// Creating and deleting the objects alone, which a load cannot avoid; under Wine the heap makes
// this the largest part of reading.
double CreateObjects()
{
    std::vector<CObject*> made(kObjects);
    double start = NowMs();
    for (CObject*& ob : made)
        ob = RUNTIME_CLASS(CBenchItem)->CreateObject();
    double elapsed = NowMs() - start;
    for (CObject* ob : made)
        delete ob;
    return elapsed;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main()
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    std::string archivePath = std::string(dir) + "warden-archive-bench.dat";
    std::string plainPath = std::string(dir) + "warden-plain-bench.dat";

    CObList items;
    for (int i = 0; i < kObjects; ++i) {
        CBenchItem* item = new CBenchItem;
        item->id = i;
        item->name.Format("摄像机%d", i + 1);
        item->port = (WORD)(8000 + i % 16);
        items.AddTail(item);
    }
    ArchiveWrite(archivePath.c_str(), items);
    std::vector<BYTE> image;
    PlainRead(archivePath.c_str(), image);

    std::vector<double> aw, ar, pw, pr, create;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<BYTE> scratch;
        aw.push_back(ArchiveWrite(archivePath.c_str(), items));
        pw.push_back(PlainWrite(plainPath.c_str(), image));
        ar.push_back(ArchiveRead(archivePath.c_str()));
        pr.push_back(PlainRead(plainPath.c_str(), scratch));
        create.push_back(CreateObjects());
    }
    DeleteAll(items);
    DeleteFileA(archivePath.c_str());
    DeleteFileA(plainPath.c_str());

    printf("archive of %d objects, %u bytes (median of %d rounds)\n", kObjects, (unsigned)image.size(), kRounds);
    PrintFigure("archive write vs plain write", Median(aw), Median(pw), "ms", "a small multiple");
    PrintFigure("archive read vs plain read", Median(ar), Median(pr), "ms", "a small multiple");
    PrintFigure("archive read less object creation vs plain read", Median(ar) - Median(create), Median(pr), "ms",
                "a small multiple");
    return 0;
}
