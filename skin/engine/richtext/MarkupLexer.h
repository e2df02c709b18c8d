// Lexical routines of the tooltip markup and its style sheets: runs and tags, names and values, and the
// code page 936 aware case conversion and bounded copies they rely on. No window or drawing code here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One step of the markup: the text up to the next tag or control character, then that tag.
struct MarkupToken {
    std::string run;      // literal text, "<<" already turned into "<"
    std::string_view tag; // text between "<" and ">" (a view into the scanned text), or the control character
    bool control = false; // the tag is a line feed, carriage return or tab
    bool hasTag = false;  // false only at the end of the text
};

// A tag found by FindTag: where it starts ("<"), where reading goes on (past ">"), and its text.
struct FoundTag {
    size_t start = std::string_view::npos;
    size_t end = std::string_view::npos;
    std::string_view text;
    int which = -1; // index into the list of wanted names
    explicit operator bool() const { return start != std::string_view::npos; }
};

class MarkupLexer {
public:
    // Code page 936: a lead byte takes the byte after it as the second half of one character.
    static bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
    static size_t CharLength(std::string_view text, size_t pos)
    {
        return (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
    }
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    static bool IsAsciiAlnum(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    }

    // Case conversion of single-byte letters only; double-byte characters pass through whole.
    static std::string ToLower(std::string_view text);
    static std::string ToUpper(std::string_view text);
    static std::string Capitalise(std::string_view text);
    static bool EqualsNoCase(std::string_view a, std::string_view b);

    // Copies into a fixed array, NUL-terminated, cutting before a character that would not fit whole.
    static void CopyBounded(char* target, size_t capacity, std::string_view source);
    template <size_t N> static void CopyBounded(char (&target)[N], std::string_view source)
    {
        CopyBounded(target, N, source);
    }

    // Position of the first character at or after pos that satisfies pred, stepping over double-byte
    // characters; npos when there is none.
    template <typename Pred> static size_t FindChar(std::string_view text, size_t pos, Pred pred)
    {
        while (pos < text.size()) {
            if (pred(text[pos]))
                return pos;
            pos += CharLength(text, pos);
        }
        return std::string_view::npos;
    }
    static size_t FindChar(std::string_view text, size_t pos, char c)
    {
        return FindChar(text, pos, [c](char x) { return x == c; });
    }

    // The next run and tag from pos; pos moves past both.
    static MarkupToken NextRun(std::string_view text, size_t& pos);

    // Tag name from pos (blanks skipped), up to a blank or "="; a closing "/" stays part of the name.
    static std::string_view TagName(std::string_view tag, size_t& pos);
    // The next attribute name: from the next letter, digit or "." up to a blank or "=" (or terminator).
    static std::string_view NextAttributeName(std::string_view tag, size_t& pos, char nameEnd = '=');
    // The value after a separator: blanks, the separator, blanks, then a quoted value or one running to
    // a blank (tags) or to the terminator (declarations, inner blanks kept, trailing blanks dropped).
    static std::string_view AttributeValue(std::string_view tag, size_t& pos, char separator, char terminator = 0);

    // The next tag named as one of wanted (exact, "/x" for closing tags) at or after pos, walking tag by
    // tag; with skipTables, a "table" tag that is not wanted is skipped together with its whole table.
    static FoundTag FindTag(std::string_view text, size_t pos, std::initializer_list<std::string_view> wanted,
                            bool skipTables);
    // From the "<" of a table tag: the position just past its matching "/table" (or the end of the text).
    static size_t SkipTable(std::string_view text, size_t tableStart);

    // Decimal digits at the start of text (an optional sign first), saturating; 0 when there are none.
    static int64_t ReadDecimal(std::string_view text);
    // An unsigned number in C notation (0x hexadecimal, leading 0 octal, else decimal), saturating.
    static int64_t ReadCNumber(std::string_view text);
};
