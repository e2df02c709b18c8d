// SkinSource: the line-based skin source reader and the value syntax of each property kind.
#include "tools/skinpack/SkinSource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/objects/SkinObject.h"
#include "skin/engine/store/SkinStore.h"

namespace {

struct KindName {
    const char* name;
    int kind;
};
const KindName kKindNames[] = {
    {"font", KindFont},
    {"text", KindText},
    {"color", KindColor},
    {"imagepart", KindImagePart},
    {"slicedimage", KindSlicedImage},
    {"rect", KindRect},
    {"integer", KindInteger},
    {"controlid", KindControlId},
    {"bytes", KindBytes},
    {"texteffect", KindTextEffect},
    {"longtext", KindLongText},
};

bool ParseNumber(const std::string& token, long long& value)
{
    if (token.empty())
        return false;
    char* end = NULL;
    value = std::strtoll(token.c_str(), &end, 0);
    return end && *end == '\0';
}

bool ParseInt(const std::string& token, int32_t& value)
{
    long long v = 0;
    if (!ParseNumber(token, v) || v < INT32_MIN || v > UINT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ParseColor(const std::string& token, COLORREF& color)
{
    if (token.size() == 7 && token[0] == '#') {
        char* end = NULL;
        unsigned long rgb = std::strtoul(token.c_str() + 1, &end, 16);
        if (!end || *end)
            return false;
        color = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        return true;
    }
    int32_t raw = 0;
    if (!ParseInt(token, raw))
        return false;
    color = static_cast<COLORREF>(raw);
    return true;
}

std::string ColorText(COLORREF c)
{
    char text[16];
    if (c & 0xFF000000) {
        std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(c));
    } else {
        std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    }
    return text;
}

std::string Quote(const std::string& ansi)
{
    // Back to UTF-8 for the source; quotes and backslashes escaped, other bytes below 32 as \xNN.
    std::string utf8;
    int wide = MultiByteToWideChar(936, 0, ansi.c_str(), static_cast<int>(ansi.size()), NULL, 0);
    std::wstring w(wide, L'\0');
    MultiByteToWideChar(936, 0, ansi.c_str(), static_cast<int>(ansi.size()), &w[0], wide);
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), wide, NULL, 0, NULL, NULL);
    utf8.assign(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), wide, &utf8[0], n, NULL, NULL);
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

bool StoreText(const std::string& token, char* dest, size_t size, std::string& error)
{
    std::string ansi = SourceTextToAnsi(token);
    if (ansi.size() >= size) {
        error = "text longer than " + std::to_string(size - 1) + " bytes";
        return false;
    }
    tessarine::CopyText(dest, size, ansi.c_str());
    return true;
}

const char* const kModes[] = {"copy", "tile", "stretch"};

bool ParseImageName(const std::string& token, char* dest, size_t size, std::string& error)
{
    if (!StoreText(token, dest, size, error))
        return false;
    // Upper-cased as the store keys its images, whatever the code page the packer runs under.
    std::string key = SkinImageKey(dest);
    std::memcpy(dest, key.data(), key.size());
    return true;
}

bool ParseMode(const std::string& token, int32_t& mode)
{
    for (int i = 0; i < 3; ++i)
        if (token == kModes[i]) {
            mode = i;
            return true;
        }
    return ParseInt(token, mode);
}

bool ParseRectTokens(const std::vector<std::string>& t, size_t first, RECT& r)
{
    int32_t v[4];
    for (int i = 0; i < 4; ++i)
        if (first + i >= t.size() || !ParseInt(t[first + i], v[i]))
            return false;
    SetRect(&r, v[0], v[1], v[2], v[3]);
    return true;
}

// name=value attributes after the positional values of fonts and text effects.
bool SplitAttribute(const std::string& token, std::string& name, std::string& value)
{
    size_t eq = token.find('=');
    if (eq == std::string::npos || eq == 0)
        return false;
    name = token.substr(0, eq);
    value = token.substr(eq + 1);
    return true;
}

