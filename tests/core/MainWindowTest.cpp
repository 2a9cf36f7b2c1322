// The main window's life: start-up, the caption and status bar, the settings file, shutdown.

#include <gtest/gtest.h>

#include <filesystem>

#include "ProgramFolder.h"
#include "app/IniFile.h"

namespace pemrin::testing {
namespace {

namespace fs = std::filesystem;

TEST(ExeDir, IsTheRealFolderOfTheProgramWhateverItsName) {
  ProgramFolder folder;
  fs::create_directories(folder.dir / "bin");
  WriteFileBytes(folder.dir / "bin" / "my-editor", "");
  fs::create_symlink(folder.dir / "bin" / "my-editor", folder.dir / "link");
  const std::string expected = (folder.dir / "bin").string() + "/";
  EXPECT_EQ(ExeDirFromProgramPath((folder.dir / "bin" / "my-editor").string()), expected);
  EXPECT_EQ(ExeDirFromProgramPath((folder.dir / "link").string()), expected);
}

TEST(StartUp, FirstStartWithoutSettingsOrArgument) {
  ProgramFolder folder;
  folder.Start();
  EXPECT_TRUE(folder.platform.errors.empty());
  EXPECT_EQ(folder.form.Caption(), "Pemrin v1.37 ");
  EXPECT_EQ(folder.form.StatusText(), "カーソル位置：1行1列　[SJIS]");
  EXPECT_EQ(folder.platform.status, folder.form.StatusText());
  EXPECT_FALSE(folder.form.Modified);
  EXPECT_FALSE(folder.form.ItemEnabled(MenuItem::N2));
  EXPECT_EQ(folder.editor.Text(), kDefaultDocument);
  EXPECT_EQ(folder.platform.geometry, (WindowGeometry{100, 100, 300, 500}));
  EXPECT_EQ(folder.editor.Color(), 0u);
  EXPECT_EQ(folder.editor.FontColor(), 0xFFFFFFu);
  EXPECT_EQ(folder.editor.Font(), (FontSpec{"ＭＳ ゴシック", 10, false, false}));
  EXPECT_FALSE(folder.editor.WordWrap());
  EXPECT_TRUE(folder.form.ItemChecked(MenuItem::N9));
  // The default document's tags are coloured; the brackets keep the text colour.
  EXPECT_EQ(folder.editor.ColorAt(1), 0x00FF00u);
  EXPECT_EQ(folder.editor.ColorAt(0), 0xFFFFFFu);
  EXPECT_EQ(folder.form.FrontTagList.IndexOf("font"), 4);
  EXPECT_EQ(folder.platform.events, (std::vector<std::string>{"create splash", "show splash",
                                                              "sleep 400", "destroy splash"}));
}

TEST(StartUp, WithoutSplashThereIsNoPauseButTheSplashIsStillMadeAndDestroyed) {
  ProgramFolder folder;
  WriteFileBytes(folder.dir / "pemrin.ini", "[SET]\r\nSPW=0\r\n");
  folder.Start();
  EXPECT_FALSE(folder.form.ItemChecked(MenuItem::N9));
  EXPECT_EQ(folder.platform.events, (std::vector<std::string>{"create splash", "destroy splash"}));
}

TEST(StartUp, AMissingDictionaryIsReportedAndTheLaterStepsAreSkipped) {
  ProgramFolder folder;
  fs::remove(folder.dir / "backtag.dic");
  folder.Start();
  ASSERT_EQ(folder.platform.errors.size(), 1u);
  EXPECT_EQ(folder.platform.errors[0], "ファイル " + folder.Path("backtag.dic") + " は開けません");
  EXPECT_GT(folder.form.FrontOpList.Count(), 0);
  EXPECT_EQ(folder.form.FrontTagList.Count(), 0);
  EXPECT_EQ(folder.form.StatusText(), "");
  EXPECT_EQ(folder.editor.ColorAt(1), folder.editor.ColorAt(0));  // not coloured
  EXPECT_EQ(folder.platform.events.back(), "destroy splash");
}

TEST(StartUp, SettingsAreAppliedAsRead) {
  ProgramFolder folder;
  WriteFileBytes(folder.dir / "pemrin.ini",
                 "[FORM]\r\nTOP=-5000\r\nLEFT=abc\r\nHEIGHT=400\r\nWIDTH=0x100\r\n"
                 "[SET]\r\nTAG_COLOR=0xFF\r\nBG_COLOR=16777215\r\nTXT_COLOR=0\r\n"
                 "FONT_NAME=IPAGothic\r\nFONT_SIZE=14\r\nFONT_ITALIC=1\r\nFONT_BOLD=2\r\n"
                 "COLORING=0\r\nWORDWRAP=1\r\n");
  folder.Start();
  EXPECT_EQ(folder.platform.geometry, (WindowGeometry{-5000, 100, 400, 256}));
  EXPECT_EQ(folder.form.TagColor, 255u);
  EXPECT_EQ(folder.editor.Font(), (FontSpec{"IPAGothic", 14, true, true}));
  EXPECT_FALSE(folder.form.ColoringOnOpen);
  EXPECT_TRUE(folder.editor.WordWrap());
  EXPECT_TRUE(folder.form.ItemChecked(MenuItem::WordWrap1));
  EXPECT_EQ(folder.editor.ColorAt(1), 0u);  // no colouring on open: the text colour
}

TEST(Caption, TypingMarksTheDocumentModified) {
  ProgramFolder folder;
  folder.Start();
  folder.editor.ReplaceSelectionAsUser("x");
  EXPECT_EQ(folder.form.Caption(), "Pemrin v1.37 (更新)");
  EXPECT_TRUE(folder.form.Modified);
  EXPECT_FALSE(folder.form.ItemEnabled(MenuItem::N2));  // no path: Save stays off
}

TEST(Caption, AnEditOfALoadedDocumentEnablesSave) {
  ProgramFolder folder;
  WriteFileBytes(folder.dir / "page.html", "<P>\r\n");
  folder.platform.arguments = {folder.Path("page.html")};
  folder.Start();
  EXPECT_EQ(folder.form.Caption(), "Pemrin v1.37 " + folder.Path("page.html"));
  folder.editor.ReplaceSelectionAsUser("x");
  EXPECT_EQ(folder.form.Caption(), "Pemrin v1.37 " + folder.Path("page.html") + "(更新)");
  EXPECT_TRUE(folder.form.ItemEnabled(MenuItem::N2));
}

TEST(Caption, ResizeAndColouringLeaveTheModifiedStateAlone) {
  for (bool modifiedBefore : {false, true}) {
    ProgramFolder folder;
    folder.Start();
    if (modifiedBefore) folder.editor.ReplaceSelectionAsUser("x");
    const std::string caption = folder.form.Caption();
    folder.form.FormResize();
    folder.form.N1Click();
    EXPECT_EQ(folder.form.Caption(), caption);
    EXPECT_EQ(folder.form.Modified, modifiedBefore);
  }
}

TEST(StatusBar, ShowsLineAndByteColumnOfTheSelectionStart) {
  ProgramFolder folder;
  folder.Start();
  folder.editor.SetText("abc\r\n\x82\xA0x\r\nz");  // あ is two bytes
  folder.editor.SetSel(10, 7);                     // from the end backwards: start is 7
  folder.form.RichEdit1KeyUp(VK_LEFT, {});
  EXPECT_EQ(folder.form.StatusText(), "カーソル位置：2行3列　[SJIS]");
  folder.form.KanjiCode = 2;
  folder.form.RichEdit1MouseDown();
  EXPECT_EQ(folder.form.StatusText(), "カーソル位置：2行3列　[EUC]");
}

TEST(Shutdown, WritesAllSeventeenKeysInOrderAndKeepsTheUsersOwnLines) {
  ProgramFolder folder;
  const std::string own = "; my notes\r\n[MINE]\r\nKEY=value\r\n";
  WriteFileBytes(folder.dir / "pemrin.ini", own);
  folder.Start();
  EXPECT_TRUE(folder.form.FormClose());
  const std::string ini = ReadFileBytes(folder.dir / "pemrin.ini");
  EXPECT_EQ(ini,
            own +
                "\r\n[FORM]\r\nTOP=100\r\nLEFT=100\r\nHEIGHT=300\r\nWIDTH=500\r\n"
                "\r\n[SET]\r\nTAG_COLOR=65280\r\nNN_COLOR=32768\r\nIE_COLOR=16711680\r\n"
                "BG_COLOR=0\r\nTXT_COLOR=16777215\r\nFONT_NAME=ＭＳ ゴシック\r\nFONT_SIZE=10\r\n"
                "FONT_ITALIC=0\r\nFONT_BOLD=0\r\nCOLORING=1\r\nCUR_DIR=\r\nWORDWRAP=0\r\n"
                "SPW=1\r\n");
}

TEST(Shutdown, ASettingsFileThatCannotBeWrittenKeepsTheWindowOpen) {
  ProgramFolder folder;
  folder.Start();
  fs::create_directory(folder.dir / "pemrin.ini");  // its name taken by a folder
  EXPECT_FALSE(folder.form.FormClose());
  ASSERT_EQ(folder.platform.errors.size(), 1u);
  EXPECT_EQ(folder.platform.errors[0], folder.Path("pemrin.ini") + " に書き込めません");
  EXPECT_GT(folder.form.FrontTagList.Count(), 0);  // the lists are still there
}

TEST(Shutdown, AModifiedDocumentIsOfferedForSavingFirst) {
  ProgramFolder folder;
  folder.Start();
  folder.editor.ReplaceSelectionAsUser("x");
  folder.platform.boxAnswers = {MsgResult::Yes};
  folder.platform.saveAnswers = {folder.Path("saved.html")};
  EXPECT_TRUE(folder.form.FormClose());
  ASSERT_EQ(folder.platform.boxes.size(), 1u);
  EXPECT_EQ(folder.platform.boxes[0].text, "更新作業中です。保存しますか？");
  EXPECT_EQ(folder.platform.boxes[0].caption, "更新中の終了に対する警告");
  EXPECT_EQ(ReadFileBytes(folder.dir / "saved.html"), folder.editor.Text());
  EXPECT_EQ(IniFile(folder.Path("pemrin.ini")).ReadString("SET", "CUR_DIR", "?"),
            folder.Path("saved.html"));
}

}  // namespace
}  // namespace pemrin::testing
