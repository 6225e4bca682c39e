// mkdata OUTDIR: builds the sample kdata/ and hitudata/ from public data in Debian's packages.
#include "data/DataFile.h"
#include "data/PictureFile.h"
#include "mkdata/KdataFiles.h"
#include "mkdata/SampleSet.h"
#include "mkdata/Sources.h"
#include "mkdata/StrokePictures.h"
#include "mkdata/Unicode.h"
#include "platform/core/CommandLine.h"
#include "platform/core/TextCodec.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const fs::path Kanjidic = "/usr/share/edict/kanjidic2.xml.gz";
const fs::path Edict = "/usr/share/edict/edict";
const fs::path CjkRadicals = "/usr/share/unicode/CJKRadicals.txt";
const fs::path StrokeFontDir = "/usr/share/fonts/truetype/kanjistrokeorders";

fs::path strokeFont()
{
    for (const auto& entry : fs::directory_iterator(StrokeFontDir))
        if (entry.path().extension() == ".ttf")
            return entry.path();
    throw std::runtime_error("no KanjiStrokeOrders font in " + StrokeFontDir.string());
}

} // namespace

int main(int argc, char** argv)
{
    const auto line = sorban::platform::readCommandLine(argc, argv, 1);
    if (const int code = sorban::platform::answerCommandLine(
            line, "mkdata", "usage: mkdata OUTDIR",
            "Builds a sample data set for Sorban in OUTDIR/kdata/ and OUTDIR/hitudata/ from KANJIDIC2, EDICT,\n"
            "Unicode's CJKRadicals.txt and the KanjiStrokeOrders font (Debian's kanjidic-xml, edict,\n"
            "unicode-data and fonts-kanjistrokeorders).\n\n"
            "  --help     show this help\n  --version  show the version\n");
        code >= 0)
        return code;
    try {
        const fs::path out = line.operands[0];
        const auto kanji = mkdata::readKanjidic(Kanjidic);
        const auto words = mkdata::readEdict(Edict);
        const auto radicals = mkdata::readCjkRadicals(CjkRadicals);
        const mkdata::StrokePictures pictures(strokeFont());
        std::vector<bool> hasGlyph;
        hasGlyph.reserve(kanji.size());
        for (const auto& k : kanji)
            hasGlyph.push_back(pictures.hasGlyph(k.literal[0]));

        const auto set = mkdata::buildSampleSet(kanji, words, radicals, hasGlyph);
        mkdata::writeKdata(set, out / sorban::data::DataFolder);

        fs::create_directories(out / sorban::data::PictureFolder);
        int drawn = 0;
        for (const auto& k : set.kanji) {
            if (!k.hasPicture)
                continue;
            const std::string name = sorban::data::pictureFileName(k.number, sorban::platform::utf8ToSjis(mkdata::toU8(k.source->literal)));
            pictures.write(k.source->literal[0], out / sorban::data::PictureFolder / name);
            ++drawn;
        }
        std::printf("mkdata: %zu kanji, %d readings, %zu radicals, %d stroke-order pictures in %s\n", set.kanji.size(), set.readingTotal,
                    set.radicals.size(), drawn, out.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkdata: %s\n", e.what());
        return 1;
    }
}
