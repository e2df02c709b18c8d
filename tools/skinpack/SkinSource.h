// SkinSource: reads a skin source, the readable description of a skin (objects and their fields by key,
// images by file), into a SkinStore that the packer then writes. The format is described in
// skin/engine/store/FORMAT.md. Texts in the source are UTF-8 and are stored in code page 936.
#pragma once
#include <string>
#include <vector>

#include "skin/engine/store/SkinRecords.h"

class SkinObject;
class SkinStore;

class SkinSource {
public:
    // baseDir is where image files named by the source are looked for ("" = current directory).
    bool Parse(const std::string& text, const std::string& baseDir, SkinStore& store);
    // "line N: what is wrong", after a failed Parse.
    const std::string& Error() const { return error_; }

    // One field's value as the source writes it, and back. Used by tests and error messages.
    static std::string FormatValue(const FieldDef& def, const void* value);
    static bool ParseValue(const FieldDef& def, const std::vector<std::string>& tokens, void* value,
                           std::string& error);
    static std::vector<std::string> Tokenize(const std::string& line, std::string& error);

private:
    struct Block {
        SkinObject* object;
        bool topLevel;
        bool named;
    };
    bool Statement(const std::vector<std::string>& tokens, SkinStore& store);
    bool OpenObject(const std::vector<std::string>& tokens, SkinStore& store);
    bool Assign(const std::vector<std::string>& tokens);
    bool AddProperty(const std::vector<std::string>& tokens);
    bool LoadImage(const std::vector<std::string>& tokens, SkinStore& store);
    bool Open(SkinObject* object, const std::string& name, bool topLevel, bool named);
    static bool NameObject(SkinObject& object, const std::string& name, std::string& error);
    bool Fail(const std::string& message);

    std::string baseDir_;
    std::string error_;
    int line_ = 0;
    std::vector<Block> blocks_;
    std::vector<SkinObject*> pendingTop_;
};

// UTF-8 source text to code page 936.
std::string SourceTextToAnsi(const std::string& utf8);
