#pragma once
// A program folder of its own for one test: the dictionaries and template the start-up reads,
// and a main window logic on a MemoryEditor and a FakePlatform started from there.

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "FakePlatform.h"
#include "app/TForm1.h"
#include "editor/MemoryEditor.h"

namespace pemrin::testing {

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

class ProgramFolder {
 public:
  ProgramFolder() {
    static int counter = 0;
    dir = std::filesystem::temp_directory_path() /
          ("pemrin-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : DefaultFiles()) WriteFileBytes(dir / name, bytes);
    platform.programPath = (dir / "pemrin").string();
    platform.onTemplateDialogClosed = [this] { form.TemplateDialogClosed(); };
  }
  ~ProgramFolder() {
    std::error_code error;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(dir, error);
  }

  // Small dictionaries: enough for every path of the tag assistance.
  static std::map<std::string, std::string> DefaultFiles() {
    return {
        {"fronttag.dic", "!--\r\nA\r\nB\r\nBODY\r\nFONT\r\nFORM\r\nMARQUEE\r\nBLINK\r\nP\r\n"},
        {"backtag.dic", "/A\r\n/B\r\n/BODY\r\n/FONT\r\n/FORM\r\n/MARQUEE\r\n/BLINK\r\n/P\r\n"},
        {"frontop.dic",
         "[!--]\r\n[A]\r\nHREF\r\nNAME\r\n[B]\r\n[BODY]\r\nBGCOLOR\r\n[FONT]\r\nCOLOR\r\n"
         "COLOR2\r\nFACE\r\nSIZE\r\n[FORM]\r\nACTION\r\n[MARQUEE]\r\n[BLINK]\r\n[P]\r\nALIGN\r\n"},
        {"ietag.dic", "MARQUEE\r\n/MARQUEE\r\n"},
        {"nntag.dic", "BLINK\r\n/BLINK\r\n"},
        {"new.tlt", kDefaultDocument},
    };
  }

  std::string Path(const std::string& name) const { return (dir / name).string(); }

  // Starts the program's logic as the window's first showing does.
  void Start() {
    form.Run([&] { form.FormShow(); });
  }

  std::filesystem::path dir;
  FakePlatform platform;
  MemoryEditor editor;
  TForm1 form{editor, platform};
};

}  // namespace pemrin::testing