bool ParseFont(const std::vector<std::string>& t, SkinFont& font, std::string& error)
{
    size_t i = 0;
    LOGFONTA& lf = font.logFont;
    if (i < t.size() && t[i].find('=') == std::string::npos && t[i][0] != '-' &&
        !isdigit(static_cast<unsigned char>(t[i][0]))) {
        if (!StoreText(t[i], lf.lfFaceName, sizeof lf.lfFaceName, error))
            return false;
        ++i;
    }
    int32_t height = 0;
    if (i < t.size() && ParseInt(t[i], height)) {
        lf.lfHeight = height;
        ++i;
    }
    for (; i < t.size(); ++i) {
        std::string name, value;
        int32_t v = 0;
        if (!SplitAttribute(t[i], name, value)) {
            error = "expected name=value, found '" + t[i] + "'";
            return false;
        }
        if (name == "face") {
            if (!StoreText(value, lf.lfFaceName, sizeof lf.lfFaceName, error))
                return false;
            continue;
        }
        if (name == "color") {
            if (!ParseColor(value, font.color)) {
                error = "bad colour '" + value + "'";
                return false;
            }
            continue;
        }
        if (!ParseInt(value, v)) {
            error = "bad number '" + value + "'";
            return false;
        }
        if (name == "height")
            lf.lfHeight = v;
        else if (name == "width")
            lf.lfWidth = v;
        else if (name == "escapement")
            lf.lfEscapement = v;
        else if (name == "orientation")
            lf.lfOrientation = v;
        else if (name == "weight")
            lf.lfWeight = v;
        else if (name == "italic")
            lf.lfItalic = static_cast<BYTE>(v);
        else if (name == "underline")
            lf.lfUnderline = static_cast<BYTE>(v);
        else if (name == "strikeout")
            lf.lfStrikeOut = static_cast<BYTE>(v);
        else if (name == "charset")
            lf.lfCharSet = static_cast<BYTE>(v);
        else if (name == "outprecision")
            lf.lfOutPrecision = static_cast<BYTE>(v);
        else if (name == "clipprecision")
            lf.lfClipPrecision = static_cast<BYTE>(v);
        else if (name == "quality")
            lf.lfQuality = static_cast<BYTE>(v);
        else if (name == "pitch")
            lf.lfPitchAndFamily = static_cast<BYTE>(v);
        else {
            error = "unknown font attribute '" + name + "'";
            return false;
        }
    }
    return true;
}

bool ParseTextEffect(const std::vector<std::string>& t, TextEffect& e, std::string& error)
{
    for (const std::string& token : t) {
        std::string name, value;
        COLORREF c = 0;
        int32_t v = 0;
        if (!SplitAttribute(token, name, value)) {
            error = "expected name=value, found '" + token + "'";
            return false;
        }
        bool isColor = name == "color" || name == "shadow";
        if (!isColor && name != "dx" && name != "dy" && name != "flags") {
            error = "unknown text effect attribute '" + name + "'";
            return false;
        }
        if (isColor ? !ParseColor(value, c) : !ParseInt(value, v)) {
            error = "bad value '" + value + "'";
            return false;
        }
        if (name == "color")
            SetTextEffectColor(e, c);
        else if (name == "shadow") {
            e.shadowRed = GetRValue(c);
            e.shadowGreen = GetGValue(c);
            e.shadowBlue = GetBValue(c);
        } else if (name == "dx")
            e.dx = static_cast<int8_t>(v);
        else if (name == "dy")
            e.dy = static_cast<int8_t>(v);
        else
            e.flags = static_cast<uint32_t>(v);
    }
    return true;
}

std::string TypeLabel(int type)
{
    const char* name = GetSkinTypeName(type);
    return name ? name : "PropertySet";
}

void ReadFileBytes(const std::string& path, std::string& bytes)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    bytes = all.str();
}

} // namespace

