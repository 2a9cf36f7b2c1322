// The string-list loader on any bytes: the entries are the text's lines, in order, each ended by
// CR LF, a lone CR or a lone LF, nothing lost before the first NUL; what Text() gives back and
// what a file holds load to the same entries.

#include <cstring>

#include "FuzzScratch.h"
#include "FuzzTargets.h"
#include "app/Types.h"
#include "tags/AnsiText.h"
#include "tags/StringList.h"

namespace pemrin::fuzz {

namespace {

// The length of the line end at text[pos], 0 if none.
std::size_t LineEndAt(const Bytes& text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  if (text[pos] == '\n') return 1;
  if (text[pos] != '\r') return 0;
  return pos + 1 < text.size() && text[pos + 1] == '\n' ? 2 : 1;
}

}  // namespace

void FuzzStringList(const std::uint8_t* data, std::size_t size) {
  const Bytes text(reinterpret_cast<const char*>(data), size);
  StringList list;
  list.LoadFromBytes(text);

  // Walk the text up to its first NUL: every entry in its place, followed by a line end.
  const Bytes used = text.substr(0, std::min(text.find('\0'), text.size()));
  std::size_t pos = 0;
  for (const Bytes& entry : list.Entries()) {
    Check(entry.find_first_of(std::string("\r\n\0", 3)) == Bytes::npos,
          "an entry holds a line end or NUL");
    Check(used.compare(pos, entry.size(), entry) == 0, "an entry is not the text's next line");
    pos += entry.size();
    const std::size_t eol = LineEndAt(used, pos);
    Check(eol > 0 || pos == used.size(), "an entry is cut inside a line");
    pos += eol;
  }
  Check(pos == used.size(), "text before the first NUL was lost");

  // The entries survive a round trip through Text() and through a file.
  StringList again;
  again.LoadFromBytes(list.Text());
  Check(again.Entries() == list.Entries(), "Text() does not load back to the same entries");

  static ScratchCleanup cleanup;
  const std::string path = (ScratchDir() / "list.dic").string();
  list.SaveToFile(path);
  StringList fromFile;
  fromFile.LoadFromFile(path);
  Check(fromFile.Entries() == list.Entries(), "the saved file loads to other entries");

  // IndexOf finds each entry at or before its own place, at an entry equal to it without case.
  for (int i = 0; i < list.Count() && i < 64; ++i) {
    const int found = list.IndexOf(list[i]);
    Check(found >= 0 && found <= i, "IndexOf misses an entry");
    Check(AnsiSameText(list[found], list[i]), "IndexOf gives an entry of another name");
  }
}

}  // namespace pemrin::fuzz
