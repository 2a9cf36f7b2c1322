// Find and replace: the control's text search on Shift_JIS bytes, the find step, the dialogs'
// handlers, Replace and Replace All.

#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "ProgramFolder.h"
#include "editor/Sjis.h"
#include "editor/SjisText.h"

namespace pemrin::testing {
namespace {

const std::string kNotFound = "見つかりませんでした";

// --- The control's text search ---------------------------------------------------------------

struct FindCase {
  const char* what;
  Bytes text;
  Bytes needle;
  int start;
  int length;  // -1: to the end of the text
  FindOptions options;
  int expected;
};

TEST(FindSjisText, MatchesWholeCharactersWithTheCaseAndWordRules) {
  const FindOptions plain{};
  const FindOptions matchCase{true, false};
  const FindOptions wholeWord{false, true};
  const FindCase cases[] = {
      {"ASCII", "xxabcx", "abc", 0, -1, plain, 2},
      // ア is 83 41, ッ 83 62, ソ 83 5C: their second bytes look like A, b and a backslash.
      {"A inside ア", "\x83\x41", "A", 0, -1, plain, -1},
      {"A after ア",
       "\x83\x41"
       "A",
       "A", 0, -1, plain, 2},
      {"a inside ア, case blind", "\x83\x41", "a", 0, -1, plain, -1},
      {"bc across ッ and c",
       "\x83\x62"
       "c",
       "bc", 0, -1, plain, -1},
      {"backslash inside ソ", "\x83\x5C\\", "\\", 0, -1, plain, 2},
      {"a needle straddling two characters", "\x83\x41\x83\x41", "\x41\x83", 0, -1, plain, -1},
      {"a run of lead bytes pairs from the left",
       "\x83\x83\x83\x41"
       "A",
       "\x83\x41", 0, -1, plain, 2},
      {"double-byte needle", "x\x82\xA0\x82\xA2", "\x82\xA2", 0, -1, plain, 3},
      {"case blind ASCII", "xABC", "abc", 0, -1, plain, 1},
      {"match case ASCII", "xABCabc", "abc", 0, -1, matchCase, 4},
      {"case blind full-width Ａ for ａ", "\x82\x60", "\x82\x81", 0, -1, plain, 0},
      {"match case full-width", "\x82\x60\x82\x81", "\x82\x81", 0, -1, matchCase, 2},
      {"other double-byte letters keep their case", "\x83\x9F", "\x83\xBF", 0, -1, plain, -1},
      {"whole word alone", "cat", "cat", 0, -1, wholeWord, 0},
      {"whole word inside words", "concat cats cat_ 1cat", "cat", 0, -1, wholeWord, -1},
      {"whole word after inside ones", "concat cat", "cat", 0, -1, wholeWord, 7},
      {"whole word between Japanese",
       "\x83\x41"
       "cat\x83\x41",
       "cat", 0, -1, wholeWord, 2},
      {"whole word between punctuation", "<cat>", "cat", 0, -1, wholeWord, 1},
      {"whole word looks before the range", "xcat", "cat", 1, -1, wholeWord, -1},
      {"whole word looks after the range", "catx", "cat", 0, 3, wholeWord, -1},
      {"whole word with a non-word needle", "a<b", "<", 0, -1, wholeWord, 1},
      {"line break", "a\r\nb", "\r\nb", 0, -1, plain, 1},
      {"the match must end in the range", "abcabc", "abc", 1, 4, plain, -1},
      {"the match inside the range", "abcabc", "abc", 1, 5, plain, 3},
      {"start at the end", "abc", "c", 3, 0, plain, -1},
      {"empty needle finds nothing", "abc", "", 0, -1, plain, -1},
      {"empty text", "", "a", 0, -1, plain, -1},
  };
  for (const FindCase& c : cases) {
    const int length = c.length < 0 ? static_cast<int>(c.text.size()) - c.start : c.length;
    EXPECT_EQ(FindSjisText(c.text, c.needle, c.start, length, c.options), c.expected) << c.what;
  }
}

// The search's rules spelt out as plainly as possible: every character start in the range is
// tried in turn.
int PlainFind(const Bytes& text, const Bytes& needle, int start, int length, FindOptions options) {
  auto fold = [&](std::size_t at, std::size_t n, const Bytes& s) {
    unsigned c = static_cast<unsigned char>(s[at]);
    if (n == 2) c = (c << 8) | static_cast<unsigned char>(s[at + 1]);
    if (!options.matchCase && c >= 'a' && c <= 'z') c -= 0x20;
    if (!options.matchCase && c >= 0x8281 && c <= 0x829A) c -= 0x21;
    return c;
  };
  auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  if (needle.empty()) return -1;
  const std::size_t to = std::min(text.size(), static_cast<std::size_t>(start + length));
  // Character starts of the whole text, and of the needle.
  std::vector<bool> charStart(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size(); i += SjisCharLength(text.data(), text.size(), i)) {
    charStart[i] = true;
  }
  charStart[text.size()] = true;
  for (std::size_t i = start; i < to; ++i) {
    if (!charStart[i]) continue;
    std::size_t ti = i, ni = 0;
    bool match = true;
    while (match && ni < needle.size()) {
      const std::size_t tl = ti < to ? SjisCharLength(text.data(), text.size(), ti) : 0;
      const std::size_t nl = SjisCharLength(needle.data(), needle.size(), ni);
      match = tl == nl && ti + tl <= to && fold(ti, tl, text) == fold(ni, nl, needle);
      ti += tl;
      ni += nl;
    }
    if (match && options.wholeWord) {
      const bool prevWord = i > 0 && charStart[i - 1] && word(text[i - 1]);
      const std::size_t lastStart = [&] {
        std::size_t k = 0, last = 0;
        for (; k < needle.size(); k += SjisCharLength(needle.data(), needle.size(), k)) last = k;
        return last;
      }();
      const bool firstWord = word(needle[0]);
      const bool lastWord = lastStart == needle.size() - 1 && word(needle.back());
      const bool nextWord = ti < text.size() && word(text[ti]);
      match = !((firstWord && prevWord) || (lastWord && nextWord));
    }
    if (match) return static_cast<int>(i);
  }
  return -1;
}

// Random texts of the bytes that make Shift_JIS hard: lead bytes, second bytes that look like
// ASCII letters, line breaks, word characters and full-width letters.
TEST(FindSjisText, AgreesWithThePlainRulesOnRandomText) {
  const char pieces[][3] = {"a",    "A",    "b",    "_",    "1",    " ",    "\r",   "\n",   "<",
                            "\x83", "\x82", "\x41", "\x61", "\x62", "\x60", "\x81", "\xE0", "\xFA"};
  std::mt19937 random(12345);
  auto piece = [&] { return Bytes(pieces[random() % std::size(pieces)]); };
  for (int round = 0; round < 4000; ++round) {
    Bytes text;
    const int length = static_cast<int>(random() % 40);
    for (int k = 0; k < length; ++k) text += piece();
    Bytes needle;
    if (random() % 2 && !text.empty()) {
      const std::size_t at = random() % text.size();
      needle = text.substr(at, 1 + random() % 4);
    } else {
      for (int k = 1 + static_cast<int>(random() % 3); k > 0; --k) needle += piece();
    }
    // A start on a character start, as the editors give it.
    std::size_t start = 0;
    for (std::size_t skip = random() % (text.size() + 1); start < text.size() && skip > 0; --skip) {
      start += SjisCharLength(text.data(), text.size(), start);
    }
    const int rangeLength = static_cast<int>(random() % (text.size() - start + 2));
    const FindOptions options{random() % 2 == 0, random() % 2 == 0};
    ASSERT_EQ(FindSjisText(text, needle, static_cast<int>(start), rangeLength, options),
              PlainFind(text, needle, static_cast<int>(start), rangeLength, options))
        << "round " << round << ", text " << ::testing::PrintToString(text) << ", needle "
        << ::testing::PrintToString(needle) << ", start " << start << ", length " << rangeLength
        << ", case " << options.matchCase << ", word " << options.wholeWord;
  }
}

TEST(DialogText, IsCutToTheBufferWithoutSplittingACharacter) {
  EXPECT_EQ(CutDialogText(Bytes(255, 'a')), Bytes(255, 'a'));
  EXPECT_EQ(CutDialogText(Bytes(300, 'a')), Bytes(255, 'a'));
  // 254 bytes, then あ (82 A0): the whole character does not fit.
  EXPECT_EQ(CutDialogText(Bytes(254, 'a') + "\x82\xA0"), Bytes(254, 'a'));
  EXPECT_EQ(CutDialogText(Bytes(253, 'a') + "\x82\xA0"
                                            "b"),
            Bytes(253, 'a') + "\x82\xA0");
  FindDialogState dialog;
  dialog.SetFindText(Bytes(256, 'x'));
  EXPECT_EQ(dialog.findText.size(), 255u);
}

// --- The find step and the find dialog ---------------------------------------------------------

// A started program whose find dialog reports its showing as the real one does.
class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.platform.onFindDialogShow = [this] { folder.form.FindDialog1Show(); };
    folder.Start();
  }
  // A document as if loaded from a file: unmodified, with a path.
  void Load(const Bytes& text) {
    WriteFileBytes(folder.dir / "page.txt", text);
    folder.form.Run([&] { folder.form.DropFiles({folder.Path("page.txt")}); });
    ASSERT_EQ(folder.editor.Text(), text);
    ASSERT_FALSE(folder.form.Modified);
  }
  void Select(int start, int length) { folder.editor.SetSel(start, start + length); }
  std::pair<int, int> Selection() { return {folder.editor.SelStart(), folder.editor.SelLength()}; }
  void Messages(std::vector<std::string> expected) {
    EXPECT_EQ(folder.platform.messages, expected);
    folder.platform.messages.clear();
  }

