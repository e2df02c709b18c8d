// A PTZ protocol loaded from a "*.ptz" file (format in Portwick.h): its name, its description and
// the byte template of each PTZ code.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace portwick {

class PtzProtocol {
public:
    // Loads a file by path, or by protocol name from the library's folders; false when missing
    // or refused (this object is then unchanged).
    bool Load(const std::string& nameOrPath);
    // Parses file text; false (unchanged) on any error.
    bool Parse(const std::string& text, const std::string& defaultName);
    // The device's own protocol of the linkage device (relay frames F6 A 'R' 10 V on/off C).
    void LoadLinkageDefault();
    // Bytes for the code into out[200]; 0 when there is no command for it.
    int Build(int code, uint8_t* out, int address, int speed, int value) const;
    const std::string& Name() const { return name_; }
    const std::string& Description() const { return description_; }

private:
    std::string name_, description_;
    std::map<int, std::vector<std::string>> commands_;
};

} // namespace portwick
