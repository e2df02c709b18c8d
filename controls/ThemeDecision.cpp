#include "controls/ThemeDecision.h"

#include <cctype>

namespace {

bool EqualNoCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

} // namespace

int DecideThemed(const ThemeProbes& probes)
{
    // Only common controls 6.0 draw the schemes below as the controls expect.
    if (!probes.versionKnown || probes.major != 6 || probes.minor != 0 || !probes.themeNameRead)
        return 0;
    const char* known[] = {"normalcolor", "homestead", "metallic"};
    bool knownScheme = false;
    for (const char* name : known)
        knownScheme = knownScheme || EqualNoCase(probes.colorName, name);
    if (!knownScheme)
        return 0;
    return probes.appThemed && probes.libraryLoaded ? 1 : 0;
}