  ProgramFolder folder;
  TForm1& form = folder.form;
  MemoryEditor& editor = folder.editor;
};

struct StepCase {
  const char* what;
  Bytes text;
  int selStart, selLength;
  Bytes find;
  std::pair<int, int> expected;  // the selection afterwards; {-1, -1}: not found
};

TEST_F(Search, FindNextSearchesForwardFromTheEndOfTheSelection) {
  const StepCase cases[] = {
      {"from the caret", "ab ab", 1, 0, "ab", {3, 2}},
      {"at the caret", "ab ab", 0, 0, "ab", {0, 2}},
      {"caret at the end", "ab ab", 5, 0, "ab", {-1, -1}},
      {"only before the caret: no wrap", "ab ab", 4, 0, "ab", {-1, -1}},
      {"the only occurrence selected", "xab", 1, 2, "ab", {-1, -1}},
      {"a selected occurrence is stepped over", "ab ab", 0, 2, "ab", {3, 2}},
      {"a selection that is no occurrence is skipped", "ab x ab", 0, 4, "ab", {5, 2}},
      {"an occurrence starting inside the selection is skipped", "xab", 0, 2, "ab", {-1, -1}},
      {"Japanese text before the caret",
       "\x82\xA0\x82\xA2"
       "ab",
       2,
       0,
       "ab",
       {4, 2}},
      {"empty find text", "ab", 0, 0, "", {-1, -1}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.what);
    editor.SetText(c.text);
    Select(c.selStart, c.selLength);
    form.ReplaceDialog1.findText = c.find;
    folder.platform.beeps = 0;
    const bool found = form.FindNextMatch(form.ReplaceDialog1);
    if (c.expected.first < 0) {
      EXPECT_FALSE(found);
      EXPECT_EQ(Selection(), std::make_pair(c.selStart, c.selLength));
      EXPECT_EQ(folder.platform.beeps, 1);
      Messages({kNotFound});
    } else {
      EXPECT_TRUE(found);
      EXPECT_EQ(Selection(), c.expected);
      EXPECT_EQ(folder.platform.beeps, 0);
      Messages({});
    }
  }
}

