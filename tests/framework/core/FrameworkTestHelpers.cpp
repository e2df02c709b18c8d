// Helpers of the framework tests.
#include "tests/framework/core/FrameworkTestHelpers.h"

#include <stdio.h>

Bytes ReadFileBytes(const std::string& path)
{
    Bytes bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    BYTE chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(f);
    return bytes;
}

void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr)
        return;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

ByteBuilder& ByteBuilder::B(BYTE b)
{
    bytes_.push_back(b);
    return *this;
}

ByteBuilder& ByteBuilder::W(WORD w)
{
    return B((BYTE)w).B((BYTE)(w >> 8));
}

ByteBuilder& ByteBuilder::D(DWORD d)
{
    return W((WORD)d).W((WORD)(d >> 16));
}

ByteBuilder& ByteBuilder::Raw(const std::string& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteBuilder& ByteBuilder::Text(const std::string& text)
{
    if (text.size() < 255)
        B((BYTE)text.size());
    else if (text.size() < 0xFFFE)
        B(0xFF).W((WORD)text.size());
    else
        B(0xFF).W(0xFFFF).D((DWORD)text.size());
    return Raw(text);
}

ByteBuilder& ByteBuilder::ClassTag(const char* name, WORD schema)
{
    return W(0xFFFF).W(schema).W((WORD)strlen(name)).Raw(name);
}

ByteBuilder& ByteBuilder::Repeat(const Bytes& piece, size_t times)
{
    for (size_t i = 0; i < times; ++i)
        bytes_.insert(bytes_.end(), piece.begin(), piece.end());
    return *this;
}
