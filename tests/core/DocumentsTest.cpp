// Opening, saving, dropped and command-line files, and templates, on real files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ProgramFolder.h"

namespace pemrin::testing {
namespace {

namespace fs = std::filesystem;

TEST(ExtensionRule, TheLastFourCharactersDecide) {
  const struct {
    const char* name;
    bool accepted;
  } cases[] = {
      {"Index.SHTML", true}, {"a.htm", true},       {"b.Txt", true}, {"page.html", true},
      {"xhtml", true},       {"notes.text", false}, {"x.ht", false}, {"abc", false},
      {"image.png", false},  {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(AcceptedExtension(c.name), c.accepted) << c.name;
}

class Documents : public ::testing::Test {
 protected:
  void SetUp() override { folder.Start(); }
  ProgramFolder folder;
};

TEST_F(Documents, AnEucJpFileIsConvertedAndTheStatusBarSaysSo) {
  // "<P>日本語</P>" in EUC-JP.
  WriteFileBytes(folder.dir / "euc.html", "<P>\xC6\xFC\xCB\xDC\xB8\xEC</P>\r\n");
  folder.form.DropFiles({folder.Path("euc.html"), folder.Path("ignored.html")});
  EXPECT_EQ(folder.editor.Text(), "<P>\x93\xFA\x96\x7B\x8C\xEA</P>\r\n");
  EXPECT_EQ(folder.form.KanjiCode, 2);
  EXPECT_EQ(folder.form.StatusText(), "カーソル位置：1行1列　[EUC]");
  EXPECT_EQ(folder.form.Caption(), "Pemrin v1.37 " + folder.Path("euc.html"));
  EXPECT_FALSE(folder.form.Modified);
}

TEST_F(Documents, ARefusedDropChangesNothing) {
  folder.editor.ReplaceSelectionAsUser("x");
  const Bytes before = folder.editor.Text();
  folder.form.DropFiles({folder.Path("notes.text")});
  ASSERT_EQ(folder.platform.boxes.size(), 1u);
  EXPECT_EQ(folder.platform.boxes[0].caption, "Open Error");
  EXPECT_EQ(folder.platform.boxes[0].icon, MsgIcon::Warning);
  EXPECT_EQ(folder.editor.Text(), before);
  EXPECT_TRUE(folder.form.Modified);
}

TEST_F(Documents, SaveWritesTheBytesAndClearsTheModifiedState) {
  WriteFileBytes(folder.dir / "a.html", "<B>\x82\xA0</B>");
  folder.form.DropFiles({folder.Path("a.html")});
  folder.editor.SetSelStart(-1);
  folder.editor.ReplaceSelectionAsUser("\r\nx");
  ASSERT_TRUE(folder.form.ItemEnabled(MenuItem::N2));
  folder.form.Run([&] { folder.form.N2Click(); });
  EXPECT_EQ(ReadFileBytes(folder.dir / "a.html"), "<B>\x82\xA0</B>\r\nx");
  EXPECT_FALSE(folder.form.Modified);
  EXPECT_FALSE(folder.form.ItemEnabled(MenuItem::N2));
}

TEST_F(Documents, AFailedSaveKeepsTheOldFileTheModifiedStateAndThePath) {
  WriteFileBytes(folder.dir / "a.html", "old");
  folder.form.DropFiles({folder.Path("a.html")});
  folder.editor.ReplaceSelectionAsUser("new ");
  // Save As into a folder that does not exist fails.
  folder.platform.saveAnswers = {folder.Path("missing/b.html")};
  folder.form.Run([&] { folder.form.SaveAs1Click(); });
  ASSERT_EQ(folder.platform.errors.size(), 1u);
  EXPECT_EQ(folder.platform.errors[0],
            "ファイル " + folder.Path("missing/b.html") + " を作成できません");
  EXPECT_TRUE(folder.form.Modified);
  EXPECT_EQ(folder.form.FilePath, folder.Path("a.html"));
  // A save of the old name still goes to the file the caption names.
  folder.form.Run([&] { folder.form.N2Click(); });
  EXPECT_EQ(ReadFileBytes(folder.dir / "a.html"), "new old");
}

TEST_F(Documents, ASaveKeepsTheFilesPermissions) {
  WriteFileBytes(folder.dir / "a.html", "old");
  fs::permissions(folder.dir / "a.html", fs::perms::owner_read | fs::perms::owner_write);
  folder.form.DropFiles({folder.Path("a.html")});
  folder.platform.saveAnswers = {folder.Path("a.html")};
  folder.form.Run([&] { folder.form.SaveAs1Click(); });
  EXPECT_EQ(fs::status(folder.dir / "a.html").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(Documents, OpenRetriesAfterAReadErrorUntilCancelled) {
  WriteFileBytes(folder.dir / "good.html", "<I>");
  folder.platform.openAnswers = {folder.Path("gone.html"), std::nullopt, folder.Path("good.html")};
  folder.platform.boxAnswers = {MsgResult::Retry};
  folder.form.Run([&] { folder.form.Open1Click(); });
  ASSERT_EQ(folder.platform.boxes.size(), 1u);
  EXPECT_EQ(folder.platform.boxes[0].text,
            "ファイル " + folder.Path("gone.html") + " は開けません");
  EXPECT_EQ(folder.platform.boxes[0].buttons, MsgButtons::RetryCancel);
  EXPECT_EQ(folder.editor.Text(), "<I>");
  EXPECT_EQ(folder.form.FilePath, folder.Path("good.html"));
}

TEST_F(Documents, AFailedOpenLeavesTheDocumentAndItsPath) {
  folder.platform.openAnswers = {folder.Path("gone.html")};
  folder.platform.boxAnswers = {MsgResult::Cancel};
  const Bytes before = folder.editor.Text();
  folder.form.Run([&] { folder.form.Open1Click(); });
  EXPECT_EQ(folder.editor.Text(), before);
  EXPECT_EQ(folder.form.FilePath, "");
}

TEST_F(Documents, ALargeFileLoadsAndSavesWhole) {
  Bytes big;
  while (big.size() < 1'500'000) big += "<P>\x93\xFA\x96\x7B\x8C\xEA</P>\r\n";
  WriteFileBytes(folder.dir / "big.html", big);
  folder.form.DropFiles({folder.Path("big.html")});
  EXPECT_EQ(folder.editor.TextLength(), static_cast<int>(big.size()));
  folder.platform.saveAnswers = {folder.Path("copy.html")};
  folder.form.Run([&] { folder.form.SaveAs1Click(); });
  EXPECT_EQ(ReadFileBytes(folder.dir / "copy.html"), big);
}

TEST_F(Documents, NewStartsFromTheChosenTemplate) {
  WriteFileBytes(folder.dir / "memo.tlt", "<H1>\r\n\r\n");
  folder.editor.ReplaceSelectionAsUser("x");
  folder.platform.boxAnswers = {MsgResult::No};
  folder.platform.newTemplateChoice = [&] { folder.form.ChooseTemplate(folder.Path("memo.tlt")); };
  folder.form.Run([&] { folder.form.New1Click(); });
  EXPECT_EQ(folder.editor.Text(), "<H1>\r\n\r\n");
  EXPECT_EQ(folder.form.Caption(), "Pemrin v1.37");
  EXPECT_FALSE(folder.form.Modified);
  EXPECT_TRUE(folder.platform.windowEnabled);
  EXPECT_EQ(folder.editor.ColorAt(1), folder.form.TagColor);
}

TEST_F(Documents, ClosingTheTemplateDialogWithoutChoosingChangesNothing) {
  const Bytes before = folder.editor.Text();
  folder.form.Run([&] { folder.form.New1Click(); });
  EXPECT_EQ(folder.editor.Text(), before);
  EXPECT_TRUE(folder.platform.windowEnabled);
}

TEST_F(Documents, SavingATemplateWritesBesideTheProgramAndRefusesOtherFolders) {
  folder.platform.saveTemplateChoice = [&] {
    folder.form.Run([&] { folder.form.SaveAsTemplate("mine"); });
    folder.form.Run([&] { folder.form.SaveAsTemplate("../escape"); });
  };
  folder.form.Run([&] { folder.form.Template1Click(); });
  EXPECT_EQ(ReadFileBytes(folder.dir / "mine.tlt"), folder.editor.Text());
  EXPECT_FALSE(fs::exists(folder.dir.parent_path() / "escape.tlt"));
  ASSERT_EQ(folder.platform.errors.size(), 1u);
  EXPECT_EQ(folder.platform.errors[0], "不正なファイル名 - ../escape");
  EXPECT_TRUE(folder.platform.windowEnabled);
}

}  // namespace
}  // namespace pemrin::testing
