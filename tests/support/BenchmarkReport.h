// The one way a benchmark prints a figure: a tab-separated row that scripts/bench collects into its
// table, and that reads on its own. Value and baseline are in the same unit and measured in the same
// run; the ratio is value / baseline; the aim says what the ratio (or the value) should be.
#pragma once

#include <cstdio>

inline void PrintFigure(const char* figure, double value, double baseline, const char* unit, const char* aim)
{
    std::printf("figure\t%s\t%.3f %s\t%.3f %s\t%.2f\t%s\n", figure, value, unit, baseline, unit,
                baseline != 0 ? value / baseline : 0.0, aim);
    std::fflush(stdout);
}
