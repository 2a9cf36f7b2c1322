// The settings file: a file of any bytes, then any sequence of reads and writes. After every
// write the file holds every line it held before that holds something, in order (one key line
// may have taken its new value; new key and section lines may stand between them); a write
// that fails leaves the file byte for byte; a key reads back what was last written to it.

#include <fstream>
#include <vector>

#include "FuzzInput.h"
#include "FuzzScratch.h"
#include "FuzzTargets.h"
#include "app/AtomicFile.h"
#include "app/IniFile.h"
#include "editor/Sjis.h"
#include "tags/AnsiText.h"

namespace pemrin::fuzz {

namespace {

constexpr std::size_t kMaxValueBytes = 2047;

bool IsBlankLine(const Bytes& line) {
  return line.find_first_not_of(" \t") == Bytes::npos;
}

// The lines of the file that hold something, without their line ends (CR LF, lone CR, lone
// LF). Blank lines do not count: a new line may end in a lone CR that joins the LF of a blank
// line after it into one line end.
std::vector<Bytes> SplitLines(const Bytes& text) {
  std::vector<Bytes> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    if (!IsBlankLine(text.substr(pos, end - pos))) lines.push_back(text.substr(pos, end - pos));
    if (end < text.size()) {
      end += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
    }
    pos = end;
  }
  return lines;
}

// What a read gives for a value written: blanks around it dropped, at most 2047 bytes, never
// half a double-byte character.
Bytes ExpectedRead(const Bytes& written) {
  const std::size_t b = written.find_first_not_of(" \t");
  if (b == Bytes::npos) return Bytes();
  const Bytes value = written.substr(b, written.find_last_not_of(" \t") + 1 - b);
  std::size_t end = 0;
  while (end < value.size()) {
    const std::size_t next = end + SjisCharLength(value.data(), value.size(), end);
    if (next > kMaxValueBytes) break;
    end = next;
  }
  return value.substr(0, end);
}

// Every line of `before` that holds something is in `after`, in order; in between `after` may
// hold the section's head and the key's line; at most one line of `before` may have become its
// key's line with the new value.
void CheckLinesKept(const Bytes& before, const Bytes& after, const Bytes& section, const Bytes& key,
                    const Bytes& value) {
  const std::vector<Bytes> old = SplitLines(before);
  const std::vector<Bytes> now = SplitLines(after);
  const Bytes keyLine = key + "=" + value;
  const Bytes sectionLine = "[" + section + "]";
  bool changedOne = false;
  std::size_t i = 0, j = 0;
  while (i < old.size() || j < now.size()) {
    if (j == now.size())
      throw FuzzFailure("writing [" + Printable(section) + "] " + Printable(key) +
                        " lost a line: " + Printable(old[i]) + "\n  before: " + Printable(before) +
                        "\n  after:  " + Printable(after));
    if (i < old.size() && old[i] == now[j]) {
      ++i, ++j;
    } else if (i < old.size() && !changedOne && old[i].find('=') != Bytes::npos &&
               now[j] == old[i].substr(0, old[i].find('=') + 1) + value) {
      changedOne = true;
      ++i, ++j;
    } else {
      if (now[j] != keyLine && now[j] != sectionLine)
        throw FuzzFailure("writing [" + Printable(section) + "] " + Printable(key) + "=" +
                          Printable(value) + " changed or added a line: " + Printable(now[j]) +
                          "\n  before: " + Printable(before) + "\n  after:  " + Printable(after));
      ++j;
    }
  }
}

// A written value, by section and key as the file compares them.
struct Written {
  Bytes section, key, value;
};

const Written* Find(const std::vector<Written>& model, const Bytes& section, const Bytes& key) {
  for (auto it = model.rbegin(); it != model.rend(); ++it) {
    if (AnsiSameText(it->section, section) && AnsiSameText(it->key, key)) return &*it;
  }
  return nullptr;
}

// Names the program uses, in other cases, or anything.
Bytes Name(FuzzInput& in, bool section) {
  static const char* const kSections[] = {"SET", "FORM", "set", "Form", "x"};
  static const char* const kKeys[] = {"TOP", "top", "FONT_NAME", "SPW", "CUR_DIR", "x"};
  const int pick = in.Byte();
  if (pick < 160) return section ? kSections[pick % 5] : kKeys[pick % 6];
  return in.String(12);
}

Bytes Value(FuzzInput& in) {
  if (in.Byte() < 240) return in.String(40);
  // Long values, past the 2047 bytes a read takes.
  const Bytes piece = in.String(16);
  Bytes value;
  for (int n = in.Below(300); n > 0; --n) value += piece;
  return value;
}

Bytes ReadFile(const std::string& path) {
  Bytes text;
  ReadWholeFile(path, text);
  return text;
}

}  // namespace

void FuzzIniFile(const std::uint8_t* data, std::size_t size) {
  static ScratchCleanup cleanup;
  FuzzInput in(data, size);
  const std::string path = (ScratchDir() / "pemrin.ini").string();
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << in.Take(in.Below(1024));
  }
  IniFile ini(path);
  std::vector<Written> model;

  for (int step = 0; step < 64 && !in.Empty(); ++step) {
    const int op = in.Below(4);
    const Bytes section = Name(in, true);
    const Bytes key = Name(in, false);
    if (op == 0 || op == 2) {
      const Written* known = Find(model, section, key);
      if (op == 0) {
        const Bytes read = ini.ReadString(section, key, "\x01");
        Check(read.find_first_of("\r\n") == Bytes::npos, "a value read holds a line end");
        Check(read.size() <= kMaxValueBytes, "a value read is longer than 2047 bytes");
        if (known) Check(read == ExpectedRead(known->value), "a key does not read back");
      } else {
        const int read = ini.ReadInteger(section, key, -7);
        Check(read == ParseIniInteger(ini.ReadString(section, key, "-7"), -7),
              "ReadInteger is not the integer rule on ReadString");
      }
      continue;
    }

    const Bytes value = op == 1
                            ? Value(in)
                            : std::to_string(static_cast<int>(in.Byte() << 24 | in.Byte() << 16 |
                                                              in.Byte() << 8 | in.Byte()));
    const Bytes before = ReadFile(path);
    try {
      ini.WriteString(section, key, value);
    } catch (const PemrinError&) {
      Check(ReadFile(path) == before, "a failed write changed the file");
      continue;
    }
    const Bytes after = ReadFile(path);
    CheckLinesKept(before, after, section, key, value);
    model.push_back({section, key, value});
    const Bytes read = ini.ReadString(section, key, "\x01");
    Check(read == ExpectedRead(value), "[" + Printable(section) + "] " + Printable(key) + "=" +
                                           Printable(value) + " reads back as " + Printable(read) +
                                           " from " + Printable(after));
  }
}

}  // namespace pemrin::fuzz
