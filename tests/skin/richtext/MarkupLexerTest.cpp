// The markup's lexical layer: runs and tags, tag names and attributes, tag search, code page 936 text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/skin/richtext/GuardedText.h"
#include "skin/engine/richtext/MarkupLexer.h"

namespace {

struct Step {
    std::string run;
    std::string tag;
    bool control;
};

std::vector<Step> Tokens(std::string_view text)
{
    GuardedText guard;
    std::string_view placed = guard.Place(text);
    std::vector<Step> steps;
    size_t pos = 0;
    for (;;) {
        MarkupToken t = MarkupLexer::NextRun(placed, pos);
        steps.push_back({t.run, std::string(t.tag), t.control});
        if (!t.hasTag)
            break;
    }
    return steps;
}

std::vector<std::pair<std::string, std::string>> Attributes(std::string_view tag)
{
    GuardedText guard;
    std::string_view placed = guard.Place(tag);
    size_t pos = 0;
    MarkupLexer::TagName(placed, pos);
    std::vector<std::pair<std::string, std::string>> out;
    for (;;) {
        std::string_view name = MarkupLexer::NextAttributeName(placed, pos);
        if (name.empty())
            break;
        out.emplace_back(std::string(name), std::string(MarkupLexer::AttributeValue(placed, pos, '=')));
    }
    return out;
}

} // namespace

TEST(MarkupLexer, RunsAndTags)
{
    struct Case {
        const char* text;
        std::vector<Step> expected;
    } cases[] = {
        {"abc", {{"abc", "", false}}},
        {"a<b>c", {{"a", "b", false}, {"c", "", false}}},
        {"a<<b", {{"a<b", "", false}}},
        {"ab<", {{"ab<", "", false}}},
        {"<<<b>x", {{"<", "b", false}, {"x", "", false}}},
        {"x\ny\rz\tw", {{"x", "\n", true}, {"y", "\r", true}, {"z", "\t", true}, {"w", "", false}}},
        // A ">" inside quotes ends the tag all the same.
        {"<font face=\"a>b\">x", {{"", "font face=\"a", false}, {"b\">x", "", false}}},
        {"text<b", {{"text", "b", false}, {"", "", false}}},
        {"<>x", {{"", "", false}, {"x", "", false}}},
        {"\xD6\xD0<b>\xCE\xC4", {{"\xD6\xD0", "b", false}, {"\xCE\xC4", "", false}}},
    };
    for (const Case& c : cases) {
        std::vector<Step> got = Tokens(c.text);
        ASSERT_EQ(got.size(), c.expected.size()) << c.text;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].run, c.expected[i].run) << c.text << " step " << i;
            EXPECT_EQ(got[i].tag, c.expected[i].tag) << c.text << " step " << i;
            EXPECT_EQ(got[i].control, c.expected[i].control) << c.text << " step " << i;
        }
    }
}

