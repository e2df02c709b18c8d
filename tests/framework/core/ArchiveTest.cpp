// The archive stream: golden bytes of the station's files, texts, counts, the numbering of classes
// and objects, and every way a load can fail (with nothing leaked).
#include <afxtempl.h>
#include <gtest/gtest.h>

#include "tests/framework/core/FrameworkTestHelpers.h"
#include "tests/support/TestSupport.h"

namespace {

int liveObjects = 0;

template <class List> void DeleteAll(List& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

} // namespace

// Stand-in with the class name and record of the station's group, so the stream's bytes are
// those of "servertree.cfg".
class CTermData : public CObject {
    DECLARE_SERIAL(CTermData)
public:
    CTermData() { ++liveObjects; }
    explicit CTermData(const char* n) : CTermData() { name = n; }
    ~CTermData() override
    {
        DeleteAll(childGroups);
        DeleteAll(servers);
        --liveObjects;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << name;
        else
            ar >> name;
        childGroups.Serialize(ar);
        servers.Serialize(ar);
    }

    CString name;
    CObList childGroups;
    CObList servers;
};
IMPLEMENT_SERIAL(CTermData, CObject, 0)

class CTestLeaf : public CObject {
    DECLARE_SERIAL(CTestLeaf)
public:
    CTestLeaf() { ++liveObjects; }
    ~CTestLeaf() override { --liveObjects; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    DWORD value = 0;
};
IMPLEMENT_SERIAL(CTestLeaf, CObject, 0)

namespace {

const DWORD kTreeMagic = 0xCCBBAA12;
const DWORD kTreeVersion = 0x05092901;

// The server-tree root's own fields, then its project list.
void StoreTreeRoot(CArchive& ar, const char* caption, int nextServerId, CObList& projects)
{
    ar << kTreeMagic << kTreeVersion << CString(caption) << nextServerId;
    projects.Serialize(ar);
}

class ArchiveTest : public testing::Test {
protected:
    void SetUp() override { liveObjects = 0; }
    std::string Path(const char* name = "stream.dat") { return dir.File(name); }