std::string SourceTextToAnsi(const std::string& utf8)
{
    if (utf8.empty())
        return utf8;
    int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), NULL, 0);
    std::wstring w(wide, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), static_cast<int>(utf8.size()), &w[0], wide);
    int n = WideCharToMultiByte(936, 0, w.c_str(), wide, NULL, 0, NULL, NULL);
    std::string out(n, '\0');
    WideCharToMultiByte(936, 0, w.c_str(), wide, &out[0], n, NULL, NULL);
    return out;
}

std::vector<std::string> SkinSource::Tokenize(const std::string& line, std::string& error)
{
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::string token;
        bool quoted = false;
        while (i < line.size() && !isspace(static_cast<unsigned char>(line[i]))) {
            if (line[i] != '"') {
                token += line[i++];
                continue;
            }
            quoted = true;
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    char c = line[++i];
                    if (c == 'x' && i + 2 < line.size()) {
                        token += static_cast<char>(std::strtol(line.substr(i + 1, 2).c_str(), NULL, 16));
                        i += 3;
                        continue;
                    }
                    token += c == 'n' ? '\n' : c;
                    ++i;
                    continue;
                }
                token += line[i++];
            }
            if (i >= line.size()) {
                error = "unterminated text";
                return std::vector<std::string>();
            }
            ++i;
        }
        (void)quoted;
        tokens.push_back(token);
    }
    return tokens;
}

std::string SkinSource::FormatValue(const FieldDef& def, const void* value)
{
    std::ostringstream out;
    switch (def.kind) {
    case KindText:
        return Quote(std::string(static_cast<const char*>(value), strnlen(static_cast<const char*>(value), def.size)));
    case KindLongText:
        return Quote(*static_cast<const std::string*>(value));
    case KindColor:
        return ColorText(*static_cast<const COLORREF*>(value));
    case KindInteger:
    case KindControlId:
        return std::to_string(*static_cast<const uint32_t*>(value));
    case KindRect: {
        const RECT& r = *static_cast<const RECT*>(value);
        out << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom;
        return out.str();
    }
    case KindBytes: {
        const BYTE* b = static_cast<const BYTE*>(value);
        for (int i = 0; i < def.size; ++i)
            out << (i ? " " : "") << static_cast<int>(b[i]);
        return out.str();
    }
    case KindImagePart: {
        const ImagePart& p = *static_cast<const ImagePart*>(value);
        out << Quote(std::string(p.image, strnlen(p.image, sizeof p.image))) << ' ' << p.source.left << ' '
            << p.source.top << ' ' << p.source.right << ' ' << p.source.bottom << ' ' << p.mode;
        return out.str();
    }
    case KindSlicedImage: {
        const SlicedImage& s = *static_cast<const SlicedImage*>(value);
        out << Quote(std::string(s.image, strnlen(s.image, sizeof s.image))) << ' ' << s.source.left << ' '
            << s.source.top << ' ' << s.source.right << ' ' << s.source.bottom << ' ' << s.margins.left << ' '
            << s.margins.top << ' ' << s.margins.right << ' ' << s.margins.bottom << ' ' << s.mode;
        return out.str();
    }
    case KindFont: {
        const SkinFont& f = *static_cast<const SkinFont*>(value);
        const LOGFONTA& lf = f.logFont;
        out << "face=" << Quote(std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)))
            << " height=" << lf.lfHeight << " width=" << lf.lfWidth << " escapement=" << lf.lfEscapement
            << " orientation=" << lf.lfOrientation << " weight=" << lf.lfWeight << " italic=" << int(lf.lfItalic)
            << " underline=" << int(lf.lfUnderline) << " strikeout=" << int(lf.lfStrikeOut)
            << " charset=" << int(lf.lfCharSet) << " outprecision=" << int(lf.lfOutPrecision)
            << " clipprecision=" << int(lf.lfClipPrecision) << " quality=" << int(lf.lfQuality)
            << " pitch=" << int(lf.lfPitchAndFamily) << " color=" << ColorText(f.color);
        return out.str();
    }
    case KindTextEffect: {
        const TextEffect& e = *static_cast<const TextEffect*>(value);
        out << "color=" << ColorText(TextEffectColor(e))
            << " shadow=" << ColorText(RGB(e.shadowRed, e.shadowGreen, e.shadowBlue)) << " dx=" << int(e.dx)
            << " dy=" << int(e.dy) << " flags=" << e.flags;
        return out.str();
    }
    default:
        return "";
    }
}

