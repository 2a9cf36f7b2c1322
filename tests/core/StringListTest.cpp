// The string list behind the dictionaries and templates, and the ANSI case rules of its lookups.
// Shift_JIS characters are written as bytes: ア is 83 41 (its trail byte looks like 'A'),
// ャ is 83 61 (trail byte 'a').

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <vector>

#include "tags/AnsiText.h"
#include "tags/StringList.h"

namespace pemrin {
namespace {

std::vector<Bytes> Lines(const Bytes& text) {
  StringList list;
  list.LoadFromBytes(text);
  return list.Entries();
}

TEST(StringListTest, LineRules) {
  using V = std::vector<Bytes>;
  const struct {
    Bytes text;
    V lines;
  } cases[] = {
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\nB\n", {"A", "B"}},
      {"A\rB\r", {"A", "B"}},
      {"A\r\nB", {"A", "B"}},  // a last line without line end is an entry
      {"", {}},
      {"\r\n", {""}},
      {"A\r\n\r\nB", {"A", "", "B"}},  // an empty line is an empty entry
      {"A\n\rB", {"A", "", "B"}},      // LF then CR: two line ends
      {"A\r\r\nB", {"A", "", "B"}},
      {"FONT \r\n \tX\r\n", {"FONT ", " \tX"}},  // nothing trimmed
      {Bytes("A\r\nB\0C\r\nD", 9), {"A", "B"}},  // NUL ends the text
      {Bytes("\0A", 2), {}},
      {"\x83\x41\r\n\x83\x41", {"\x83\x41", "\x83\x41"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lines(c.text), c.lines) << testing::PrintToString(c.text);
  }
}

TEST(StringListTest, IndexOfIgnoresOnlySingleByteLetterCase) {
  StringList list;
  for (const char* entry : {"font", "FONT ", "\x83\x41", "[A]", "FONT"}) list.Add(entry);

  const struct {
    Bytes key;
    int index;
  } cases[] = {
      {"FONT", 0},                        // first hit wins, case ignored
      {"Font", 0},     {"FONT ", 1},      // the space is part of the entry
      {"\x83\x41", 2}, {"\x83\x61", -1},  // ャ is not ア: a trail byte is no letter
      {"[a]", 3},      {"", -1},         {"FON", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(list.IndexOf(c.key), c.index) << c.key;
}

TEST(StringListTest, AnsiCaseLeavesDoubleByteCharactersIntact) {
  EXPECT_EQ(AnsiUpper("ab\x83\x61z\x82\xA0q"), "AB\x83\x61Z\x82\xA0Q");
  EXPECT_EQ(AnsiUpper("\xB1"
                      "a\x83"),
            "\xB1"
            "A\x83");  // half-width kana; a lone lead byte at the end
  EXPECT_TRUE(AnsiSameText("a\x83\x41z", "A\x83\x41Z"));
  EXPECT_FALSE(AnsiSameText("\x83\x41", "\x83\x61"));
  EXPECT_FALSE(AnsiSameText("\x83\x41", "\x83\x41 "));
}

TEST(StringListTest, IndexOutsideTheListIsAnError) {
  StringList list;
  list.Add("A");
  EXPECT_EQ(list[0], "A");
  for (int index : {1, -1}) {
    try {
      list.Strings(index);
      FAIL() << index;
    } catch (const PemrinError& e) {
      EXPECT_EQ(std::string(e.what()),
                "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
    }
  }
}

class StringListFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/pemrin-stringlist-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

TEST_F(StringListFileTest, AFileThatCannotBeOpenedLeavesTheListAsItWas) {
  StringList list;
  list.Add("kept");
  for (const std::string& path : {dir_ + "/missing.dic", dir_}) {
    try {
      list.LoadFromFile(path);
      FAIL() << path;
    } catch (const PemrinError& e) {
      EXPECT_EQ(std::string(e.what()), "ファイル " + path + " は開けません");
    }
    EXPECT_EQ(list.Entries(), std::vector<Bytes>{"kept"});
  }
}

TEST_F(StringListFileTest, SavedTextEndsEveryLineWithCrLfAndLoadsBack) {
  StringList list;
  for (const char* entry : {"<HTML>", "", "\x83\x41"}) list.Add(entry);
  EXPECT_EQ(list.Text(), "<HTML>\r\n\r\n\x83\x41\r\n");

  const std::string path = dir_ + "/new.tlt";
  list.SaveToFile(path);
  StringList loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.Entries(), list.Entries());

  const std::string nowhere = dir_ + "/no/such/folder/x.tlt";
  try {
    list.SaveToFile(nowhere);
    FAIL();
  } catch (const PemrinError& e) {
    EXPECT_EQ(std::string(e.what()), "ファイル " + nowhere + " を作成できません");
  }
}

}  // namespace
}  // namespace pemrin
