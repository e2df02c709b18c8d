// CString: code-page-936-aware searching, case changes and trimming, formatting, LoadString from
// the current resource module, and the bounded copy into fixed arrays.
#include <afx.h>
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

// GBK characters whose trail byte looks like ASCII: 乗 = 81 5C ('\\'), 丄 = 81 41 ('A'),
// 乤 = 81 61 ('a'), 乑 = 81 5A ('Z').

TEST(StringTest, CaseChangesLeaveDoubleByteCharactersAlone)
{
    CString text = "乑ABC乤xyz丄";
    text.MakeLower();
    EXPECT_EQ(text, "乑abc乤xyz丄");
    text.MakeUpper();
    EXPECT_EQ(text, "乑ABC乤XYZ丄");
    EXPECT_EQ(CString("Admin乤").CompareNoCase("aDMIN乤"), 0);
    EXPECT_NE(CString("乤").CompareNoCase("丄"), 0); // only the trail bytes differ in case
}

TEST(StringTest, SearchesMatchWholeCharactersOnly)
{
    CString path = "C:\\录像\\乗\\file.mp4"; // 乗 ends in 0x5C
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.ReverseFind('\\'), 10);
    EXPECT_EQ(CString("乗").Find('\\'), -1);
    EXPECT_EQ(CString("乗").ReverseFind('\\'), -1);
    EXPECT_EQ(CString("x乤a").Find('a'), 3);
    EXPECT_EQ(CString("x丄A").Find("A"), 3);
    EXPECT_EQ(CString("丄A").FindOneOf("A\\"), 2);
    EXPECT_EQ(CString("abcabc").Find("bc", 2), 4);
    EXPECT_EQ(CString("abc").Find("abcd"), -1);
    EXPECT_EQ(CString("abc").Find('a', 10), -1);
}

TEST(StringTest, ReplaceAndRemoveSkipTrailBytes)
{
    CString text = "乗\\乗\\";
    EXPECT_EQ(text.Replace('\\', '/'), 2);
    EXPECT_EQ(text, "乗/乗/");
    CString removal = "丄A丄A";
    EXPECT_EQ(removal.Remove('A'), 2);
    EXPECT_EQ(removal, "丄丄");
    CString words = "aa-bb-aa";
    EXPECT_EQ(words.Replace("aa", "摄像机"), 2);
    EXPECT_EQ(words, "摄像机-bb-摄像机");
    EXPECT_EQ(words.Replace("", "x"), 0);
}

TEST(StringTest, Trimming)
{
    struct Case {
        const char* in;
        const char* left;
        const char* right;
    } cases[] = {
        {"  a b \t\r\n", "a b \t\r\n", "  a b"},
        {"", "", ""},
        {"   ", "", ""},
        {"乗 ", "乗 ", "乗"},
    };
    for (const Case& c : cases) {
        CString l = c.in, r = c.in;
        EXPECT_EQ(l.TrimLeft(), c.left) << c.in;
        EXPECT_EQ(r.TrimRight(), c.right) << c.in;
    }
    CString slashes = "\\\\乗\\\\";
    EXPECT_EQ(slashes.TrimRight('\\'), "\\\\乗");
    EXPECT_EQ(slashes.TrimLeft('\\'), "乗");
    CString set = "xy乗yx";
    EXPECT_EQ(set.TrimRight("xy"), "xy乗");
    EXPECT_EQ(set.TrimLeft("yx"), "乗");
}

TEST(StringTest, MidLeftRightClampAsThePlatformDoes)
{
    CString s = "abcdef";
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, 2), "cd");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Mid(4, 100), "ef");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(10), "abcdef");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(10), "abcdef");
    EXPECT_EQ(s.Insert(3, "-"), 7);
    EXPECT_EQ(s.Delete(0, 2), 5);
    EXPECT_EQ(s, "c-def");
}

TEST(StringTest, ComparisonsAreByteWise)
{
    EXPECT_TRUE(CString("abc") == "abc");
    EXPECT_TRUE(CString("abc") < CString("abd"));
    EXPECT_TRUE(CString("z") < CString("摄")); // 0x7A before lead byte 0xC9
    EXPECT_TRUE("abc" != CString("ABC"));
    EXPECT_GT(CString("b").Compare("a"), 0);
    EXPECT_EQ(CString().Compare(nullptr), 0);
}

TEST(StringTest, FormatAndConcatenation)
{
    CString s;
    s.Format("%04d-%02d-%02d %s", 2026, 12, 7, "ok");
    EXPECT_EQ(s, "2026-12-07 ok");
    s.Format("%s!", (LPCSTR)s); // the string's own text as an argument
    EXPECT_EQ(s, "2026-12-07 ok!");
    s.AppendFormat("[%d]", 5);
    EXPECT_EQ(s, "2026-12-07 ok![5]");
    CString big;
    big.Format("%s", std::string(5000, 'q').c_str());
    EXPECT_EQ(big.GetLength(), 5000);
    EXPECT_EQ(CString("a") + "b" + 'c' + CString("d"), "abcd");
    EXPECT_EQ(CString(L"用户登录"), "用户登录");
}

TEST(StringTest, BufferAccess)
{
    CString s = "abc";
    char* p = s.GetBuffer(MAX_PATH);
    GetTempPathA(MAX_PATH, p);
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), (int)strlen(s));
    EXPECT_GT(s.GetLength(), 0);
    strcpy(s.GetBufferSetLength(2), "xy");
    s.ReleaseBuffer(1);
    EXPECT_EQ(s, "x");
}

TEST(StringTest, LoadStringFollowsTheResourceModule)
{
    CString s;
    ASSERT_TRUE(s.LoadString(101));
    EXPECT_EQ(s, "用户登录");
    EXPECT_FALSE(s.LoadString(999));
    EXPECT_TRUE(s.IsEmpty());
    s.Format(102, 3);
    EXPECT_EQ(s, "摄像机3");
    EXPECT_EQ(CString(MAKEINTRESOURCEA(101)), "用户登录");

    HMODULE language = LoadLibraryA(ProgramPath("framework_test_lang.dll").c_str());
    ASSERT_NE(language, nullptr);
    AfxSetResourceHandle(language);
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_EQ(s, "User log-in");
    EXPECT_FALSE(s.LoadString(103)); // the language library replaces the program's strings
    AfxSetResourceHandle(nullptr);
    FreeLibrary(language);
    EXPECT_TRUE(s.LoadString(103));
    EXPECT_EQ(s, "program only");
}

TEST(StringTest, CopyTextCutsOnCharacterBoundaries)
{
    char field[5];
    EXPECT_EQ(CopyText(field, "abcdef"), 4u);
    EXPECT_STREQ(field, "abcd");
    EXPECT_EQ(CopyText(field, "ab摄像"), 4u); // a b 摄 fits; half of 像 does not
    EXPECT_STREQ(field, "ab摄");
    EXPECT_EQ(CopyText(field, "abc摄"), 3u);
    EXPECT_STREQ(field, "abc");
    EXPECT_EQ(CopyText(field, nullptr), 0u);
    EXPECT_STREQ(field, "");
}

} // namespace
