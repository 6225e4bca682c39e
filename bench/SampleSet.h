#pragma once

#include "data/KanjiStore.h"
#include "jukuji/JukujiTables.h"
#include "support/TestFiles.h"

#include <filesystem>
#include <memory>

namespace sorban::bench {

/// Writes a sample set into `dir` with mkdata, which stands beside the benchmarks in the build's
/// bin folder. False when mkdata failed.
bool writeSampleSet(const std::filesystem::path& dir);

/// A sample set written into a folder of its own, its readings and jukujikun words read.
struct LoadedSample {
    test::TempDir dir;
    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    jukuji::JukujiTables jukuji;
    std::filesystem::path kdata() const { return dir / "kdata"; }
};

/// The sample set written and read; nothing when mkdata failed.
std::unique_ptr<LoadedSample> loadSampleSet();

} // namespace sorban::bench
