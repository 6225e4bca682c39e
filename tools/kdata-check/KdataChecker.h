#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kdatacheck {

struct Problem {
    std::string file; ///< e.g. "kdata/knj_yomi.csv"
    int line = 0;     ///< 1-based; 0 for the file as a whole
    int field = 0;    ///< 1-based; 0 for the line as a whole
    std::string message;
    /// A warning is worth knowing but shows no teacher a wrong value; only faults fail the check.
    bool warning = false;

    /// "file:line:field: message", or "file:line:field: warning: message"; with `japanese` the
    /// message in Japanese and "注意" for a warning.
    std::string format(bool japanese = false) const;
};

/// Whether any of `problems` is a fault rather than a warning.
bool hasFault(const std::vector<Problem>& problems);

/// Checks DIR/kdata/ and, when present, DIR/hitudata/: the program's own readers read every file
/// as thoroughly as they can, reporting what the program would show wrongly or report only as a
/// bare error word; then the files are checked against each other.
std::vector<Problem> checkDataFolder(const std::filesystem::path& dir);

} // namespace kdatacheck
