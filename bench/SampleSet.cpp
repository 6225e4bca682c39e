#include "SampleSet.h"

#include "data/MainDataFiles.h"

#include <cstdlib>
#include <string>

namespace sorban::bench {

bool writeSampleSet(const std::filesystem::path& dir)
{
    const auto mkdata = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "mkdata";
    return std::system((mkdata.string() + " " + dir.string() + " >/dev/null").c_str()) == 0;
}

std::unique_ptr<LoadedSample> loadSampleSet()
{
    auto sample = std::make_unique<LoadedSample>();
    if (!writeSampleSet(sample->dir.path()))
        return nullptr;
    data::LoadYomiData(*sample->store, sample->kdata());
    jukuji::readAppearances(sample->jukuji, sample->kdata());
    return sample;
}

} // namespace sorban::bench