TEST(MarkupLexer, TagNamesAndAttributes)
{
    size_t pos = 0;
    EXPECT_EQ(MarkupLexer::TagName("  /b", pos), "/b");
    pos = 0;
    EXPECT_EQ(MarkupLexer::TagName("br=3", pos), "br");
    EXPECT_EQ(pos, 2u);

    using Pairs = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* tag;
        Pairs expected;
    } cases[] = {
        {"font color = red size=3", {{"color", "red"}, {"size", "3"}}},
        {"font face=\"Courier New\" color=red", {{"face", "Courier New"}, {"color", "red"}}},
        // An unterminated quote gives an empty value and ends the tag.
        {"font face=\"Courier color=red", {{"face", ""}}},
        {"font bold color=red", {{"bold", ""}, {"color", "red"}}},
        {"bmp file=c:\\a.bmp", {{"file", "c:\\a.bmp"}}},
        {"font face=\xCB\xCE\xCC\xE5 color=red", {{"face", "\xCB\xCE\xCC\xE5"}, {"color", "red"}}},
        {"font color=", {{"color", ""}}},
        {"font =red", {{"red", ""}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Attributes(c.tag), c.expected) << c.tag;

    // Declarations: separator ":" and terminator ";", inner blanks kept, trailing ones dropped.
    std::string_view decl = "font-family : Courier New ; color:red";
    pos = 11;
    EXPECT_EQ(MarkupLexer::AttributeValue(decl, pos, ':', ';'), "Courier New");
}

TEST(MarkupLexer, FindTagMatchesWholeNamesAndSkipsNestedTables)
{
    std::string_view text = "<<tr> <track> <trx=1> <table><tr></table> <tr a=1>";
    FoundTag tr = MarkupLexer::FindTag(text, 0, {"tr"}, true);
    ASSERT_TRUE(tr);
    EXPECT_EQ(tr.text, "tr a=1");
    // Without skipping, the nested table's row is found first.
    tr = MarkupLexer::FindTag(text, 0, {"tr"}, false);
    ASSERT_TRUE(tr);
    EXPECT_EQ(text.substr(tr.start, 4), "<tr>");

    std::string_view nested = "<table a><table><tr></table>x</table>tail";
    EXPECT_EQ(nested.substr(MarkupLexer::SkipTable(nested, 0)), "tail");
    std::string_view open = "<table><table></table>";
    EXPECT_EQ(MarkupLexer::SkipTable(open, 0), open.size());
    std::string_view cut = "<table";
    EXPECT_EQ(MarkupLexer::SkipTable(cut, 0), cut.size());
}

TEST(MarkupLexer, CodePage936TextKeepsDoubleByteCharactersWhole)
{
    // 0xB0 0x41: a character whose second byte is the letter "A".
    EXPECT_EQ(MarkupLexer::ToLower("\xB0\x41"
                                   "AB"),
              "\xB0\x41"
              "ab");
    EXPECT_EQ(MarkupLexer::ToUpper("\xB0\x61"
                                   "ab"),
              "\xB0\x61"
              "AB");
    EXPECT_EQ(MarkupLexer::Capitalise("hELLO wORLD"), "Hello World");
    EXPECT_EQ(MarkupLexer::Capitalise("\xB0\x61x y"), "\xB0\x61x Y");
    // A lead byte at the very end stands alone.
    EXPECT_EQ(MarkupLexer::ToLower("A\xB0"), "a\xB0");

    char face[32];
    std::string longFace(30, 'f');
    MarkupLexer::CopyBounded(face, longFace + "\xCB\xCE");
    EXPECT_EQ(std::string(face), longFace); // the double-byte character does not fit whole
    MarkupLexer::CopyBounded(face, std::string(29, 'f') + "\xCB\xCE");
    EXPECT_EQ(std::string(face).size(), 31u);

    // The letter inside a double-byte character is not the start of a name.
    size_t pos = 0;
    EXPECT_EQ(MarkupLexer::NextAttributeName("\xB0\x41 x=1", pos), "x");
}

TEST(MarkupLexer, Numbers)
{
    EXPECT_EQ(MarkupLexer::ReadCNumber("0x1F"), 31);
    EXPECT_EQ(MarkupLexer::ReadCNumber("017"), 15);
    EXPECT_EQ(MarkupLexer::ReadCNumber("19px"), 19);
    EXPECT_EQ(MarkupLexer::ReadCNumber("0x"), 0);
    EXPECT_EQ(MarkupLexer::ReadCNumber("abc"), 0);
    EXPECT_EQ(MarkupLexer::ReadDecimal("-42x"), -42);
    EXPECT_EQ(MarkupLexer::ReadDecimal("+7"), 7);
    // Endless digits saturate instead of overflowing.
    EXPECT_GT(MarkupLexer::ReadDecimal(std::string(400, '9')), int64_t(1) << 32);
    EXPECT_GT(MarkupLexer::ReadCNumber("0x" + std::string(400, 'f')), int64_t(1) << 32);
}

// The checkers the layout tests rely on are live: a read past a guarded text faults, and an index out of
// range stops the program.
TEST(MarkupLexerDeathTest, CheckersCatchOutOfBoundsReads)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    GuardedText guard;
    std::string_view text = guard.Place("abc");
    EXPECT_DEATH(
        {
            volatile char c = text.data()[3];
            (void)c;
        },
        "");
    std::string_view view = "ab";
    EXPECT_DEATH(
        {
            volatile char c = view[5];
            (void)c;
        },
        "");
}
