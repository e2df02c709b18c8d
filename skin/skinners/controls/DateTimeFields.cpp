// DateTimeFields: splitting a picker's text into fields and finding the one under a point.
#include "skin/skinners/controls/DateTimeFields.h"

#include <cstdlib>

namespace {

bool InField(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::vector<DateTimeField> SplitDateTimeFields(const char* text, int length)
{
    std::vector<DateTimeField> fields;
    for (int i = 0; i < length;) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!InField(c)) {
            // A lead byte of code page 936 takes its trail byte with it.
            i += (c >= 0x81 && c <= 0xFE && i + 1 < length) ? 2 : 1;
            continue;
        }
        DateTimeField field = {i, i};
        while (field.last + 1 < length && InField(static_cast<unsigned char>(text[field.last + 1])))
            ++field.last;
        fields.push_back(field);
        i = field.last + 1;
    }
    return fields;
}

DateTimeField NearestDateTimeField(const std::vector<DateTimeField>& fields, const std::vector<int>& ends, int x)
{
    DateTimeField best = {-1, -1};
    int bestDistance = 0;
    for (const DateTimeField& field : fields) {
        if (field.last >= static_cast<int>(ends.size()))
            break;
        const int left = field.first ? ends[field.first - 1] : 0;
        const int distance = std::abs((left + ends[field.last]) / 2 - x);
        if (best.first < 0 || distance < bestDistance) {
            best = field;
            bestDistance = distance;
        }
    }
    return best;
}