TEST_F(Search, RepeatedFindNextWalksTheMatchesWithTheDialogsOptionsThenStops) {
  editor.SetText("Cat cat concat CAT");
  form.FindDialog1.SetFindText("cat");
  form.FindDialog1.wholeWord = true;
  form.Find2Click();
  std::vector<int> starts;
  for (int i = 0; i < 4 && folder.platform.messages.empty(); ++i) {
    form.FindDialog1Find();
    if (folder.platform.messages.empty()) starts.push_back(editor.SelStart());
  }
  EXPECT_EQ(starts, (std::vector<int>{0, 4, 15}));
  Messages({kNotFound});
  EXPECT_EQ(Selection(), std::make_pair(15, 3));  // the last match stays selected
  EXPECT_TRUE(editor.HasFocus());

  form.FindDialog1.matchCase = true;
  editor.SetSelStart(0);
  form.FindDialog1Find();
  EXPECT_EQ(Selection(), std::make_pair(4, 3));
}

TEST_F(Search, TheFindDialogOpensAtAThirdOfTheScreenAndF3SearchesOnlyWhileItIsOpen) {
  editor.SetText("a a a");
  form.FindDialog1.findText = "a";
  EXPECT_FALSE(form.FindDialogShown);

  // F3 with the dialog closed opens it and does not search.
  form.FindDialog1Find();
  EXPECT_TRUE(form.FindDialogShown);
  EXPECT_EQ(folder.platform.findDialogShowings, (std::vector<FakePlatform::Point>{{341, 256}}));
  EXPECT_EQ(Selection(), std::make_pair(0, 0));

  form.FindDialog1Find();
  EXPECT_EQ(Selection(), std::make_pair(0, 1));

  // Ctrl+F again, on another screen: moved there, still the same open dialog.
  folder.platform.screen = {1920, 1081};
  form.Find2Click();
  EXPECT_EQ(folder.platform.findDialogShowings.back(), (FakePlatform::Point{640, 360}));
  EXPECT_TRUE(form.FindDialogShown);

  folder.platform.findDialogOpen = false;
  form.FindDialog1Close();
  form.FindDialog1Find();
  EXPECT_EQ(Selection(), std::make_pair(0, 1));  // reopened, no search
  EXPECT_EQ(folder.platform.findDialogShowings.size(), 3u);
}

