// The settings file: what a write keeps of a user's file, byte for byte, and the value rules.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/IniFile.h"

namespace pemrin {
namespace {

class IniFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/pemrin-ini-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
    path_ = dir_ + "/pemrin.ini";
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0700);
    std::filesystem::remove_all(dir_);
  }

  void Put(const Bytes& text) { std::ofstream(path_, std::ios::binary) << text; }
  Bytes Get() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static std::string WriteError(const std::function<void()>& write) {
    try {
      write();
    } catch (const PemrinError& e) {
      return e.what();
    }
    return "(no error)";
  }

  std::string dir_, path_;
};

TEST_F(IniFileTest, WritesKeepEveryOtherByteOfTheUsersFile) {
  const Bytes before =
      "; my settings\r\n"
      "[OTHER]\r\n"
      "TOP=1\r\n"
      "\r\n"
      "[form]\r\n"
      "  top = 5 \r\n"
      "UNKNOWN=keep this\r\n"
      "\r\n"
      "[SET]\r\n"
      "FONT_NAME=\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E\r\n"
      "\r\n";
  Put(before);
  IniFile ini(path_);

  ini.WriteInteger("FORM", "TOP", 200);  // replaced where it stands, in the first matching section
  Bytes expected = before;
  expected.replace(expected.find("  top = 5 "), 10, "  top =200");
  EXPECT_EQ(Get(), expected);

  ini.WriteBool("SET", "SPW", false);  // a new key goes after the section's last line
  expected.insert(expected.find("\r\n\r\n", expected.find("[SET]")) + 2, "SPW=0\r\n");
  EXPECT_EQ(Get(), expected);

  ini.WriteString("NEW", "K", "v");  // a new section goes at the end
  expected += "[NEW]\r\nK=v\r\n";
  EXPECT_EQ(Get(), expected);

  EXPECT_EQ(ini.ReadInteger("Form", "Top", 0), 200);
  EXPECT_EQ(ini.ReadInteger("OTHER", "TOP", 0), 1);
  EXPECT_EQ(ini.ReadString("set", "font_name", ""),
            "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(std::filesystem::directory_iterator(dir_)->path(), path_);  // no temporary left
}

TEST_F(IniFileTest, ANewFileGetsCrLfAndOneBlankLineBetweenSections) {
  IniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("FORM", "TOP", 100), 100);
  EXPECT_FALSE(std::filesystem::exists(path_));
  ini.WriteInteger("FORM", "TOP", -5);
  ini.WriteInteger("FORM", "LEFT", 7);
  ini.WriteString("SET", "CUR_DIR", "");
  EXPECT_EQ(Get(), "[FORM]\r\nTOP=-5\r\nLEFT=7\r\n\r\n[SET]\r\nCUR_DIR=\r\n");
  EXPECT_EQ(ini.ReadString("SET", "CUR_DIR", "default"), "");  // empty is a value
}

TEST_F(IniFileTest, TheFilesOwnLineEndsAreKept) {
  Put("[SET]\nA=1");  // LF, and no line end at the end
  IniFile ini(path_);
  ini.WriteInteger("SET", "B", 2);
  ini.WriteInteger("X", "C", 3);
  EXPECT_EQ(Get(), "[SET]\nA=1\nB=2\n\n[X]\nC=3\n");
}

TEST_F(IniFileTest, ValueRules) {
  const struct {
    Bytes value;
    int expected;
  } cases[] = {
      {"abc", 100},
      {"0xFF", 255},
      {"0Xff", 255},
      {"-5", -5},
      {"0x", 100},
      {"", 100},
      {" \t42 ", 42},
      {"007", 7},
      {"12abc", 100},
      {"-", 100},
      {"+5", 100},
      {"- 5", 100},
      {"0x1G", 100},
      {"-0x10", 100},
      {"2147483647", 2147483647},
      {"2147483648", 100},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", 100},
      {"0x7FFFFFFF", 2147483647},
      {"0x80000000", 100},
      {"99999999999999999999", 100},
  };
  Bytes text = "[SET]\r\n";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    text += "K" + std::to_string(i) + "=" + cases[i].value + "\r\n";
  }
  Put(text);
  IniFile ini(path_);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ini.ReadInteger("SET", "K" + std::to_string(i), 100), cases[i].expected)
        << "'" << cases[i].value << "'";
  }
}

