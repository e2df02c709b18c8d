#include "controls/VisualStyles.h"

#include <gtest/gtest.h>

TEST(ThemeDecision, Table)
{
    struct Case {
        ThemeProbes probes;
        int themed;
    } cases[] = {
        {{true, 6, 0, true, "NormalColor", true, true}, 1},
        {{true, 6, 0, true, "normalcolor", true, true}, 1},
        {{true, 6, 0, true, "HOMESTEAD", true, true}, 1},
        {{true, 6, 0, true, "Metallic", true, true}, 1},
        {{true, 6, 1, true, "NormalColor", true, true}, 0}, // 6.1 and later are not
        {{true, 5, 82, true, "NormalColor", true, true}, 0},
        {{false, 0, 0, true, "NormalColor", true, true}, 0},
        {{true, 6, 0, false, "", true, true}, 0},      // no theme name (no theme library)
        {{true, 6, 0, true, "Royale", true, true}, 0}, // another scheme
        {{true, 6, 0, true, "normalcolors", true, true}, 0},
        {{true, 6, 0, true, "NormalColor", false, true}, 0}, // application not themed
        {{true, 6, 0, true, "NormalColor", true, false}, 0}, // library missing
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.themed, DecideThemed(c.probes))
            << c.probes.major << "." << c.probes.minor << " " << c.probes.colorName;
}

namespace {

int g_probeCalls;
bool g_appThemed;

void Probes(ThemeProbes* probes)
{
    ++g_probeCalls;
    *probes = {true, 6, 0, true, "NormalColor", g_appThemed, true};
}

struct ProbeScope {
    ProbeScope()
    {
        g_probeCalls = 0;
        previous = CVisualStyles::ReplaceProbes(Probes);
        CVisualStyles::ForgetDecision();
    }
    ~ProbeScope()
    {
        CVisualStyles::ReplaceProbes(previous);
        CVisualStyles::ForgetDecision();
    }
    CVisualStyles::ProbeFunc previous;
};

} // namespace

TEST(VisualStyles, DecidedOncePerRun)
{
    ProbeScope scope;
    g_appThemed = false;
    EXPECT_EQ(0, CVisualStyles::IsThemed());
    g_appThemed = true;
    EXPECT_EQ(0, CVisualStyles::IsThemed()); // a later change is not noticed
    EXPECT_EQ(1, g_probeCalls);

    CVisualStyles::ForgetDecision();
    EXPECT_EQ(1, CVisualStyles::IsThemed());
}

TEST(VisualStyles, PlatformAnswerAndFallbacks)
{
    // Under the test prefix the theme name cannot be read as 6.0 common controls expect: classic drawing.
    CVisualStyles::ForgetDecision();
    EXPECT_EQ(0, CVisualStyles::IsThemed());
    HTHEME_HANDLE theme = CVisualStyles::OpenThemeData(nullptr, L"COMBOBOX");
    if (theme != nullptr)
        CVisualStyles::CloseThemeData(theme);
}