bool SkinSource::ParseValue(const FieldDef& def, const std::vector<std::string>& t, void* value, std::string& error)
{
    auto need = [&](size_t n) {
        if (t.size() >= n)
            return true;
        error = "too few values";
        return false;
    };
    switch (def.kind) {
    case KindText:
        return need(1) && StoreText(t[0], static_cast<char*>(value), def.size, error);
    case KindLongText:
        *static_cast<std::string*>(value) = t.empty() ? std::string() : SourceTextToAnsi(t[0]);
        return true;
    case KindColor:
        if (need(1) && ParseColor(t[0], *static_cast<COLORREF*>(value)))
            return true;
        error = "bad colour";
        return false;
    case KindInteger:
    case KindControlId:
        if (need(1) && ParseInt(t[0], *static_cast<int32_t*>(value)))
            return true;
        error = "bad number";
        return false;
    case KindRect:
        if (ParseRectTokens(t, 0, *static_cast<RECT*>(value)))
            return true;
        error = "expected left top right bottom";
        return false;
    case KindBytes: {
        if (t.size() > def.size) {
            error = "too many bytes";
            return false;
        }
        BYTE* b = static_cast<BYTE*>(value);
        std::memset(b, 0, def.size);
        for (size_t i = 0; i < t.size(); ++i) {
            int32_t v = 0;
            if (!ParseInt(t[i], v) || v < 0 || v > 255) {
                error = "bad byte '" + t[i] + "'";
                return false;
            }
            b[i] = static_cast<BYTE>(v);
        }
        return true;
    }
    case KindImagePart: {
        ImagePart& p = *static_cast<ImagePart*>(value);
        std::memset(&p, 0, sizeof p);
        if (t.size() == 1 && t[0] == "none")
            return true;
        if (!need(5) || !ParseImageName(t[0], p.image, sizeof p.image, error))
            return false;
        if (!ParseRectTokens(t, 1, p.source) || (t.size() > 5 && !ParseMode(t[5], p.mode)) || t.size() > 6) {
            error = "expected IMAGE left top right bottom [copy|tile|stretch]";
            return false;
        }
        return true;
    }
    case KindSlicedImage: {
        SlicedImage& s = *static_cast<SlicedImage*>(value);
        std::memset(&s, 0, sizeof s);
        if (t.size() == 1 && t[0] == "none")
            return true;
        if (!need(9) || !ParseImageName(t[0], s.image, sizeof s.image, error))
            return false;
        if (!ParseRectTokens(t, 1, s.source) || !ParseRectTokens(t, 5, s.margins) ||
            (t.size() > 9 && !ParseInt(t[9], s.mode)) || t.size() > 10) {
            error = "expected IMAGE left top right bottom marginleft margintop marginright marginbottom [mode]";
            return false;
        }
        return true;
    }
    case KindFont:
        return ParseFont(t, *static_cast<SkinFont*>(value), error);
    case KindTextEffect:
        return ParseTextEffect(t, *static_cast<TextEffect*>(value), error);
    default:
        error = "this field cannot be set";
        return false;
    }
}

bool SkinSource::NameObject(SkinObject& object, const std::string& name, std::string& error)
{
    return StoreText(name, object.name, sizeof object.name, error);
}

// A new object block; the object is the block's until its 'end'.
bool SkinSource::Open(SkinObject* object, const std::string& name, bool topLevel, bool named)
{
    std::string error;
    if (!NameObject(*object, name, error)) {
        delete object;
        return Fail(error);
    }
    blocks_.push_back({object, topLevel, named});
    return true;
}

bool SkinSource::Fail(const std::string& message)
{
    error_ = "line " + std::to_string(line_) + ": " + message;
    return false;
}

