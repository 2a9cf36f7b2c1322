// pemrin-conv FILE: converts a file to Shift_JIS exactly as loading a document does, writes the
// text to standard output and the code it was read in (SJIS, JIS or EUC) as the last line of
// standard error.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "documents/kanji/KanjiConverter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "使い方: pemrin-conv ファイル\n");
    return 2;
  }
  const char* path = argv[1];
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "pemrin-conv: ファイル %s は開けません (%s)\n", path,
                 std::strerror(errno));
    return 1;
  }
  std::string text;
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  bool failed = std::ferror(file) != 0;
  int error = errno;
  std::fclose(file);
  if (failed) {
    std::fprintf(stderr, "pemrin-conv: ファイル %s を読めません (%s)\n", path,
                 std::strerror(error));
    return 1;
  }

  // The same buffer as loading: 4 x L bytes, zero-filled.
  std::vector<unsigned char> buffer(4 * text.size());
  pemrin::ConversionResult result =
      pemrin::ConvertToSjis(reinterpret_cast<const unsigned char*>(text.data()), text.size(),
                            buffer.data(), buffer.size());
  if (result.length != 0 && std::fwrite(buffer.data(), 1, result.length, stdout) != result.length) {
    std::fprintf(stderr, "pemrin-conv: 標準出力に書き込めません\n");
    return 1;
  }
  if (std::fflush(stdout) != 0) {
    std::fprintf(stderr, "pemrin-conv: 標準出力に書き込めません\n");
    return 1;
  }
  std::fprintf(stderr, "%s\n", pemrin::KanjiCodeWord(result.code));
  return 0;
}
