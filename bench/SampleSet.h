#pragma once

#include <filesystem>

namespace sorban::bench {

/// Writes a sample set into `dir` with mkdata, which stands beside the benchmarks in the build's
/// bin folder. False when mkdata failed.
bool writeSampleSet(const std::filesystem::path& dir);

} // namespace sorban::bench
