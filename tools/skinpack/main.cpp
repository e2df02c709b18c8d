// skinpack: packs a skin source (objects by key, BMP and TGA images) into a skin file, LZO1X-1, version 1.16.
//   skinpack SOURCE OUTPUT
//   skinpack --describe      prints the layout of every object class (the tables of FORMAT.md)
// Image files are looked for beside the source. Errors go to stderr as "SOURCE:line N: message".
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "skin/engine/store/MemoryStream.h"
#include "tools/skinpack/SkinLayout.h"
#include "tools/skinpack/SkinSource.h"
#include "skin/engine/store/SkinStore.h"

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--describe") {
        std::fputs(DescribeSkinLayout().c_str(), stdout);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinpack SOURCE OUTPUT | skinpack --describe\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "skinpack: cannot open %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string source = argv[1];
    size_t slash = source.find_last_of("\\/");
    std::string baseDir = slash == std::string::npos ? "" : source.substr(0, slash);

    SkinStore store;
    SkinSource parser;
    if (!parser.Parse(text.str(), baseDir, store)) {
        std::fprintf(stderr, "%s:%s\n", argv[1], parser.Error().c_str());
        return 1;
    }
    MemoryStream packed(10240);
    if (!store.Save(packed)) {
        std::fprintf(stderr, "skinpack: packing failed\n");
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(packed.Data()), packed.Size());
    out.close();
    if (!out) {
        std::fprintf(stderr, "skinpack: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("skinpack: %s: %u objects, %u images, %u named objects, %lu bytes\n", argv[2],
                static_cast<unsigned>(store.Objects().size()), static_cast<unsigned>(store.Images().size()),
                static_cast<unsigned>(store.NamedObjects().size()), static_cast<unsigned long>(packed.Size()));
    return 0;
}
