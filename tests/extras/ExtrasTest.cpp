#include "data/PictureFile.h"
#include "extras/THitujunF.h"
#include "extras/ThelpW.h"
#include "platform/core/JpegDecoder.h"
#include "platform/core/TextCodec.h"
#include "support/Controls.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

using namespace sorban;
using Box = platform::RecordingDialogs;

namespace {

class ExtrasTest : public ::testing::Test {
protected:
    // A real JPEG: the left half red, the right half blue.
    std::filesystem::path writeJpeg(const std::string& name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(0, 0, 255));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width / 2; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        const auto path = dir / name;
        EXPECT_TRUE(image.save(QString::fromStdString(path.string()), "JPEG", 95));
        return path;
    }
    // A one-colour CMYK JPEG of 16 x 16 pixels, as Adobe writes them (inverted) or plain.
    void writeCmyk(const std::string& name, std::array<std::uint8_t, 4> ink, bool adobe)
    {
        std::FILE* out = std::fopen((dir / name).c_str(), "wb");
        ASSERT_NE(out, nullptr);
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_stdio_dest(&info, out);
        info.image_width = 16;
        info.image_height = 16;
        info.input_components = 4;
        info.in_color_space = JCS_CMYK;
        jpeg_set_defaults(&info);
        jpeg_set_colorspace(&info, JCS_CMYK);
        jpeg_set_quality(&info, 95, TRUE);
        info.write_Adobe_marker = adobe;
        jpeg_start_compress(&info, TRUE);
        std::vector<std::uint8_t> row;
        for (int x = 0; x < 16; ++x)
            for (const std::uint8_t v : ink)
                row.push_back(adobe ? static_cast<std::uint8_t>(255 - v) : v);
        while (info.next_scanline < info.image_height) {
            JSAMPROW rows[1] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        std::fclose(out);
    }
    static std::string bytes(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

    test::TempDir dir;
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
};

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 && std::abs(a.blue() - b.blue()) < 40;
}

} // namespace

TEST_F(ExtrasTest, pictureNamesCarryTheNumberAndTheKanji)
{
    EXPECT_EQ(data::pictureFileName(7, platform::utf8ToSjis("花")), "h7花.jpg");
    EXPECT_EQ(data::pictureFileName(1026, platform::utf8ToSjis("話")), "h1026話.jpg");
}

TEST_F(ExtrasTest, decodesAJpegIntoColourPixels)
{
    const auto picture = platform::decodeJpeg(writeJpeg("a.jpg", 40, 20));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 40);
    EXPECT_EQ(picture->height, 20);
    ASSERT_EQ(picture->rgb.size(), 40u * 20u * 3u);
    const auto pixel = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(y) * 40 + static_cast<std::size_t>(x)) * 3;
        return QColor(picture->rgb[at], picture->rgb[at + 1], picture->rgb[at + 2]);
    };
    EXPECT_TRUE(near(pixel(5, 10), QColor(255, 0, 0)));
    EXPECT_TRUE(near(pixel(35, 10), QColor(0, 0, 255)));
}

TEST_F(ExtrasTest, brokenPicturesDecodeToNothingWithoutEndingTheProgram)
{
    const std::string good = bytes(writeJpeg("good.jpg", 64, 64));
    test::writeBytes(dir / "truncated.jpg", good.substr(0, good.size() / 3));
    test::writeBytes(dir / "empty.jpg", "");
    test::writeBytes(dir / "text.jpg", "this is not a picture");
    std::filesystem::create_directory(dir / "folder.jpg");
    // The same picture claiming 20000 x 20000 pixels in its frame header.
    std::string huge = good;
    const std::size_t sof = huge.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = '\x4E';
    huge[sof + 6] = '\x20';
    huge[sof + 7] = '\x4E';
    huge[sof + 8] = '\x20';
    test::writeBytes(dir / "huge.jpg", huge);
    for (const char* name : {"truncated.jpg", "empty.jpg", "text.jpg", "folder.jpg", "huge.jpg", "missing.jpg"})
        EXPECT_FALSE(platform::decodeJpeg(dir / name)) << name;
}

