#pragma once

#include "mkdata/SampleSet.h"

#include <filesystem>

namespace mkdata {

/// Writes the eleven files of kdata/ for the sample set into `dir`.
void writeKdata(const SampleSet& set, const std::filesystem::path& dir);

} // namespace mkdata
