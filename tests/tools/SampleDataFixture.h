#pragma once

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace sorban::test {

/// Tests of the sample data set that the build makes with mkdata; each test gets a copy of its
/// kdata/ to change.
class SampleDataTest : public ::testing::Test {
protected:
    /// The build's sample set (kdata/ and hitudata/), shared by every test: do not change it.
    static const std::filesystem::path& generated();

    /// A fresh copy of the generated kdata/ under work / "kdata", without hitudata/.
    void copyKdata();

    /// The lines of a kdata file as UTF-8, and writing them back as Shift-JIS with CR LF.
    std::vector<std::string> lines(const std::string& file) const;
    void setLines(const std::string& file, const std::vector<std::string>& lines) const;

    TempDir work;
};

/// Runs a command through the shell; its exit status.
int run(const std::string& command);

} // namespace sorban::test