bool SkinSource::Parse(const std::string& text, const std::string& baseDir, SkinStore& store)
{
    baseDir_ = baseDir;
    line_ = 0;
    blocks_.clear();
    std::istringstream in(text);
    std::string line;
    bool ok = true;
    while (ok && std::getline(in, line)) {
        ++line_;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#' || line[first] == ';')
            continue;
        std::string tokenError;
        std::vector<std::string> tokens = Tokenize(line, tokenError);
        ok = tokenError.empty() ? Statement(tokens, store) : Fail(tokenError);
    }
    if (ok && !blocks_.empty()) {
        ++line_;
        ok = Fail("'end' missing at the end of the source");
    }
    // Objects still open when a statement failed belong to nobody else.
    while (!blocks_.empty()) {
        if (blocks_.back().object->Type() != SkinTypeMenuBar)
            delete blocks_.back().object;
        blocks_.pop_back();
    }
    return ok;
}

bool SkinSource::Statement(const std::vector<std::string>& t, SkinStore& store)
{
    const std::string& word = t[0];
    if (word == "end") {
        if (blocks_.empty())
            return Fail("'end' without an open object");
        Block block = blocks_.back();
        blocks_.pop_back();
        if (block.object->Type() == SkinTypeMenuBar && !blocks_.empty())
            return true; // the frame's own menu bar
        if (block.named)
            store.AddNamedObject(block.object);
        else if (block.topLevel)
            store.AddObject(block.object);
        else if (!blocks_.back().object->AddChild(block.object)) {
            delete block.object;
            return Fail("a child of that NAME is already there");
        }
        return true;
    }
    if (word == "author") {
        if (t.size() != 2 || !blocks_.empty())
            return Fail("expected: author \"text\" outside objects");
        std::string ansi = SourceTextToAnsi(t[1]);
        store.SetAuthor(ansi.c_str());
        return true;
    }
    if (word == "image")
        return LoadImage(t, store);
    if (word == "object" || word == "child" || word == "named" || word == "menubar")
        return OpenObject(t, store);
    if (word == "property")
        return AddProperty(t);
    if (t.size() >= 2 && t[1] == "=")
        return Assign(t);
    return Fail("unknown statement '" + word + "'");
}

bool SkinSource::OpenObject(const std::vector<std::string>& t, SkinStore&)
{
    const std::string& word = t[0];
    if (word == "menubar") {
        FrameWndSkinObject* frame = blocks_.empty() ? NULL : dynamic_cast<FrameWndSkinObject*>(blocks_.back().object);
        if (!frame || t.size() != 1)
            return Fail("'menubar' stands alone inside a FrameWnd object");
        blocks_.push_back({frame->menuBar, false, false});
        return true;
    }
    if (word == "named") {
        if (!blocks_.empty() || t.size() != 2)
            return Fail("expected: named \"NAME\" outside objects");
        return Open(new SkinObject(SkinTypeVoice), t[1], true, true);
    }
    if (t.size() != 3)
        return Fail("expected: " + word + " TYPE \"NAME\"");
    const bool top = word == "object";
    if (top != blocks_.empty())
        return Fail(top ? "'object' inside another object: use 'child'" : "'child' outside an object");
    int type = FindSkinTypeByName(t[1].c_str());
    if (type < 0 || (top ? !IsTopLevelSkinType(type) : !CanStandAsChild(blocks_.back().object->Type(), type)))
        return Fail("type '" + t[1] + "' cannot stand " + (top ? "at top level" : "as a child"));
    return Open(CreateSkinObject(type), t[2], top, false);
}

