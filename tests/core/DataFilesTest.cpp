// The files shipped beside the program: the dictionaries must agree with one another, or Tab
// completion offers the wrong attributes and closed tags lose their IE or NN colour.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "tags/StringList.h"

namespace pemrin {
namespace {

const std::string kDataDir = std::string(PEMRIN_SOURCE_DIR) + "/data/";

Bytes ReadBytes(const std::string& name) {
  std::ifstream in(kDataDir + name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

StringList Load(const std::string& name) {
  StringList list;
  list.LoadFromFile(kDataDir + name);
  return list;
}

// Why the bytes are not plain Shift_JIS text with CR LF line ends, or "" when they are.
std::string TextFault(const Bytes& text) {
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) return "no final CR LF";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    const auto at = " at byte " + std::to_string(i);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
      if (next < 0x40 || next == 0x7F || next > 0xFC) return "bad trail byte" + at;
      ++i;
    } else if (b == '\r') {
      if (next != '\n') return "lone CR" + at;
      ++i;
    } else if (b == '\n') {
      return "lone LF" + at;
    } else if ((b < 0x20 && b != '\t') || b == 0x7F || b == 0x80 || b == 0xA0 || b > 0xDF) {
      return "bad byte" + at;
    }
  }
  return "";
}

// Tag and attribute names are matched against the typed prefix after it is upper-cased, so a
// lower-case letter would make the entry unreachable; quoted values may be in any case.
bool CompletableEntry(const Bytes& entry) {
  if (entry.empty() || entry.front() == ' ' || entry.back() == ' ') return false;
  bool quoted = false;
  for (char c : entry) {
    if (c == '"') quoted = !quoted;
    if (!quoted && c >= 'a' && c <= 'z') return false;
  }
  return true;
}

TEST(DataFilesTest, EveryFileIsShiftJisWithCrLf) {
  for (const char* name : {"fronttag.dic", "backtag.dic", "frontop.dic", "ietag.dic", "nntag.dic",
                           "new.tlt", "varne.url"}) {
    EXPECT_EQ(TextFault(ReadBytes(name)), "") << name;
  }
}

TEST(DataFilesTest, EveryDictionaryEntryCanBeCompleted) {
  for (const char* name :
       {"fronttag.dic", "backtag.dic", "frontop.dic", "ietag.dic", "nntag.dic"}) {
    const StringList list = Load(name);
    for (const Bytes& entry : list.Entries()) {
      EXPECT_TRUE(CompletableEntry(entry)) << name << ": '" << entry << "'";
    }
  }
}

TEST(DataFilesTest, AttributeSectionsFollowTheTagListExactly) {
  const StringList tags = Load("fronttag.dic");
  const StringList frontop = Load("frontop.dic");
  std::vector<Bytes> heads;
  for (const Bytes& line : frontop.Entries()) {
    if (!line.empty() && line[0] == '[') heads.push_back(line);
  }
  std::vector<Bytes> expected;
  for (const Bytes& tag : tags.Entries()) expected.push_back("[" + tag + "]");
  EXPECT_EQ(heads, expected);

  const std::set<Bytes> unique(tags.Entries().begin(), tags.Entries().end());
  EXPECT_EQ(unique.size(), tags.Entries().size()) << "a tag listed twice";
  EXPECT_EQ(tags[0], "!--");
}

TEST(DataFilesTest, ClosingAndBrowserTagsHaveTheirOpeningTags) {
  const StringList front = Load("fronttag.dic");
  const StringList back = Load("backtag.dic");
  for (const Bytes& entry : back.Entries()) {
    EXPECT_TRUE(entry[0] == '/' && front.IndexOf(entry.substr(1)) >= 0) << entry;
  }

  const StringList ie = Load("ietag.dic");
  const StringList nn = Load("nntag.dic");
  for (const StringList* list : {&ie, &nn}) {
    for (const Bytes& entry : list->Entries()) {
      if (entry[0] == '/') {
        EXPECT_GE(list->IndexOf(entry.substr(1)), 0) << entry << " without its opening tag";
        EXPECT_GE(back.IndexOf(entry), 0) << entry << " cannot be completed";
      } else {
        EXPECT_GE(front.IndexOf(entry), 0) << entry << " cannot be completed";
      }
      EXPECT_EQ((list == &ie ? nn : ie).IndexOf(entry), -1) << entry << " is in both";
    }
  }
}

TEST(DataFilesTest, TheDefaultTemplateIsTheDefaultDocument) {
  const StringList lines = Load("new.tlt");
  ASSERT_EQ(lines.Count(), 18);
  EXPECT_EQ(lines[0], "<HTML>");
  EXPECT_EQ(lines[2], "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;charset=x-sjis\">");
  EXPECT_EQ(lines[3], "<META NAME=\"GENERATOR\" CONTENT=\"Pemrin v1.37\">");
  EXPECT_EQ(lines[6], "<BODY>");
  for (int i = 7; i < 16; ++i) EXPECT_EQ(lines[i], "") << i;
  EXPECT_EQ(lines[17], "</HTML>");

  const StringList link = Load("varne.url");
  EXPECT_EQ(link[0], "[InternetShortcut]");
  EXPECT_EQ(link[1].rfind("URL=https://", 0), 0u);
}

}  // namespace
}  // namespace pemrin