    TempDir dir;
};

TEST_F(ArchiveTest, FreshTreeRootIsFifteenBytes)
{
    CObList projects;
    StoreArchive(Path(), [&](CArchive& ar) { StoreTreeRoot(ar, "", 0, projects); });
    Bytes expected = {0x12, 0xAA, 0xBB, 0xCC, 0x01, 0x29, 0x09, 0x05, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(ReadFileBytes(Path()), expected);
}

TEST_F(ArchiveTest, OneProjectIsThirtySixBytes)
{
    CObList projects;
    projects.AddTail(new CTermData("P"));
    StoreArchive(Path(), [&](CArchive& ar) { StoreTreeRoot(ar, "", 0, projects); });
    DeleteAll(projects);

    ByteBuilder expected;
    expected.D(0xCCBBAA12).D(0x05092901).B(0).D(0).W(1).ClassTag("CTermData").Text("P").W(0).W(0);
    ASSERT_EQ(expected.Size(), 36u);
    EXPECT_EQ(ReadFileBytes(Path()), expected.Get());
}

TEST_F(ArchiveTest, ClassNameIsWrittenOnceThenItsNumber)
{
    CObList projects;
    for (const char* name : {"A", "B", "C"})
        projects.AddTail(new CTermData(name));
    StoreArchive(Path(), [&](CArchive& ar) { projects.Serialize(ar); });
    DeleteAll(projects);

    ByteBuilder expected;
    expected.W(3).ClassTag("CTermData").Text("A").W(0).W(0);
    expected.W(0x8001).Text("B").W(0).W(0);
    expected.W(0x8001).Text("C").W(0).W(0);
    EXPECT_EQ(ReadFileBytes(Path()), expected.Get());
}

TEST_F(ArchiveTest, NestedTreeRoundTrips)
{
    CObList projects;
    CTermData* project = new CTermData("工程");
    CTermData* group = new CTermData("分组");
    group->childGroups.AddTail(new CTermData("inner"));
    project->childGroups.AddTail(group);
    project->servers.AddTail(new CTestLeaf);
    projects.AddTail(project);
    projects.AddTail(new CTermData("second"));
    StoreArchive(Path(), [&](CArchive& ar) { StoreTreeRoot(ar, "项目", 7, projects); });
    DeleteAll(projects);
    ASSERT_EQ(liveObjects, 0);

    CFile file(Path().c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    DWORD magic, version;
    CString caption;
    int nextId;
    CTypedPtrList<CObList, CTermData*> loaded;
    ar >> magic >> version >> caption >> nextId;
    loaded.Serialize(ar);
    EXPECT_EQ(magic, kTreeMagic);
    EXPECT_EQ(caption, "项目");
    EXPECT_EQ(nextId, 7);
    ASSERT_EQ(loaded.GetCount(), 2);
    CTermData* first = loaded.GetHead();
    EXPECT_EQ(first->name, "工程");
    ASSERT_EQ(first->childGroups.GetCount(), 1);
    CTermData* loadedGroup = static_cast<CTermData*>(first->childGroups.GetHead());
    EXPECT_EQ(loadedGroup->name, "分组");
    EXPECT_EQ(static_cast<CTermData*>(loadedGroup->childGroups.GetHead())->name, "inner");
    EXPECT_TRUE(first->servers.GetHead()->IsKindOf(RUNTIME_CLASS(CTestLeaf)));
    EXPECT_EQ(loaded.GetTail()->name, "second");
    EXPECT_EQ(liveObjects, 5);
    DeleteAll(loaded);
}

TEST_F(ArchiveTest, TextLengthPrefixes)
{
    struct Case {
        size_t length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CString text('x', (int)c.length);
        if (c.length > 2) {
            text.SetAt(0, 'a');
            text.SetAt((int)c.length - 1, 'z');
        }
        StoreArchive(Path(), [&](CArchive& ar) { ar << text; });
        Bytes bytes = ReadFileBytes(Path());
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin()));

        CFile file(Path().c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CString loaded;
        ar >> loaded;
        EXPECT_EQ(loaded, text);
    }
}

TEST_F(ArchiveTest, Utf16TextLoadsAsCodePage936)
{
    std::u16string wide = u"用户登录";
    std::string wideBytes((const char*)wide.data(), wide.size() * 2);
    std::u16string longWide(300, u'摄');
    std::string longWideBytes((const char*)longWide.data(), longWide.size() * 2);
    ByteBuilder stream;
    stream.B(0xFF).W(0xFFFE).B((BYTE)wide.size()).Raw(wideBytes);
    stream.B(0xFF).W(0xFFFE).B(0xFF).W(300).Raw(longWideBytes);
    stream.B(0xFF).W(0xFFFE).B(0);
    WriteFileBytes(Path(), stream.Get());

    CFile file(Path().c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CString shortText, longText, emptyText = "x";
    ar >> shortText >> longText >> emptyText;
    EXPECT_EQ(shortText, "用户登录");
    CString expectedLong;
    for (int i = 0; i < 300; ++i)
        expectedLong += "摄";
    EXPECT_EQ(longText, expectedLong);
    EXPECT_TRUE(emptyText.IsEmpty());
}

TEST_F(ArchiveTest, CountForms)
{
    // A list of 0xFFFF nulls takes the long count; one element fewer, the short one.
    for (DWORD count : {0xFFFEu, 0xFFFFu, 0x10000u}) {
        SCOPED_TRACE(count);
        CObList nulls;
        for (DWORD i = 0; i < count; ++i)
            nulls.AddTail((CObject*)nullptr);
        StoreArchive(Path(), [&](CArchive& ar) { nulls.Serialize(ar); });

        ByteBuilder head;
        if (count < 0xFFFF)
            head.W((WORD)count);
        else
            head.W(0xFFFF).D(count);
        Bytes bytes = ReadFileBytes(Path());
        ASSERT_EQ(bytes.size(), head.Size() + 2 * count);
        EXPECT_TRUE(std::equal(head.Get().begin(), head.Get().end(), bytes.begin()));

        CFile file(Path().c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CObList loaded;
        loaded.Serialize(ar);
        EXPECT_EQ((DWORD)loaded.GetCount(), count);
        EXPECT_EQ(loaded.GetHead(), nullptr);
    }
}

TEST_F(ArchiveTest, NumbersFrom0x7FFFUseTheLongTag)
{
    // Class CTestLeaf is number 1 and its objects 2 to 0x7FFF; CTermData then becomes class 0x8000.
    const DWORD leafCount = 0x7FFE;
    CObList list;
    std::vector<CTestLeaf*> leaves;
    for (DWORD i = 0; i < leafCount; ++i) {
        leaves.push_back(new CTestLeaf);
        leaves.back()->value = i;
        list.AddTail(leaves.back());
    }
    list.AddTail(new CTermData("d1"));
    list.AddTail(new CTermData("d2"));
    StoreArchive(Path(), [&](CArchive& ar) {
        list.Serialize(ar);
        ar.WriteObject(leaves[leafCount - 1]); // object 0x7FFF
        ar.WriteObject(leaves[leafCount - 2]); // object 0x7FFE
    });

    ByteBuilder expected;
    expected.W((WORD)(leafCount + 2)).ClassTag("CTestLeaf").D(0);
    for (DWORD i = 1; i < leafCount; ++i)
        expected.W(0x8001).D(i);
    expected.ClassTag("CTermData").Text("d1").W(0).W(0);
    expected.W(0x7FFF).D(0x80008000).Text("d2").W(0).W(0);
    expected.W(0x7FFF).D(0x7FFF);
    expected.W(0x7FFE);
    EXPECT_EQ(ReadFileBytes(Path()), expected.Get());
    DeleteAll(list);

    CFile file(Path().c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CObList loaded;
    loaded.Serialize(ar);
    CObject* last = ar.ReadObject(nullptr);
    CObject* beforeLast = ar.ReadObject(RUNTIME_CLASS(CTestLeaf));
    ASSERT_EQ((DWORD)loaded.GetCount(), leafCount + 2);
    EXPECT_EQ(last, loaded.GetAt(loaded.FindIndex(leafCount - 1)));
    EXPECT_EQ(beforeLast, loaded.GetAt(loaded.FindIndex(leafCount - 2)));
    EXPECT_TRUE(ar.WasReference());
    EXPECT_EQ(static_cast<CTermData*>(loaded.GetTail())->name, "d2");
    DeleteAll(loaded);
    EXPECT_EQ(liveObjects, 0);
}

struct FailureCase {
    const char* what;
    Bytes stream;
    int cause;
};

Bytes Stream(const ByteBuilder& b)
{
    return b.Get();
}

ByteBuilder Record(const char* name)
{
    return ByteBuilder().Text(name).W(0).W(0);
}

std::vector<FailureCase> FailureCases()
{
    std::string longName(64, 'C');
    std::string unknown63(63, 'C');
    Bytes rec = Record("A").Get();
    return {
        {"no count", Stream(ByteBuilder().B(1)), CArchiveException::endOfFile},
        {"end inside class tag", Stream(ByteBuilder().W(1).W(0xFFFF).W(0)), CArchiveException::endOfFile},
        {"end inside class name", Stream(ByteBuilder().W(1).W(0xFFFF).W(0).W(9).Raw("CTerm")),
         CArchiveException::endOfFile},
        {"end inside fields", Stream(ByteBuilder().W(1).ClassTag("CTermData").Text("A").W(0)),
         CArchiveException::endOfFile},
        {"end inside a text", Stream(ByteBuilder().W(1).ClassTag("CTermData").B(5).Raw("AB")),
         CArchiveException::endOfFile},
        {"end inside a grandchild",
         Stream(ByteBuilder().W(1).ClassTag("CTermData").Text("A").W(1).W(0x8001).Text("B").W(1).W(0x8001).Text("C")),
         CArchiveException::endOfFile},
        {"fewer elements than counted",
         Stream(ByteBuilder()
                    .W(3)
                    .ClassTag("CTermData")
                    .Raw(std::string(rec.begin(), rec.end()))
                    .W(0x8001)
                    .Raw(std::string(rec.begin(), rec.end()))),
         CArchiveException::endOfFile},
        {"class name of 64 bytes", Stream(ByteBuilder().W(1).ClassTag(longName.c_str())), CArchiveException::badClass},
        {"unknown class name of 63 bytes", Stream(ByteBuilder().W(1).ClassTag(unknown63.c_str())),
         CArchiveException::badClass},
        {"unknown class", Stream(ByteBuilder().W(1).ClassTag("CNoSuchClass")), CArchiveException::badClass},
        {"schema 1", Stream(ByteBuilder().W(1).ClassTag("CTermData", 1)), CArchiveException::badSchema},
        {"class number 0", Stream(ByteBuilder().W(1).W(0x8000)), CArchiveException::badIndex},
        {"class number not given", Stream(ByteBuilder().W(1).W(0x8005)), CArchiveException::badIndex},
        {"long class number not given", Stream(ByteBuilder().W(1).W(0x7FFF).D(0x80001000)),
         CArchiveException::badIndex},
        {"class number of an object",
         Stream(ByteBuilder().W(2).ClassTag("CTermData").Raw(std::string(rec.begin(), rec.end())).W(0x8002)),
         CArchiveException::badIndex},
        {"object number not given", Stream(ByteBuilder().W(1).W(0x0009)), CArchiveException::badIndex},
        {"long object number not given", Stream(ByteBuilder().W(1).W(0x7FFF).D(0x5000)), CArchiveException::badIndex},
        {"object number of a class",
         Stream(ByteBuilder().W(2).ClassTag("CTermData").Raw(std::string(rec.begin(), rec.end())).W(0x0001)),
         CArchiveException::badIndex},
        {"one object twice in a list",
         Stream(ByteBuilder().W(2).ClassTag("CTermData").Raw(std::string(rec.begin(), rec.end())).W(0x0002)),
         CArchiveException::badIndex},
        {"an object inside itself", Stream(ByteBuilder().W(1).ClassTag("CTermData").Text("A").W(1).W(0x0002)),
         CArchiveException::badIndex},
    };
}

TEST_F(ArchiveTest, EveryLoadFailureThrowsAndLeaksNothing)
{
    for (const FailureCase& c : FailureCases()) {
        SCOPED_TRACE(c.what);
        WriteFileBytes(Path(), c.stream);
        CObList loaded;
        int cause = ArchiveFailureCause([&] {
            CFile file(Path().c_str(), CFile::modeRead);
            CArchive ar(&file, CArchive::load);
            loaded.Serialize(ar);
        });
        EXPECT_EQ(cause, c.cause);
        // What was read whole stays in the list for its owner; nothing else survives.
        DeleteAll(loaded);
        EXPECT_EQ(liveObjects, 0);
    }
}

TEST_F(ArchiveTest, TypedListRefusesOtherClasses)
{
    CObList mixed;
    mixed.AddTail(new CTermData("A"));
    mixed.AddTail(new CTestLeaf);
    StoreArchive(Path(), [&](CArchive& ar) { mixed.Serialize(ar); });
    DeleteAll(mixed);

    CTypedPtrList<CObList, CTermData*> groups;
    int cause = ArchiveFailureCause([&] {
        CFile file(Path().c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        groups.Serialize(ar);
    });
    EXPECT_EQ(cause, CArchiveException::badClass);
    EXPECT_EQ(groups.GetCount(), 1);
    DeleteAll(groups);
    EXPECT_EQ(liveObjects, 0);
}

// Groups nested depth deep, each holding the next as its only child group.
Bytes NestedGroups(size_t depth)
{
    ByteBuilder b;
    b.W(1).ClassTag("CTermData").B(0);
    for (size_t level = 1; level < depth; ++level)
        b.W(1).W(0x8001).B(0);
    b.W(0).W(0);
    for (size_t level = 1; level < depth; ++level)
        b.W(0);
    return b.Get();
}

TEST_F(ArchiveTest, NestingIsBounded)
{
    for (size_t depth : {512u, 513u, 200000u}) {
        SCOPED_TRACE(depth);
        WriteFileBytes(Path(), NestedGroups(depth));
        CObList loaded;
        int cause = ArchiveFailureCause([&] {
            CFile file(Path().c_str(), CFile::modeRead);
            CArchive ar(&file, CArchive::load);
            loaded.Serialize(ar);
        });
        EXPECT_EQ(cause, depth <= 512 ? -1 : (int)CArchiveException::genericException);
        EXPECT_EQ(loaded.GetCount(), depth <= 512 ? 1 : 0);
        DeleteAll(loaded);
        EXPECT_EQ(liveObjects, 0);
    }
}

TEST_F(ArchiveTest, ValuesAcrossBufferBoundaries)
{
    // 4095 bytes first puts the next D across the end of the 4096-byte buffer; the large block
    // goes past the buffer altogether.
    Bytes block(10000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = (BYTE)(i * 7);
    StoreArchive(Path(), [&](CArchive& ar) {
        ar.Write(block.data(), 4095);
        ar << (DWORD)0xA1B2C3D4 << (WORD)0xBEEF << (BYTE)0x5A << (LONGLONG)-2 << 1.5 << -3;
        ar.Write(block.data(), (UINT)block.size());
        ar << (short)-7;
    });
    EXPECT_EQ(ReadFileBytes(Path()).size(), 4095u + 4 + 2 + 1 + 8 + 8 + 4 + 10000 + 2);

    CFile file(Path().c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    Bytes head(4095), tail(10000);
    EXPECT_EQ(ar.Read(head.data(), 4095), 4095u);
    DWORD d;
    WORD w;
    BYTE b;
    LONGLONG ll;
    double f;
    int i;
    short s;
    ar >> d >> w >> b >> ll >> f >> i;
    EXPECT_EQ(ar.Read(tail.data(), 10000), 10000u);
    ar >> s;
    EXPECT_TRUE(std::equal(head.begin(), head.end(), block.begin()));
    EXPECT_EQ(tail, block);
    EXPECT_EQ(d, 0xA1B2C3D4u);
    EXPECT_EQ(w, 0xBEEF);
    EXPECT_EQ(b, 0x5A);
    EXPECT_EQ(ll, -2);
    EXPECT_EQ(f, 1.5);
    EXPECT_EQ(i, -3);
    EXPECT_EQ(s, -7);

    // At the end: Read returns what is left, a value throws.
    EXPECT_EQ(ar.Read(head.data(), 10), 0u);
    EXPECT_EQ(ArchiveFailureCause([&] { ar >> d; }), CArchiveException::endOfFile);
}

TEST_F(ArchiveTest, ClosingALoadGivesUnreadBytesBack)
{
    WriteFileBytes(Path(), Bytes(100, 0x11));
    CFile file(Path().c_str(), CFile::modeRead);
    {
        CArchive ar(&file, CArchive::load);
        DWORD d;
        ar >> d;
        ar.Close();
    }
    EXPECT_EQ(file.GetPosition(), 4u);
}

TEST_F(ArchiveTest, WrongDirectionThrows)
{
    CFile file(Path().c_str(), CFile::modeCreate | CFile::modeReadWrite);
    CArchive ar(&file, CArchive::store);
    DWORD d;
    EXPECT_EQ(ArchiveFailureCause([&] { ar >> d; }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveFailureCause([&] { ar.ReadObject(nullptr); }), CArchiveException::writeOnly);
}

TEST_F(ArchiveTest, WriteFailureSurfacesAsFileException)
{
    WriteFileBytes(Path(), Bytes{1, 2, 3});
    CFile file(Path().c_str(), CFile::modeRead); // a handle that cannot write
    bool thrown = false;
    try {
        CArchive ar(&file, CArchive::store);
        ar << (DWORD)1;
        ar.Close();
    } catch (CFileException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    file.Close();
    EXPECT_EQ(ReadFileBytes(Path()), (Bytes{1, 2, 3}));
}

TEST_F(ArchiveTest, CreationByClassName)
{
    CObject* made = CRuntimeClass::CreateObject("CTermData");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CTermData)));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CTestLeaf)));
    EXPECT_TRUE(made->IsSerializable());
    delete made;
    EXPECT_EQ(CRuntimeClass::FromName("ctermdata"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CFile"), nullptr); // dynamic, not serialisable
    EXPECT_STREQ(RUNTIME_CLASS(CTestLeaf)->m_lpszClassName, "CTestLeaf");
}

} // namespace
