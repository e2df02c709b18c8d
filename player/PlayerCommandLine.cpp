// The player's command-line parser, without windows.
#include "player/PlayerCommandLine.h"

#include <stdlib.h>
#include <string.h>

#include <string>

#include <afxstr.h>

namespace {

const char kMarker[] = " *far ";

// One pair of quotes removed; what stood before the first quote is dropped. An unbalanced quote
// keeps everything after it.
std::string Unquote(const std::string& text)
{
    size_t first = text.find('"');
    if (first == std::string::npos)
        return text;
    size_t second = text.find('"', first + 1);
    if (second == std::string::npos)
        return text.substr(first + 1);
    return text.substr(first + 1, second - first - 1) + text.substr(second + 1);
}

// Copies a whole field or nothing: a field that does not fit makes the line invalid.
bool CopyField(char* dest, size_t size, const std::string& field)
{
    if (field.size() >= size)
        return false;
    memcpy(dest, field.c_str(), field.size() + 1);
    return true;
}

// The text up to the next blank, and the rest after that blank; false when there is no blank.
bool TakeField(std::string& rest, std::string& field)
{
    size_t blank = rest.find(' ');
    if (blank == std::string::npos)
        return false;
    field = rest.substr(0, blank);
    rest = rest.substr(blank + 1);
    return true;
}

std::string WithoutBlanksAndLineBreaks(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

} // namespace

int ParsePlayerCommandLine(const char* text, PlayTarget& target)
{
    std::string line = Unquote(text != nullptr ? text : "");
    size_t marker = line.find(kMarker);
    if (marker == std::string::npos || marker == 0) {
        if (!CopyField(target.path, sizeof target.path, line))
            return -1;
        target.local = 1;
        return 0;
    }
    if (!CopyField(target.path, sizeof target.path, line.substr(0, marker)))
        return -1;
    std::string rest = line.substr(marker + strlen(kMarker));
    std::string address, port, user;
    if (!TakeField(rest, address) || !TakeField(rest, port) || !TakeField(rest, user))
        return -1;
    PlayTarget parsed = target;
    if (!CopyField(parsed.address, sizeof parsed.address, address) ||
        !CopyField(parsed.user, sizeof parsed.user, user) ||
        !CopyField(parsed.password, sizeof parsed.password, WithoutBlanksAndLineBreaks(rest)))
        return -1;
    parsed.port = atoi(port.c_str());
    parsed.local = 0;
    target = parsed;
    return 0;
}

PlayTarget LocalTarget(const char* path)
{
    PlayTarget target = {};
    CopyText(target.path, path);
    target.local = 1;
    return target;
}