bool SkinSource::Assign(const std::vector<std::string>& t)
{
    if (blocks_.empty())
        return Fail("a field outside an object");
    SkinObject* object = blocks_.back().object;
    std::string key = t[0];
    int index = -1;
    size_t bracket = key.find('[');
    if (bracket != std::string::npos && key.back() == ']') {
        index = std::atoi(key.substr(bracket + 1).c_str());
        key = key.substr(0, bracket);
    }
    const FieldDef* def = object->FindField(key.c_str());
    if (!def || !(def->Written() || (def->flags & FieldAlias)))
        return Fail("no field '" + key + "' in a " + TypeLabel(object->Type()) + " object");
    if ((index < 0 && def->count != 1) || (index >= 0 && index >= def->count))
        return Fail("'" + key + "' takes an index from 0 to " + std::to_string(def->count - 1));
    char* value = static_cast<char*>(def->Address(*object)) + (index > 0 ? index * def->size : 0);
    std::vector<std::string> values(t.begin() + 2, t.end());
    std::string error;
    return SkinSource::ParseValue(*def, values, value, error) || Fail(key + ": " + error);
}

bool SkinSource::AddProperty(const std::vector<std::string>& t)
{
    PropertySetSkinObject* set = blocks_.empty() ? NULL : dynamic_cast<PropertySetSkinObject*>(blocks_.back().object);
    if (!set)
        return Fail("'property' stands inside a PropertySet object");
    if (t.size() < 3)
        return Fail("expected: property \"KEY\" KIND value... [text \"...\"] [default \"...\"]");
    SkinPropertyRecord record = {};
    std::string error;
    if (!StoreText(t[1], record.key, sizeof record.key, error))
        return Fail(error);
    int kind = -1;
    for (const KindName& k : kKindNames)
        if (t[2] == k.name)
            kind = k.kind;
    int32_t number = 0;
    if (kind < 0 && ParseInt(t[2], number))
        kind = number;
    if (kind < 0)
        return Fail("unknown kind '" + t[2] + "'");
    record.kind = static_cast<uint32_t>(kind);
    std::vector<std::string> values;
    for (size_t i = 3; i < t.size(); ++i) {
        if ((t[i] == "text" || t[i] == "default") && i + 1 < t.size()) {
            if (t[i] == "text") {
                record.hasText = true;
                record.text = SourceTextToAnsi(t[i + 1]);
            } else if (!StoreText(t[i + 1], record.defaultText, sizeof record.defaultText, error)) {
                return Fail(error);
            }
            ++i;
            continue;
        }
        values.push_back(t[i]);
    }
    // The value is held in the layout of its kind; kinds without one take raw bytes.
    static const uint16_t sizes[] = {64, 51, 4, 72, 88, 16, 4, 4, 0, 16};
    uint16_t size = kind >= 0 && kind <= 9 ? sizes[kind] : 0;
    if (size == 0)
        size = static_cast<uint16_t>(values.size());
    FieldDef def = {"", static_cast<uint8_t>(kind <= 9 ? kind : KindBytes), size, 1, NULL, 0, 255, 0};
    record.value.assign(size, 0);
    if (kind == KindFont)
        *reinterpret_cast<SkinFont*>(record.value.data()) = ResetFont();
    if (kind == KindTextEffect)
        *reinterpret_cast<TextEffect*>(record.value.data()) = ResetTextEffect();
    if (size && !ParseValue(def, values, record.value.data(), error))
        return Fail(std::string(record.key) + ": " + error);
    set->records.push_back(record);
    return true;
}

bool SkinSource::LoadImage(const std::vector<std::string>& t, SkinStore& store)
{
    if (!blocks_.empty() || t.size() != 3)
        return Fail("expected: image NAME \"file\" outside objects");
    std::string path = baseDir_.empty() ? t[2] : baseDir_ + "\\" + t[2];
    std::string bytes;
    ReadFileBytes(path, bytes);
    if (bytes.empty())
        return Fail("cannot read the image file '" + path + "'");
    std::string lower = t[2];
    CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    int format = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".tga") == 0 ? SkinImage::FormatTga
                                                                                     : SkinImage::FormatBmp;
    ImageSkinObject* image = new ImageSkinObject;
    std::string error;
    if (!NameObject(*image, t[1], error)) {
        delete image;
        return Fail(error);
    }
    if (!image->Image().Decode(bytes.data(), bytes.size(), format)) {
        delete image;
        return Fail("'" + path + "' is no BMP or TGA picture this toolkit reads");
    }
    store.AddImage(image);
    return true;
}
