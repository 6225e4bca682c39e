#include "fuzz/FuzzHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Every input a fuzzer ever found a fault with, and a seed of each target, stays here and must
// run cleanly; a target without kept inputs is a mistake in the tree, not a pass.
TEST(FuzzRegressionTest, everyKeptInputRunsThroughItsHarness)
{
    const std::filesystem::path root = SORBAN_FUZZ_REGRESSIONS;
    for (const char* target : {"main_data", "jukujikun", "search_tables", "settings", "jpeg", "text"}) {
        const auto harness = sorban::fuzz::harnessNamed(target);
        ASSERT_NE(harness, nullptr) << target;
        const auto dir = root / target;
        ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
        int inputs = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            harness(bytes.data(), bytes.size());
            ++inputs;
        }
        EXPECT_GT(inputs, 0) << "no kept input for " << target;
    }
}
