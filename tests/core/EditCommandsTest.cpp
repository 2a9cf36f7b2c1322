// The Edit menu's commands and enabling, word wrap, printer set-up and printing.

#include <gtest/gtest.h>

#include <functional>

#include "ProgramFolder.h"

namespace pemrin::testing {
namespace {

// An editor that reports a change of its text when its wrap mode changes, as a control does
// that rebuilds itself to rewrap.
class RewrappingEditor : public MemoryEditor {
 public:
  using MemoryEditor::MemoryEditor;
  void SetWordWrap(bool wrap) override {
    MemoryEditor::SetWordWrap(wrap);
    RaiseChange();
  }
};

// The main window's logic on a fresh editor, not started: nothing has taken the focus yet.
struct Window {
  explicit Window(int wrapWidth = 0) : editor(wrapWidth) {}
  FakePlatform platform;
  RewrappingEditor editor;
  TForm1 form{editor, platform};
};

TEST(EditMenu, OpeningItEnablesCutCopyDeleteBySelectionAndPasteByClipboard) {
  struct Case {
    bool selected;
    Bytes clipboard;
  };
  Window w;
  w.editor.SetText("some text");
  for (const Case& c :
       {Case{false, ""}, Case{true, ""}, Case{true, "x"}, Case{false, "x"}, Case{false, ""}}) {
    SCOPED_TRACE(::testing::Message()
                 << "selected " << c.selected << ", clipboard '" << c.clipboard << "'");
    w.editor.SetSel(2, c.selected ? 6 : 2);
    w.editor.SetClipboard(c.clipboard);
    w.form.Edit1Click();
    EXPECT_EQ(w.form.ItemEnabled(MenuItem::Cut1), c.selected);
    EXPECT_EQ(w.form.ItemEnabled(MenuItem::Copy1), c.selected);
    EXPECT_EQ(w.form.ItemEnabled(MenuItem::Delete1), c.selected);
    EXPECT_EQ(w.form.ItemEnabled(MenuItem::Paste1), !c.clipboard.empty());
    EXPECT_TRUE(w.form.ItemEnabled(MenuItem::Undo1));
  }
}

TEST(EditCommands, CutCopyAndPasteGiveTheFocusBackToTheEditorTheOthersDoNot) {
  struct Case {
    const char* what;
    void (TForm1::*handler)();
    bool focuses;
  };
  const Case cases[] = {
      {"Undo", &TForm1::Undo1Click, false},     {"Cut", &TForm1::Cut1Click, true},
      {"Copy", &TForm1::Copy1Click, true},      {"Paste", &TForm1::Paste1Click, true},
      {"Delete", &TForm1::Delete1Click, false}, {"Select all", &TForm1::SelectAll1Click, false},
  };
  for (const Case& c : cases) {
    Window w;
    w.editor.SetSel(0, 3);
    w.editor.SetClipboard("x");
    (w.form.*c.handler)();
    EXPECT_EQ(w.editor.HasFocus(), c.focuses) << c.what;
  }
}

// Undo takes back what the user did through the control, not what the program wrote in place
// of the selection.
TEST(EditCommands, UndoTakesBackTypingCuttingAndPastingButNotDelete) {
  struct Case {
    const char* what;
    std::function<void(Window&)> act;
    Bytes afterAct;
    Bytes afterUndo;
  };
  const Case cases[] = {
      {"typing", [](Window& w) { w.editor.ReplaceSelectionAsUser("XY"); }, "abXYef", "abcdef"},
      {"cut", [](Window& w) { w.form.Cut1Click(); }, "abef", "abcdef"},
      {"paste", [](Window& w) { w.form.Paste1Click(); }, "abclipef", "abcdef"},
      {"delete", [](Window& w) { w.form.Delete1Click(); }, "abef", "abef"},
      {"delete with nothing selected",
       [](Window& w) {
         w.editor.SetSelStart(2);
         w.form.Delete1Click();
       },
       "abcdef", "abcdef"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    w.editor.SetText("abcdef");
    w.editor.SetSel(2, 4);
    w.editor.SetClipboard("clip");
    w.form.Modified = false;
    c.act(w);
    EXPECT_EQ(w.editor.Text(), c.afterAct);
    w.form.Undo1Click();
    EXPECT_EQ(w.editor.Text(), c.afterUndo);
  }
}

TEST(EditCommands, CutAndPasteAreEditsCopyIsNotDeleteLeavesTheClipboard) {
  struct Case {
    const char* what;
    void (TForm1::*handler)();
    bool modifies;
    Bytes clipboard;
  };
  const Case cases[] = {
      {"Cut", &TForm1::Cut1Click, true, "cd"},
      {"Copy", &TForm1::Copy1Click, false, "cd"},
      {"Paste", &TForm1::Paste1Click, true, "clip"},
      {"Delete", &TForm1::Delete1Click, true, "clip"},
      {"Select all", &TForm1::SelectAll1Click, false, "clip"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    w.editor.SetText("abcdef");
    w.editor.SetSel(2, 4);
    w.editor.SetClipboard("clip");
    w.form.Modified = false;
    (w.form.*c.handler)();
    EXPECT_EQ(w.form.Modified, c.modifies);
    EXPECT_EQ(w.editor.Clipboard(), c.clipboard);
  }
  Window w;
  w.editor.SetText("abc");
  w.form.SelectAll1Click();
  EXPECT_EQ(w.editor.SelText(), "abc");
}

TEST(WordWrap, TogglingMovesCheckAndEditorTogetherAndIsNoEdit) {
  for (bool modified : {false, true}) {
    SCOPED_TRACE(modified ? "modified" : "unmodified");
    Window w;
    w.editor.SetText("<B>x</B>");
    w.editor.SetSel(1, 2);
    w.editor.SetSelColor(0x00FF00);
    w.form.SetCaption("Pemrin v1.37 page.html");
    w.form.Modified = false;
    if (modified) w.editor.ReplaceSelectionAsUser("B");
    const std::string caption = w.form.Caption();
    const bool saveEnabled = w.form.ItemEnabled(MenuItem::N2);
    for (bool expected : {true, false, true}) {
      w.form.WordWrap1Click();
      EXPECT_EQ(w.form.ItemChecked(MenuItem::WordWrap1), expected);
      EXPECT_EQ(w.editor.WordWrap(), expected);
      EXPECT_EQ(w.form.Modified, modified);
      EXPECT_EQ(w.form.Caption(), caption);
      EXPECT_EQ(w.form.ItemEnabled(MenuItem::N2), saveEnabled);
      EXPECT_EQ(w.editor.ColorAt(1), 0x00FF00u);
    }
  }
}

TEST(WordWrap, TheStatusBarCountsWrappedRowsAsLines) {
  Window w(10);
  w.editor.SetText("0123456789abcdef\r\nx");
  w.editor.SetSelStart(12);
  w.form.UpdateStatusBar();
  EXPECT_EQ(w.form.StatusText(), "カーソル位置：1行13列　[SJIS]");
  w.form.WordWrap1Click();
  w.form.UpdateStatusBar();
  EXPECT_EQ(w.form.StatusText(), "カーソル位置：2行3列　[SJIS]");
}

// With wrap on, the tag assistance sees the caret's row as its line, as the control reports it.
TEST(WordWrap, TheTagAssistanceTakesTheCaretsRowAsItsLine) {
  for (bool wrap : {false, true}) {
    SCOPED_TRACE(wrap ? "wrapped" : "not wrapped");
    Window w(10);  // rows of at most 10 bytes
    if (wrap) w.form.WordWrap1Click();
    w.editor.SetText("<B>\t0123456789\tab");  // rows "<B>\t012345", "6789\tab"
    w.editor.SetSelStart(17);                 // the end
    EXPECT_EQ(w.form.SearchBackward('<').found, !wrap);
    char enter = 13;
    w.form.RichEdit1KeyPress(enter);
    EXPECT_EQ(enter, 0);
    EXPECT_EQ(w.editor.Text(), wrap ? "<B>\t0123456789\tab\r\n\t" : "<B>\t0123456789\tab\r\n\t\t");
  }
}

TEST(Printing, PrintsUnderTheDocumentsPathAndSetUpOnlyOpensTheDialog) {
  ProgramFolder folder;
  folder.Start();
  folder.form.N7Click();
  EXPECT_EQ(folder.platform.printerSetups, 1);
  folder.form.Print1Click();
  WriteFileBytes(folder.dir / "page.html", "<P>x\r\n");
  folder.form.DropFiles({folder.Path("page.html")});
  folder.editor.SetSel(1, 2);
  folder.form.Print1Click();
  EXPECT_EQ(folder.platform.printJobs, (std::vector<std::string>{"", folder.Path("page.html")}));
  EXPECT_FALSE(folder.form.Modified);
}

}  // namespace
}  // namespace pemrin::testing
