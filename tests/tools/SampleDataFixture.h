#pragma once

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace sorban::test {

/// Runs mkdata once per test program; each test gets a copy of its kdata/ to change.
class SampleDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite() { s_generated.reset(); }

    /// The generated set (kdata/ and hitudata/), shared: do not change it.
    static const std::filesystem::path& generated() { return s_generated->path(); }

    /// A fresh copy of the generated kdata/ under work / "kdata", without hitudata/.
    void copyKdata();

    /// The lines of a kdata file as UTF-8, and writing them back as Shift-JIS with CR LF.
    std::vector<std::string> lines(const std::string& file) const;
    void setLines(const std::string& file, const std::vector<std::string>& lines) const;

    TempDir work;

private:
    static std::unique_ptr<TempDir> s_generated;
};

/// Runs a command through the shell; its exit status.
int run(const std::string& command);

} // namespace sorban::test
