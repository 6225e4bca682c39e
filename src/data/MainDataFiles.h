#pragma once

#include "data/KanjiStore.h"
#include "platform/core/FileProblem.h"

#include <filesystem>

namespace sorban::data {

/// Reads knj_yomi.csv, apr_jho.csv and bushu_ban.csv into the store. Returns 1 when all three
/// were read to their end, -1 when the reading or appearance file is missing or a field error
/// stopped the loading, -99 when the radical file is missing. Problems go to `sink`: the program's
/// shows their boxes; a thorough one (kdata-check's) hears of every other fault too, and then the
/// reading goes on past a field error to find the next.
int LoadYomiData(KanjiStore& store, const std::filesystem::path& dataDir, platform::ProblemSink& sink = platform::programSink());

/// Reads knj_atrbt.csv into the attribute tables. Returns -1 when it read the file (to its end,
/// to its record limit, or up to a field error) and -99 when the file is missing.
int LoadAtrbtData(KanjiStore& store, const std::filesystem::path& dataDir, platform::ProblemSink& sink = platform::programSink());

/// Reads knj_goku.csv into GokuText and GokuNote. Returns 1 when read, -1 when missing.
int LoadGokuData(KanjiStore& store, const std::filesystem::path& dataDir, platform::ProblemSink& sink = platform::programSink());

} // namespace sorban::data
