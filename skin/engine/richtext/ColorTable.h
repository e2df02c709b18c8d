// The colour names of the tooltip markup: the named colours of HTML and CSS and the system colours,
// read once when the table is made.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <string_view>

class ColorTable {
public:
    ColorTable(); // fills the 168 names
    // Adding a name that is already present replaces its value.
    void Add(std::string_view name, COLORREF color);
    // Exact match; false when the name is unknown.
    bool Find(std::string_view name, COLORREF& color) const;
    size_t Size() const { return colors_.size(); }

private:
    std::map<std::string, COLORREF, std::less<>> colors_;
};