TEST_F(ExtrasTest, viewerDrawsAtTheCornerAndKeepsWhatASmallerPictureDoesNotCover)
{
    extras::THitujunF viewer;
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    viewer.setPicturePath(writeJpeg("big.jpg", 240, 240).string());
    viewer.HituDsp();
    const QImage& surface = test::child<extras::PictureArea>(viewer, "Image1")->surface();
    ASSERT_EQ(surface.size(), test::child<extras::PictureArea>(viewer, "Image1")->size());
    EXPECT_TRUE(near(surface.pixel(200, 100), QColor(0, 0, 255)));

    QImage small(60, 60, QImage::Format_RGB32);
    small.fill(Qt::green);
    ASSERT_TRUE(small.save(QString::fromStdString((dir / "small.jpg").string()), "JPEG"));
    viewer.setPicturePath((dir / "small.jpg").string());
    viewer.HituDsp();
    EXPECT_TRUE(near(test::child<extras::PictureArea>(viewer, "Image1")->surface().pixel(30, 30), QColor(0, 255, 0)));
    EXPECT_TRUE(near(test::child<extras::PictureArea>(viewer, "Image1")->surface().pixel(200, 100),
                     QColor(0, 0, 255))); // the earlier picture's rest

    // A picture that cannot be decoded shows nothing, and nothing of the kanji before it.
    test::writeBytes(dir / "broken.jpg", "\xFF\xD8\xFF");
    viewer.setPicturePath((dir / "broken.jpg").string());
    viewer.HituDsp();
    viewer.repaint();
    const QColor empty = viewer.palette().color(QPalette::Window);
    EXPECT_EQ(QColor(test::child<extras::PictureArea>(viewer, "Image1")->surface().pixel(30, 30)), empty);
    EXPECT_EQ(QColor(test::child<extras::PictureArea>(viewer, "Image1")->surface().pixel(200, 100)), empty);
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(ExtrasTest, cmykAndGreyscalePicturesDecodeToTheirColours)
{
    const auto colourOf = [&](const std::string& name) {
        const auto picture = platform::decodeJpeg(dir / name);
        return picture ? QColor(picture->rgb[0], picture->rgb[1], picture->rgb[2]) : QColor();
    };
    // Red is no cyan, full magenta and yellow, no black; Adobe's files hold the inverse.
    writeCmyk("adobe.jpg", {0, 255, 255, 0}, true);
    writeCmyk("plain.jpg", {0, 255, 255, 0}, false);
    EXPECT_TRUE(near(colourOf("adobe.jpg"), QColor(255, 0, 0))) << colourOf("adobe.jpg").name().toStdString();
    EXPECT_TRUE(near(colourOf("plain.jpg"), QColor(255, 0, 0))) << colourOf("plain.jpg").name().toStdString();
    QImage grey(16, 16, QImage::Format_Grayscale8);
    grey.fill(QColor(90, 90, 90));
    ASSERT_TRUE(grey.save(QString::fromStdString((dir / "grey.jpg").string()), "JPEG", 95));
    EXPECT_TRUE(near(colourOf("grey.jpg"), QColor(90, 90, 90)));
}

TEST_F(ExtrasTest, onlyWhatTheSurfaceShowsIsDecoded)
{
    // A picture of 4000 x 3000 pixels (36 MB decoded) read by a process that may map 16 MiB more:
    // only its top-left corner is decoded, at the surface's size.
    const auto wide = writeJpeg("wide.jpg", 4000, 3000);
    const int code = test::inChildWithMemoryLeft(16u << 20, [&] {
        const auto corner = platform::decodeJpeg(wide, 253, 256);
        if (!corner || corner->width != 253 || corner->height != 256)
            return 1;
        return near(QColor(corner->rgb[0], corner->rgb[1], corner->rgb[2]), QColor(255, 0, 0)) ? 0 : 2;
    });
    EXPECT_EQ(code, 0);

    // A tiny file whose header claims 9999 x 9999 pixels: its data ends at once, so it is broken.
    std::string tiny = bytes(writeJpeg("tiny.jpg", 16, 16));
    const std::size_t sof = tiny.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    tiny.replace(sof + 5, 4, "\x27\x0F\x27\x0F");
    test::writeBytes(dir / "claims.jpg", tiny);
    EXPECT_FALSE(platform::decodeJpeg(dir / "claims.jpg", 253, 256));
}

TEST_F(ExtrasTest, theViewerDecodesAPictureOnceNotAtEveryPaint)
{
    extras::THitujunF viewer;
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    const auto picture = writeJpeg("once.jpg", 240, 240);
    viewer.setPicturePath(picture.string());
    viewer.HituDsp();
    EXPECT_TRUE(near(test::child<extras::PictureArea>(viewer, "Image1")->surface().pixel(200, 100), QColor(0, 0, 255)));
    test::writeBytes(picture, "no longer a picture");
    viewer.repaint(); // paints draw what was decoded
    EXPECT_TRUE(near(test::child<extras::PictureArea>(viewer, "Image1")->surface().pixel(200, 100), QColor(0, 0, 255)));
}

TEST_F(ExtrasTest, rightClickBeepsAndClosesTheViewerLeftClickDoesNot)
{
    extras::THitujunF viewer;
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    QTest::mouseClick(test::child<extras::PictureArea>(viewer, "Image1"), Qt::LeftButton);
    EXPECT_TRUE(viewer.isVisible());
    QTest::mouseClick(test::child<extras::PictureArea>(viewer, "Image1"), Qt::RightButton);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(recorder.events, std::vector{Box::beepEvent()});
    viewer.show();
    QTest::keyClick(&viewer, Qt::Key_Delete);
    EXPECT_FALSE(viewer.isVisible());
    viewer.show();
    QTest::keyClick(&viewer, Qt::Key_Escape);
    EXPECT_FALSE(viewer.isVisible());
}

TEST_F(ExtrasTest, viewerStandsBesideTheMainWindow)
{
    QWidget main;
    main.setGeometry(120, 80, 300, 200);
    extras::THitujunF viewer;
    viewer.FormCreate(main);
    EXPECT_EQ(viewer.pos(), QPoint(main.frameGeometry().right() + 1, main.frameGeometry().top() + 40));
}

TEST_F(ExtrasTest, aboutWindowClosesWithItsDefaultButtonAndEscape)
{
    auto* about = new extras::ThelpW();
    QPointer<extras::ThelpW> guardAbout(about);
    about->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("漢字の初出を知る"));
    EXPECT_TRUE(test::child<QPushButton>(*about, "Button1")->isDefault());
    QTest::keyClick(about, Qt::Key_Return);
    EXPECT_FALSE(about->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(guardAbout); // a closed about window is freed

    auto* second = new extras::ThelpW();
    second->show();
    QTest::keyClick(second, Qt::Key_Escape);
    EXPECT_FALSE(second->isVisible());
}
