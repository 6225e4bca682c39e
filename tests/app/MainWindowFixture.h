#pragma once

#include "app/TsorbanForm.h"
#include "data/KanjiStore.h"
#include "platform/core/TextCodec.h"
#include "platform/widgets/LampPanel.h"
#include "platform/widgets/StringGrid.h"
#include "platform/widgets/UpDown.h"
#include "settings/Selection.h"
#include "settings/Settings.h"
#include "support/Controls.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace sorban::test {

using Box = platform::RecordingDialogs;

inline QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

/// A main window over data files the test writes, with its boxes recorded.
class MainWindowTest : public ::testing::Test {
protected:
    // Three kanji: 愛 (2 readings), 悪 (12 readings), 圧 (1 reading), and their appearances.
    void writeData()
    {
        write("knj_yomi.csv", "1,愛,2,2,アイ,いと(しい),\n"
                              "2,悪,12,14,アク,オ,わる(い),あ(し),にく(い),ａ,ｂ,ｃ,ｄ,ｅ,ｆ,ｇ,\n"
                              "3,圧,1,15,あいうえおかきく,\n");
        std::string apr = "#h,h,h,h,Ａ社,p,Ｂ社,p,Ｃ社,p,Ｄ社,p,Ｅ社,p,Ｆ社,p,\n$令和版,\n"
                          "0,,,,31,45,40,8,0,3,9,3,13,3,63,3,\n"
                          "1,,,,10,0,62,120,11,1,12,2,20,5,61,7,\n";
        for (int k = 2; k < 15; ++k)
            apr += std::to_string(k) + ",,,,41,1,41,1,41,1,41,1,41,1,41," + std::to_string(k) + ",\n";
        write("apr_jho.csv", apr);
        write("bushu_ban.csv", "0,心,こころ,\n1,一,いち,\n2,土,つちへん（１２バイト）,\n");
        write("knj_atrbt.csv", "1,愛,4,13,0,4,,,1,\n2,悪,0,11,1,9,,,0,\n3,圧,7,5,250,5,,,0,\n");
        std::string goku = "$用例の注,\n0,,,愛情,・愛用,*愛読,…愛,#愛,,\n1,,,愛しい,,,,,,\n";
        for (int k = 2; k < 15; ++k)
            goku += std::to_string(k) + ",,,例" + std::to_string(k) + "あいうえおかきく,,,,,,\n";
        write("knj_goku.csv", goku);
    }
    void write(const std::string& name, std::string_view utf8) { test::writeSjis(dir / "kdata" / name, utf8); }

    app::TsorbanForm& open()
    {
        selection.ExeDir = dir.path().string() + "/";
        form = std::make_unique<app::TsorbanForm>(*store, selection, settings, app::FormPaths{dir / "kdata"});
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return *form;
    }

    // The window's controls, found by their names.
    template <typename T>
    T* control(const char* name) const
    {
        return test::child<T>(*form, name);
    }
    QLineEdit* Edit1() const { return control<QLineEdit>("Edit1"); }
    QLineEdit* Edit2() const { return control<QLineEdit>("Edit2"); }
    platform::StringGrid* StringGrid1() const { return control<platform::StringGrid>("StringGrid1"); }
    platform::StringGrid* StringGrid2() const { return control<platform::StringGrid>("StringGrid2"); }
    QPushButton* gokuRandD() const { return control<QPushButton>("gokuRandD"); }
    QLabel* Label3() const { return control<QLabel>("Label3"); }
    QLabel* Label5() const { return control<QLabel>("Label5"); }
    QLabel* StaticText3() const { return control<QLabel>("StaticText3"); }
    QLabel* StaticText6() const { return control<QLabel>("StaticText6"); }
    QLabel* StaticText7() const { return control<QLabel>("StaticText7"); }
    QLabel* StaticText9() const { return control<QLabel>("StaticText9"); }
    QLabel* StaticText12() const { return control<QLabel>("StaticText12"); }
    platform::UpDown* UpDown1() const { return control<platform::UpDown>("UpDown1"); }
    platform::LampPanel* Panel1() const { return control<platform::LampPanel>("Panel1"); }
    QPushButton* Button1() const { return control<QPushButton>("Button1"); }
    QListWidget* ListBox1() const { return control<QListWidget>("ListBox1"); }
    QMenu* PopupMenu1() const { return control<QMenu>("PopupMenu1"); }
    QWidget* Image1() const { return control<QWidget>("Image1"); }
    QPushButton* SpeedButton1() const { return control<QPushButton>("SpeedButton1"); }
    QPushButton* SpeedButton2() const { return control<QPushButton>("SpeedButton2"); }
    QPushButton* SpeedButton3() const { return control<QPushButton>("SpeedButton3"); }
    QPushButton* SpeedButton4() const { return control<QPushButton>("SpeedButton4"); }
    QPushButton* SpeedButton5() const { return control<QPushButton>("SpeedButton5"); }
    QPushButton* SpeedButton6() const { return control<QPushButton>("SpeedButton6"); }
    QPushButton* SpeedButton7() const { return control<QPushButton>("SpeedButton7"); }
    QPushButton* SpeedButton8() const { return control<QPushButton>("SpeedButton8"); }
    QPushButton* SpeedButton9() const { return control<QPushButton>("SpeedButton9"); }
    QPushButton* SpeedButton10() const { return control<QPushButton>("SpeedButton10"); }
    QPushButton* SpeedButton11() const { return control<QPushButton>("SpeedButton11"); }
    QPushButton* SpeedButton12() const { return control<QPushButton>("SpeedButton12"); }
    QPushButton* SpeedButton13() const { return control<QPushButton>("SpeedButton13"); }
    QPushButton* SpeedButton14() const { return control<QPushButton>("SpeedButton14"); }

    using Search = app::TsorbanForm::Search;
    // The search window of a kind while it exists, as its own type.
    template <typename Window>
    Window* window(Search kind) const
    {
        return qobject_cast<Window*>(form->searchWindow(kind));
    }
    int openCount() const
    {
        int open = 0;
        for (const Search kind : {Search::StrokeCount, Search::Grade, Search::Radical, Search::Reading})
            open += form->isSearchOpen(kind);
        return open;
    }
    // The table of a tool window.
    static platform::StringGrid* grid(QWidget* window, const char* name = "StringGrid1")
    {
        return window->findChild<platform::StringGrid*>(QString::fromLatin1(name));
    }

    std::string cell(platform::StringGrid* grid, int col, int row) const { return platform::sjisToUtf8(grid->cell(col, row)); }

    QImage render(platform::StringGrid* grid)
    {
        QImage image(grid->viewport()->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        grid->paintCells(painter);
        return image;
    }

    // Height of the dark pixels in a cell: how large its text was drawn.
    static int inkHeight(const QImage& image, const QRect& rect, bool blue = false)
    {
        int top = rect.bottom(), bottom = rect.top() - 1;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QColor c = image.pixel(x, y);
                const bool ink = blue ? c.blue() > 150 && c.red() < 100 && c.green() < 100 : qGray(c.rgb()) < 100;
                if (ink) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        return bottom - top + 1;
    }

    test::TempDir dir;
    std::unique_ptr<data::KanjiStore> store = std::make_unique<data::KanjiStore>();
    settings::Selection selection;
    settings::Settings settings;
    platform::RecordingDialogs recorder;
    platform::DialogsGuard guard{recorder};
    std::unique_ptr<app::TsorbanForm> form;
};

} // namespace sorban::test