TEST_F(Search, TheReplaceDialogHasNoEffectOnF3) {
  form.Replace1Click();
  EXPECT_EQ(folder.platform.replaceDialogShowings, (std::vector<FakePlatform::Point>{{341, 256}}));
  form.FindDialog1Find();
  EXPECT_EQ(folder.platform.findDialogShowings.size(), 1u);
  Messages({});
}

// --- Replace -----------------------------------------------------------------------------------

TEST_F(Search, ReplaceReplacesTheSelectionWhateverItHoldsThenFindsTheNext) {
  Load("one two one");
  form.ReplaceDialog1.findText = "one";
  form.ReplaceDialog1.replaceText = "1";

  // Nothing selected: no change, only the next occurrence selected.
  form.ReplaceDialog1Replace(ReplaceButton::Replace);
  EXPECT_EQ(editor.Text(), "one two one");
  EXPECT_EQ(Selection(), std::make_pair(0, 3));
  EXPECT_FALSE(form.Modified);

  form.ReplaceDialog1Replace(ReplaceButton::Replace);
  EXPECT_EQ(editor.Text(), "1 two one");
  EXPECT_EQ(Selection(), std::make_pair(6, 3));
  EXPECT_TRUE(form.Modified);
  EXPECT_EQ(form.Caption(), "Pemrin v1.37 " + folder.Path("page.txt") + "(更新)");

  // A selection that is no occurrence is replaced all the same.
  Select(2, 3);
  form.ReplaceDialog1Replace(ReplaceButton::Replace);
  EXPECT_EQ(editor.Text(), "1 1 one");
  EXPECT_EQ(Selection(), std::make_pair(4, 3));

  // The last one: replaced, then nothing further; the caret stays after the new text.
  form.ReplaceDialog1Replace(ReplaceButton::Replace);
  EXPECT_EQ(editor.Text(), "1 1 1");
  EXPECT_EQ(Selection(), std::make_pair(5, 0));
  EXPECT_EQ(folder.platform.beeps, 1);
  Messages({kNotFound});

  // Replacements are no edits the control's undo knows.
  form.Undo1Click();
  EXPECT_EQ(editor.Text(), "1 1 1");
}

struct ReplaceAllCase {
  const char* what;
  Bytes text;
  int selStart, selLength;
  Bytes find, replace;
  bool matchCase;
  Bytes expected;
  std::vector<std::string> messages;
};

