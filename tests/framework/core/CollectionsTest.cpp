// Lists, arrays and maps: the operations callers use, their serialisation, and counts read from
// a stream that are not trusted.
#include <afxtempl.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tests/framework/core/FrameworkTestHelpers.h"
#include "tests/support/TestSupport.h"

namespace {

std::vector<int> Values(CPtrList& list)
{
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back((int)(INT_PTR)list.GetNext(pos));
    return out;
}

void* P(int n)
{
    return (void*)(INT_PTR)n;
}

TEST(CollectionsTest, ListEditing)
{
    CPtrList list;
    list.AddTail(P(2));
    list.AddHead(P(1));
    POSITION three = list.AddTail(P(3));
    list.InsertBefore(three, P(25));
    list.InsertAfter(three, P(4));
    list.InsertBefore(nullptr, P(0));
    EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2, 25, 3, 4}));
    EXPECT_EQ(list.Find(P(25)), list.FindIndex(3));
    EXPECT_EQ(list.Find(P(1), list.Find(P(1))), nullptr);
    EXPECT_EQ(list.FindIndex(6), nullptr);

    // Removing the element just visited while walking forward.
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION at = pos;
        if ((INT_PTR)list.GetNext(pos) % 2 == 1)
            list.RemoveAt(at);
    }
    EXPECT_EQ(Values(list), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(list.RemoveHead(), P(0));
    EXPECT_EQ(list.RemoveTail(), P(4));
    EXPECT_EQ(list.GetCount(), 1);
    POSITION last = list.GetTailPosition();
    EXPECT_EQ(list.GetPrev(last), P(2));
    EXPECT_EQ(last, nullptr);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CollectionsTest, ArrayEditing)
{
    CPtrArray array;
    array.Add(P(1));
    array.Add(P(3));
    array.InsertAt(1, P(2));
    array.SetAtGrow(5, P(6));
    EXPECT_EQ(array.GetSize(), 6);
    EXPECT_EQ(array.GetUpperBound(), 5);
    EXPECT_EQ(array[3], nullptr);
    array.RemoveAt(3, 2);
    EXPECT_EQ(array.GetSize(), 4);
    EXPECT_EQ(array[3], P(6));
    array.RemoveAt(10); // out of range: nothing
    EXPECT_EQ(array.GetSize(), 4);

    CTypedPtrArray<CPtrArray, int*> typed;
    int x = 5;
    typed.Add(&x);
    EXPECT_EQ(*typed[0], 5);

    CArray<CString, const CString&> strings;
    strings.Add("b");
    strings.InsertAt(0, "a", 2);
    strings.SetAtGrow(4, strings[0]); // an element of the array itself
    EXPECT_EQ(strings.GetSize(), 5);
    EXPECT_EQ(strings[1], "a");
    EXPECT_EQ(strings[2], "b");
    EXPECT_EQ(strings[4], "a");
}

TEST(CollectionsTest, Maps)
{
    CMapStringToPtr byName;
    byName.SetAt("摄像机1", P(1));
    byName["摄像机2"] = P(2);
    byName.SetAt("摄像机1", P(11));
    void* value = nullptr;
    EXPECT_TRUE(byName.Lookup("摄像机1", value));
    EXPECT_EQ(value, P(11));
    EXPECT_FALSE(byName.Lookup("none", value));
    EXPECT_EQ(byName.GetCount(), 2);
    EXPECT_TRUE(byName.RemoveKey("摄像机2"));
    EXPECT_FALSE(byName.RemoveKey("摄像机2"));

    CMap<int, int, CString, const CString&> numbers;
    numbers.InitHashTable(7);
    for (int i = 0; i < 100; ++i)
        numbers[i].Format("%d", i);
    std::map<int, std::string> seen;
    POSITION pos = numbers.GetStartPosition();
    while (pos) {
        int key;
        CString text;
        numbers.GetNextAssoc(pos, key, text);
        seen[key] = (LPCSTR)text;
    }
    EXPECT_EQ(seen.size(), 100u);
    EXPECT_EQ(seen[42], "42");

    CMapPtrToPtr pointers;
    EXPECT_EQ(pointers.GetStartPosition(), nullptr);
    pointers[P(64)] = P(1);
    EXPECT_TRUE(pointers.Lookup(P(64), value));
}

TEST(CollectionsTest, ValueCollectionsSerialise)
{
    TempDir dir;
    std::string path = dir.File("values.dat");
    CStringArray names;
    names.Add("用户");
    names.Add("");
    CDWordArray numbers;
    numbers.Add(0x01020304);
    CList<CString, const CString&> list;
    list.AddTail("x");
    StoreArchive(path, [&](CArchive& ar) {
        names.Serialize(ar);
        numbers.Serialize(ar);
        list.Serialize(ar);
    });

    ByteBuilder expected;
    expected.W(2).Text("用户").Text("").W(1).D(0x01020304).W(1).Text("x");
    EXPECT_EQ(ReadFileBytes(path), expected.Get());

    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CStringArray names2;
    CDWordArray numbers2;
    CList<CString, const CString&> list2;
    names2.Serialize(ar);
    numbers2.Serialize(ar);
    list2.Serialize(ar);
    EXPECT_EQ(names2.GetSize(), 2);
    EXPECT_EQ(names2[0], "用户");
    EXPECT_EQ(numbers2[0], 0x01020304u);
    EXPECT_NE(list2.Find("x"), nullptr);
}

TEST(CollectionsTest, DamagedCountsRunIntoTheEndOfTheData)
{
    TempDir dir;
    std::string path = dir.File("damaged.dat");
    WriteFileBytes(path, ByteBuilder().W(0xFFFF).D(0xFFFFFFF0).D(1).D(2).Get());
    CDWordArray numbers;
    int cause = ArchiveFailureCause([&] {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        numbers.Serialize(ar);
    });
    EXPECT_EQ(cause, CArchiveException::endOfFile);
}

} // namespace
