// Lexical routines of the tooltip markup; see MarkupLexer.h.
#include "skin/engine/richtext/MarkupLexer.h"

#include <cstring>

namespace {

const int64_t kNumberLimit = int64_t(1) << 40; // far beyond any length, colour or id, still safe to multiply

template <typename Convert> std::string ConvertLetters(std::string_view text, Convert convert)
{
    std::string out(text);
    for (size_t i = 0; i < out.size();) {
        size_t n = MarkupLexer::CharLength(out, i);
        if (n == 1)
            out[i] = convert(out[i]);
        i += n;
    }
    return out;
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

size_t SkipBlanks(std::string_view text, size_t pos)
{
    while (pos < text.size() && MarkupLexer::IsBlank(text[pos]))
        ++pos;
    return pos;
}

} // namespace

std::string MarkupLexer::ToLower(std::string_view text)
{
    return ConvertLetters(text, LowerAscii);
}

std::string MarkupLexer::ToUpper(std::string_view text)
{
    return ConvertLetters(text, UpperAscii);
}

std::string MarkupLexer::Capitalise(std::string_view text)
{
    std::string out = ToLower(text);
    bool wordStart = true;
    for (size_t i = 0; i < out.size();) {
        size_t n = CharLength(out, i);
        if (n == 1) {
            if (wordStart)
                out[i] = UpperAscii(out[i]);
            wordStart = out[i] == ' ';
        } else {
            wordStart = false;
        }
        i += n;
    }
    return out;
}

bool MarkupLexer::EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

void MarkupLexer::CopyBounded(char* target, size_t capacity, std::string_view source)
{
    if (capacity == 0)
        return;
    size_t used = 0;
    for (size_t i = 0; i < source.size();) {
        size_t n = CharLength(source, i);
        if (used + n > capacity - 1)
            break;
        for (size_t k = 0; k < n; ++k)
            target[used++] = source[i++];
    }
    target[used] = '\0';
}

MarkupToken MarkupLexer::NextRun(std::string_view text, size_t& pos)
{
    MarkupToken token;
    while (pos < text.size()) {
        size_t stop = pos;
        while (stop < text.size()) {
            char c = text[stop];
            if (c == '<' || c == '\n' || c == '\r' || c == '\t')
                break;
            ++stop;
        }
        token.run.append(text.data() + pos, stop - pos);
        pos = stop;
        if (stop == text.size())
            break;
        char c = text[stop];
        if (c != '<') {
            token.tag = text.substr(stop, 1);
            token.control = true;
            token.hasTag = true;
            pos = stop + 1;
            return token;
        }
        if (stop + 1 == text.size() || text[stop + 1] == '<') {
            // "<<" is a literal "<", and so is a "<" that ends the text.
            token.run.push_back('<');
            pos = stop + 2 < text.size() ? stop + 2 : text.size();
            continue;
        }
        size_t close = text.find('>', stop + 1);
        size_t tagEnd = close == std::string_view::npos ? text.size() : close;
        token.tag = text.substr(stop + 1, tagEnd - stop - 1);
        token.hasTag = true;
        pos = close == std::string_view::npos ? text.size() : close + 1;
        return token;
    }
    return token;
}

std::string_view MarkupLexer::TagName(std::string_view tag, size_t& pos)
{
    pos = SkipBlanks(tag, pos);
    size_t start = pos;
    while (pos < tag.size() && !IsBlank(tag[pos]) && tag[pos] != '=')
        pos += CharLength(tag, pos);
    if (pos > tag.size())
        pos = tag.size();
    return tag.substr(start, pos - start);
}

std::string_view MarkupLexer::NextAttributeName(std::string_view tag, size_t& pos, char nameEnd)
{
    size_t start = FindChar(tag, pos, [](char c) { return IsAsciiAlnum(c) || c == '.'; });
    if (start == std::string_view::npos) {
        pos = tag.size();
        return {};
    }
    size_t end = start;
    while (end < tag.size() && !IsBlank(tag[end]) && tag[end] != nameEnd)
        end += CharLength(tag, end);
    if (end > tag.size())
        end = tag.size();
    pos = end;
    return tag.substr(start, end - start);
}

std::string_view MarkupLexer::AttributeValue(std::string_view tag, size_t& pos, char separator, char terminator)
{
    pos = SkipBlanks(tag, pos);
    if (pos >= tag.size() || tag[pos] != separator)
        return {};
    pos = SkipBlanks(tag, pos + 1);
    if (pos < tag.size() && tag[pos] == '"') {
        size_t close = FindChar(tag, pos + 1, '"');
        if (close == std::string_view::npos) {
            pos = tag.size();
            return {};
        }
        std::string_view value = tag.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        return value;
    }
    size_t start = pos;
    if (terminator == 0) {
        while (pos < tag.size() && !IsBlank(tag[pos]))
            pos += CharLength(tag, pos);
    } else {
        while (pos < tag.size() && tag[pos] != terminator)
            pos += CharLength(tag, pos);
    }
    if (pos > tag.size())
        pos = tag.size();
    size_t end = pos;
    while (end > start && IsBlank(tag[end - 1]))
        --end;
    return tag.substr(start, end - start);
}

FoundTag MarkupLexer::FindTag(std::string_view text, size_t pos, std::initializer_list<std::string_view> wanted,
                              bool skipTables)
{
    while (pos < text.size()) {
        size_t open = text.find('<', pos);
        if (open == std::string_view::npos || open + 1 >= text.size())
            return {};
        if (text[open + 1] == '<') {
            pos = open + 2;
            continue;
        }
        size_t close = text.find('>', open + 1);
        size_t tagEnd = close == std::string_view::npos ? text.size() : close;
        std::string_view tag = text.substr(open + 1, tagEnd - open - 1);
        size_t namePos = 0;
        std::string_view name = TagName(tag, namePos);
        int index = 0;
        for (std::string_view w : wanted) {
            if (name == w) {
                FoundTag found;
                found.start = open;
                found.end = close == std::string_view::npos ? text.size() : close + 1;
                found.text = tag;
                found.which = index;
                return found;
            }
            ++index;
        }
        if (skipTables && name == "table")
            pos = SkipTable(text, open);
        else
            pos = close == std::string_view::npos ? text.size() : close + 1;
    }
    return {};
}

size_t MarkupLexer::SkipTable(std::string_view text, size_t tableStart)
{
    size_t pos = text.find('>', tableStart);
    if (pos == std::string_view::npos)
        return text.size();
    ++pos;
    int level = 1;
    while (level > 0) {
        FoundTag tag = FindTag(text, pos, {"table", "/table"}, false);
        if (!tag)
            return text.size();
        level += tag.which == 0 ? 1 : -1;
        pos = tag.end;
    }
    return pos;
}

int64_t MarkupLexer::ReadDecimal(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kNumberLimit)
            value = kNumberLimit;
    }
    return negative ? -value : value;
}

int64_t MarkupLexer::ReadCNumber(std::string_view text)
{
    size_t i = 0;
    int base = 10;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    } else if (!text.empty() && text[0] == '0') {
        base = 8;
    }
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0 || digit >= base)
            break;
        value = value * base + digit;
        if (value > kNumberLimit)
            value = kNumberLimit;
    }
    return value;
}
