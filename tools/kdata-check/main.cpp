// kdata-check DIR: reports every problem of DIR/kdata/ (and DIR/hitudata/) as file:line:field: message.
#include "data/DataFile.h"
#include "kdata-check/Japanese.h"
#include "kdata-check/KdataChecker.h"
#include "platform/core/CommandLine.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv)
{
    const auto line = sorban::platform::readCommandLine(argc, argv, 1);
    if (const int code =
            sorban::platform::answerCommandLine(line, "kdata-check", "usage: kdata-check DIR   (checks DIR/kdata/ and DIR/hitudata/)",
                                                "Reports every problem of a Sorban data folder as file:line:field: message; exits 0 when\n"
                                                "clean, 1 with problems, 2 when it cannot run.\n\n"
                                                "  --help     show this help\n  --version  show the version\n");
        code >= 0)
        return code;
    const std::filesystem::path dir = line.operands[0];
    if (!std::filesystem::is_directory(dir / sorban::data::DataFolder)) {
        std::fprintf(stderr,
                     kdatacheck::japaneseLocale() ? "kdata-check: %s に kdata フォルダーがありません\n"
                                                  : "kdata-check: %s has no kdata folder\n",
                     (dir / sorban::data::DataFolder).c_str());
        return 2;
    }
    try {
        const bool japanese = kdatacheck::japaneseLocale();
        const auto problems = kdatacheck::checkDataFolder(dir);
        int warnings = 0;
        for (const auto& p : problems) {
            std::printf("%s\n", p.format(japanese).c_str());
            warnings += p.warning;
        }
        // On standard error: standard output stays one problem a line, for scripts.
        std::fprintf(stderr, "%s\n", kdatacheck::summary(static_cast<int>(problems.size()), warnings, japanese).c_str());
        return kdatacheck::hasFault(problems) ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kdata-check: %s\n", e.what());
        return 2;
    }
}