TEST_F(Search, ReplaceAllReplacesEveryOccurrenceBehindTheSelectionAndCountsThem) {
  const ReplaceAllCase cases[] = {
      {"from the start",
       "a-b-a-a",
       0,
       0,
       "a",
       "x",
       false,
       "x-b-x-x",
       {"3個の個所を置換しました。"}},
      {"the caret in the middle",
       "a-a-a",
       1,
       0,
       "a",
       "x",
       false,
       "a-x-x",
       {"2個の個所を置換しました。"}},
      {"a selected occurrence with later ones stays",
       "a-a-a",
       0,
       1,
       "a",
       "x",
       false,
       "a-x-x",
       {"2個の個所を置換しました。"}},
      {"a selected occurrence with none later is replaced",
       "a-a-a",
       4,
       1,
       "a",
       "x",
       false,
       "a-a-x",
       {kNotFound, "1個の個所を置換しました。"}},
      {"no occurrence",
       "b-b",
       0,
       0,
       "a",
       "x",
       false,
       "b-b",
       {kNotFound, "0個の個所を置換しました。"}},
      {"a replace text holding the find text",
       "a-aa",
       0,
       0,
       "a",
       "aa",
       false,
       "aa-aaaa",
       {"3個の個所を置換しました。"}},
      {"an empty replace text deletes",
       "<b>x</b>",
       0,
       0,
       "b",
       "",
       false,
       "<>x</>",
       {"2個の個所を置換しました。"}},
      {"case blind", "Ab aB ab", 0, 0, "ab", "-", false, "- - -", {"3個の個所を置換しました。"}},
      {"match case", "Ab aB ab", 0, 0, "ab", "-", true, "Ab aB -", {"1個の個所を置換しました。"}},
      {"never inside a double-byte character",
       "\x83\x41"
       "A\x83\x41",
       0,
       0,
       "A",
       "B",
       true,
       "\x83\x41"
       "B\x83\x41",
       {"1個の個所を置換しました。"}},
      {"double-byte text replaced by longer text",
       "\x82\xA0x\x82\xA0",
       0,
       0,
       "\x82\xA0",
       "<br>",
       false,
       "<br>x<br>",
       {"2個の個所を置換しました。"}},
      {"many on many lines",
       "a\r\na\r\na\r\n",
       0,
       0,
       "a\r\n",
       "",
       false,
       "",
       {"3個の個所を置換しました。"}},
  };
  for (const ReplaceAllCase& c : cases) {
    SCOPED_TRACE(c.what);
    editor.SetText(c.text);
    Select(c.selStart, c.selLength);
    form.ReplaceDialog1.findText = c.find;
    form.ReplaceDialog1.replaceText = c.replace;
    form.ReplaceDialog1.matchCase = c.matchCase;
    form.ReplaceDialog1Replace(ReplaceButton::ReplaceAll);
    EXPECT_EQ(editor.Text(), c.expected);
    Messages(c.messages);
    EXPECT_FALSE(form.ReplacingAll);
  }
}

TEST_F(Search, ReplaceAllLeavesTheCaretAtTheEndAndTheDocumentModified) {
  Load("x a x a x");
  form.ReplaceDialog1.findText = "a";
  form.ReplaceDialog1.replaceText = "b";
  form.ReplaceDialog1Replace(ReplaceButton::ReplaceAll);
  EXPECT_EQ(editor.Text(), "x b x b x");
  EXPECT_EQ(Selection(), std::make_pair(9, 0));
  EXPECT_TRUE(editor.HasFocus());
  EXPECT_TRUE(editor.Visible());
  EXPECT_TRUE(form.Modified);
  EXPECT_TRUE(form.ItemEnabled(MenuItem::N2));
  EXPECT_EQ(folder.platform.beeps, 0);
  // A later search that finds nothing says so again.
  editor.SetSelStart(0);
  form.FindNextMatch(form.ReplaceDialog1);
  Messages({"2個の個所を置換しました。", kNotFound});
}

// Text the user happened to select is no occurrence: Replace All must not overwrite it when
// nothing else is found, as no undo could bring it back.
TEST_F(Search, ReplaceAllNeverReplacesASelectionThatIsNoOccurrence) {
  for (const Bytes& find : {Bytes("zz"), Bytes("")}) {
    editor.SetText("keep this text");
    Select(5, 4);
    form.ReplaceDialog1.findText = find;
    form.ReplaceDialog1.replaceText = "gone";
    form.ReplaceDialog1Replace(ReplaceButton::ReplaceAll);
    EXPECT_EQ(editor.Text(), "keep this text");
    EXPECT_EQ(Selection(), std::make_pair(5, 4));
    Messages({kNotFound, "0個の個所を置換しました。"});
  }
}

TEST_F(Search, TheDialogsKeepTheirOwnTextsAndOptions) {
  editor.SetText("ab AB");
  form.FindDialog1.SetFindText("AB");
  form.FindDialog1.matchCase = true;
  form.ReplaceDialog1.SetFindText("ab");
  form.Find2Click();
  form.Replace1Click();
  form.FindDialog1Find();
  EXPECT_EQ(Selection(), std::make_pair(3, 2));
  editor.SetSelStart(0);
  form.ReplaceDialog1Find();
  EXPECT_EQ(Selection(), std::make_pair(0, 2));
}

}  // namespace
}  // namespace pemrin::testing
