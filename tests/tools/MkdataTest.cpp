#include "data/KanjiStore.h"
#include "data/MainDataFiles.h"
#include "data/PictureFile.h"
#include "kdata-check/KdataChecker.h"
#include "platform/core/TextCodec.h"
#include "support/RecordingDialogs.h"
#include "tools/SampleDataFixture.h"

#include <QImage>

#include <fstream>
#include <sstream>

using namespace sorban;
namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

using MkdataTest = test::SampleDataTest;

} // namespace

TEST_F(MkdataTest, twoRunsWriteIdenticalBytes)
{
    ASSERT_EQ(test::run(std::string(MKDATA_BIN) + " " + work.path().string() + " >/dev/null"), 0);
    for (const auto& dir : {"kdata", "hitudata"}) {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(generated() / dir)) {
            ++files;
            const fs::path twin = work / dir / entry.path().filename();
            ASSERT_TRUE(fs::exists(twin)) << twin;
            ASSERT_EQ(contents(entry.path()), contents(twin)) << twin;
        }
        EXPECT_EQ(files, std::string(dir) == "kdata" ? 11 : 1026);
    }
}

TEST_F(MkdataTest, outputLoadsCleanlyAndKeepsTheStoreInvariants)
{
    auto store = std::make_unique<data::KanjiStore>();
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard(recorder);
    const fs::path kdata = generated() / "kdata";
    EXPECT_EQ(data::LoadYomiData(*store, kdata), 1);
    EXPECT_EQ(data::LoadAtrbtData(*store, kdata), -1);
    EXPECT_EQ(data::LoadGokuData(*store, kdata), 1);
    EXPECT_TRUE(recorder.events.empty());

    EXPECT_EQ(platform::sjisToUtf8(store->KanjiText[1]), "愛");
    EXPECT_EQ(store->YomiTotal[1], store->YomiCount[1]);
    for (int n = 1; n <= data::MaxKanji; ++n) {
        ASSERT_GE(store->YomiCount[n], 1) << n;
        if (n > 1) {
            ASSERT_EQ(store->YomiTotal[n], store->YomiTotal[n - 1] + store->YomiCount[n]) << n;
        }
        ASSERT_EQ(store->FindKanji(store->KanjiText[n]), n);
        ASSERT_GE(store->HaitouNen[n - 1], 1);
        ASSERT_LE(store->HaitouNen[n - 1], 6);
        ASSERT_FALSE(store->BushuName[store->BushuNo[n - 1]].empty()) << n;
        const std::string picture = data::pictureFileName(n, store->KanjiText[n]);
        ASSERT_EQ(store->HitujunFlag[n - 1] == 1, fs::exists(generated() / "hitudata" / picture)) << picture;
    }
    EXPECT_LE(store->YomiTotal[data::MaxKanji], data::ReadingSlots);
    EXPECT_NE(platform::sjisToUtf8(store->AprNote).find("見本"), std::string::npos);
    EXPECT_NE(platform::sjisToUtf8(store->GokuNote).find("見本"), std::string::npos);
    for (const auto& label : store->ColumnLabel)
        EXPECT_NE(platform::sjisToUtf8(label).find("見本"), std::string::npos);

    EXPECT_TRUE(kdatacheck::checkDataFolder(generated()).empty());
}

TEST_F(MkdataTest, picturesAreWhiteWithDarkStrokes)
{
    const QImage picture(QString::fromStdString((generated() / "hitudata" / "h1愛.jpg").string()));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(250, 250));
    EXPECT_GT(qGray(picture.pixel(2, 2)), 240);
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark += qGray(picture.pixel(x, y)) < 80;
    EXPECT_GT(dark, 2000);
}
