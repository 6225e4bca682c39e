#include "FuzzHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Every input the fuzzers ever found a fault with stays here and must run cleanly.
TEST(FuzzRegressionTest, everyKeptInputRunsThroughItsHarness)
{
    const std::filesystem::path root = SORBAN_FUZZ_REGRESSIONS;
    int inputs = 0;
    for (const char* target : {"main_data", "jukujikun", "search_tables", "settings", "jpeg"}) {
        const auto harness = sorban::fuzz::harnessNamed(target);
        ASSERT_NE(harness, nullptr) << target;
        const auto dir = root / target;
        if (!std::filesystem::is_directory(dir))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            harness(bytes.data(), bytes.size());
            ++inputs;
        }
    }
    RecordProperty("inputs", inputs);
}
