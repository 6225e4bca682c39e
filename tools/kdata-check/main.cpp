// kdata-check DIR: reports every problem of DIR/kdata/ (and DIR/hitudata/) as file:line:field: message.
#include "data/DataFile.h"
#include "kdata-check/KdataChecker.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kdata-check DIR   (checks DIR/kdata/ and DIR/hitudata/)\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    if (!std::filesystem::is_directory(dir / sorban::data::DataFolder)) {
        std::fprintf(stderr, "kdata-check: %s has no kdata folder\n", (dir / sorban::data::DataFolder).c_str());
        return 2;
    }
    try {
        const auto problems = kdatacheck::checkDataFolder(dir);
        for (const auto& p : problems)
            std::printf("%s\n", p.format().c_str());
        return kdatacheck::hasFault(problems) ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kdata-check: %s\n", e.what());
        return 2;
    }
}