TEST_F(IniFileTest, BoolsAndLongTexts) {
  const Bytes longValue = Bytes(2046, 'x') + "\x83\x41";  // ア straddles byte 2047
  Put("[SET]\r\nTWO=2\r\nZERO=0\r\nEMPTY=\r\nTEXT=abc\r\nLONG=" + longValue + "y\r\n");
  IniFile ini(path_);
  EXPECT_TRUE(ini.ReadBool("SET", "TWO", false));
  EXPECT_FALSE(ini.ReadBool("SET", "ZERO", true));
  EXPECT_TRUE(ini.ReadBool("SET", "EMPTY", true));
  EXPECT_FALSE(ini.ReadBool("SET", "EMPTY", false));
  EXPECT_TRUE(ini.ReadBool("SET", "TEXT", true));
  EXPECT_TRUE(ini.ReadBool("SET", "MISSING", true));
  EXPECT_EQ(ini.ReadString("SET", "LONG", ""), Bytes(2046, 'x'));  // never half a character
}

TEST_F(IniFileTest, ABracketAsTrailByteDoesNotEndTheSectionName) {
  Put("[\x83\x5D]\r\nK=1\r\n");  // ゾ is 83 5D
  IniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("\x83\x5D", "K", 0), 1);
  ini.WriteInteger("\x83\x5D", "K", 2);
  EXPECT_EQ(Get(), "[\x83\x5D]\r\nK=2\r\n");
}

TEST_F(IniFileTest, AWriteThatCannotBeDoneReportsThePathAndChangesNothing) {
  const std::string folder = dir_ + "/taken";
  std::filesystem::create_directory(folder);
  EXPECT_EQ(WriteError([&] { IniFile(folder).WriteInteger("SET", "SPW", 1); }),
            folder + " に書き込めません");
  const std::string nowhere = dir_ + "/missing/pemrin.ini";
  EXPECT_EQ(WriteError([&] { IniFile(nowhere).WriteInteger("SET", "SPW", 1); }),
            nowhere + " に書き込めません");

  Put("[SET]\r\nSPW=1\r\n");
  EXPECT_EQ(WriteError([&] { IniFile(path_).WriteString("SET", "CUR_DIR", "a\nb"); }),
            "設定 CUR_DIR の値に改行は書けません");
  EXPECT_EQ(Get(), "[SET]\r\nSPW=1\r\n");
}

// Found by the fuzzer: such a name was written, never read back, and written anew each time.
TEST_F(IniFileTest, SectionNamesThatWouldNotReadBackAreRefused) {
  Put("[SET]\r\nSPW=1\r\n");
  for (const Bytes name : {" SET", "SET\t", "a\x92"}) {  // blanks around it; a lone lead byte
    EXPECT_EQ(WriteError([&] { IniFile(path_).WriteInteger(name, "K", 1); }),
              "設定ファイルのセクション名 '" + name + "' は使えません");
  }
  EXPECT_EQ(Get(), "[SET]\r\nSPW=1\r\n");
}

TEST_F(IniFileTest, TheFileKeepsItsPermissions) {
  Put("[SET]\r\nSPW=1\r\n");
  ::chmod(path_.c_str(), 0640);
  IniFile(path_).WriteInteger("SET", "SPW", 0);
  struct stat st;
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(IniFileTest, WriteProtectionIsRespected) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes through any protection";
  Put("[SET]\r\nSPW=1\r\n");
  ::chmod(path_.c_str(), 0400);
  EXPECT_EQ(WriteError([&] { IniFile(path_).WriteInteger("SET", "SPW", 0); }),
            path_ + " に書き込めません");
  EXPECT_EQ(Get(), "[SET]\r\nSPW=1\r\n");

  // A writable file in a protected folder is still written, in place.
  ::chmod(path_.c_str(), 0600);
  ::chmod(dir_.c_str(), 0500);
  IniFile(path_).WriteInteger("SET", "SPW", 0);
  EXPECT_EQ(Get(), "[SET]\r\nSPW=0\r\n");
}

}  // namespace
}  // namespace pemrin
