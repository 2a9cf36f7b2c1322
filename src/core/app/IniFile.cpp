#include "app/IniFile.h"

#include <climits>
#include <optional>
#include <string_view>

#include "app/AtomicFile.h"
#include "editor/Sjis.h"
#include "tags/AnsiText.h"

namespace pemrin {

namespace {

constexpr std::size_t kMaxValueBytes = 2047;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// One line of the file: its text is [begin, end), the next line starts at next.
struct Line {
  std::size_t begin = 0, end = 0, next = 0;
};

bool LineAt(const Bytes& text, std::size_t pos, Line& line) {
  if (pos >= text.size()) return false;
  std::size_t e = pos;
  while (e < text.size() && text[e] != '\r' && text[e] != '\n') ++e;
  line.begin = pos;
  line.end = e;
  if (e < text.size()) e += (text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ? 2 : 1;
  line.next = e;
  return true;
}

enum class LineKind { kBlank, kSection, kKey, kOther };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  Bytes name;                                // section or key name, blanks removed
  std::size_t valueBegin = 0, valueEnd = 0;  // the key's value, blanks removed
  std::size_t afterEquals = 0;               // the key's raw value starts here
};

void Trim(const Bytes& text, std::size_t& b, std::size_t& e) {
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
}

ParsedLine Parse(const Bytes& text, const Line& line) {
  ParsedLine parsed;
  std::size_t b = line.begin, e = line.end;
  Trim(text, b, e);
  if (b == e) {
    parsed.kind = LineKind::kBlank;
  } else if (text[b] == '[') {
    // ']' is also a trail byte (ゾ is 0x83 0x5D): look for it character by character.
    std::size_t close = b + 1;
    while (close < e && text[close] != ']') close += SjisCharLength(text.data(), e, close);
    if (close > e) close = e;
    std::size_t nb = b + 1, ne = close;
    Trim(text, nb, ne);
    parsed.kind = LineKind::kSection;
    parsed.name.assign(text, nb, ne - nb);
  } else if (text[b] != ';') {
    std::size_t eq = std::string_view(text).substr(b, e - b).find('=');  // never a trail byte
    if (eq != std::string_view::npos) {
      eq += b;
      std::size_t ke = eq, vb = eq + 1, ve = e;
      Trim(text, b, ke);
      Trim(text, vb, ve);
      parsed.kind = LineKind::kKey;
      parsed.name.assign(text, b, ke - b);
      parsed.afterEquals = eq + 1;
      parsed.valueBegin = vb;
      parsed.valueEnd = ve;
    }
  }
  return parsed;
}

// Where a key is, or where it would go.
struct Location {
  bool sectionFound = false;
  bool keyFound = false;
  std::size_t valueBegin = 0, valueEnd = 0;     // key found: the value, blanks removed
  std::size_t lineValueBegin = 0, lineEnd = 0;  // key found: the raw value in its line
  std::size_t insertAt = 0;         // section found: after its last line that is not blank
  bool insertNeedsLineEnd = false;  // ... which is the file's last line and has no line end
};

std::size_t BomLength(const Bytes& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
}

// The first section of that name wins, and within it the first key of that name.
Location Locate(const Bytes& text, const Bytes& section, const Bytes& key) {
  Location loc;
  bool inSection = false;
  Line line;
  for (std::size_t pos = BomLength(text); LineAt(text, pos, line); pos = line.next) {
    const ParsedLine parsed = Parse(text, line);
    if (parsed.kind == LineKind::kSection) {
      if (inSection) break;
      if (AnsiSameText(parsed.name, section)) {
        loc.sectionFound = inSection = true;
        loc.insertAt = line.next;
        loc.insertNeedsLineEnd = line.next == line.end;
      }
      continue;
    }
    if (!inSection || parsed.kind == LineKind::kBlank) continue;
    loc.insertAt = line.next;
    loc.insertNeedsLineEnd = line.next == line.end;
    if (parsed.kind == LineKind::kKey && AnsiSameText(parsed.name, key)) {
      loc.keyFound = true;
      loc.valueBegin = parsed.valueBegin;
      loc.valueEnd = parsed.valueEnd;
      loc.lineValueBegin = parsed.afterEquals;
      loc.lineEnd = line.end;
      break;
    }
  }
  return loc;
}

// The line end the file already uses; CR LF for a new file.
Bytes LineEndOf(const Bytes& text) {
  const std::size_t i = text.find_first_of("\r\n");
  if (i == Bytes::npos) return "\r\n";
  if (text[i] == '\n') return "\n";
  return (i + 1 < text.size() && text[i + 1] == '\n') ? "\r\n" : "\r";
}

bool EndsWithLineEnd(const Bytes& text) {
  return !text.empty() && (text.back() == '\r' || text.back() == '\n');
}

// Whether the last line of a text that ends with a line end holds nothing.
bool LastLineBlank(const Bytes& text) {
  std::size_t e = text.size() - 1;
  if (text[e] == '\n' && e > 0 && text[e - 1] == '\r') --e;
  std::size_t b = e;
  while (b > 0 && text[b - 1] != '\r' && text[b - 1] != '\n') --b;
  Trim(text, b, e);
  return b == e;
}

std::optional<Bytes> ReadValue(const std::string& path, const Bytes& section, const Bytes& key) {
  Bytes text;
  if (ReadWholeFile(path, text) != ReadStatus::kOk) return std::nullopt;
  const Location loc = Locate(text, section, key);
  if (!loc.keyFound) return std::nullopt;
  std::size_t end = loc.valueBegin;
  while (end < loc.valueEnd) {
    const std::size_t next = end + SjisCharLength(text.data(), loc.valueEnd, end);
    if (next - loc.valueBegin > kMaxValueBytes) break;
    end = next;
  }
  return text.substr(loc.valueBegin, end - loc.valueBegin);
}

bool HasLineBreak(const Bytes& s) {
  return s.find_first_of("\r\n") != Bytes::npos;
}

bool HasClosingBracket(const Bytes& s) {
  for (std::size_t i = 0; i < s.size(); i += SjisCharLength(s.data(), s.size(), i)) {
    if (s[i] == ']') return true;
  }
  return false;
}

// A lead byte with no trail byte at the end: as a section name it would take the ']' after it
// as its trail byte, and the section written could never be found again.
bool EndsWithLoneLeadByte(const Bytes& s) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < s.size(); i += SjisCharLength(s.data(), s.size(), i)) last = i;
  return !s.empty() && last == s.size() - 1 && IsSjisLeadByte(static_cast<unsigned char>(s[last]));
}

// Names come from the program, values from the user's world: either may not break the file's
// structure, which would lose other settings on the next read. A name must also read back as
// itself, or every write would add it anew.
void CheckWritable(const Bytes& section, const Bytes& key, const Bytes& value) {
  const bool badSection = section.empty() || HasLineBreak(section) || HasClosingBracket(section) ||
                          IsBlank(section.front()) || IsBlank(section.back()) ||
                          EndsWithLoneLeadByte(section);
  const bool badKey = key.empty() || HasLineBreak(key) || key.find('=') != Bytes::npos ||
                      key[0] == '[' || key[0] == ';' || IsBlank(key.front()) || IsBlank(key.back());
  if (badSection) throw PemrinError("設定ファイルのセクション名 '" + section + "' は使えません");
  if (badKey) throw PemrinError("設定ファイルのキー名 '" + key + "' は使えません");
  if (HasLineBreak(value)) throw PemrinError("設定 " + key + " の値に改行は書けません");
}

}  // namespace

int ParseIniInteger(const Bytes& value, int defaultValue) {
  std::size_t b = 0, e = value.size();
  Trim(value, b, e);
  const bool hex = e - b > 2 && value[b] == '0' && (value[b + 1] == 'x' || value[b + 1] == 'X');
  const bool negative = !hex && b < e && value[b] == '-';
  std::size_t i = hex ? b + 2 : (negative ? b + 1 : b);
  if (i == e) return defaultValue;

  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  long long n = 0;
  for (; i < e; ++i) {
    const char c = value[i];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return defaultValue;
    }
    n = n * (hex ? 16 : 10) + digit;
    if (n > limit) return defaultValue;
  }
  return static_cast<int>(negative ? -n : n);
}

Bytes IniFile::ReadString(const Bytes& section, const Bytes& key, const Bytes& defaultValue) const {
  return ReadValue(path_, section, key).value_or(defaultValue);
}

int IniFile::ReadInteger(const Bytes& section, const Bytes& key, int defaultValue) const {
  const std::optional<Bytes> value = ReadValue(path_, section, key);
  return value ? ParseIniInteger(*value, defaultValue) : defaultValue;
}

bool IniFile::ReadBool(const Bytes& section, const Bytes& key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const Bytes& section, const Bytes& key, const Bytes& value) {
  CheckWritable(section, key, value);
  const PemrinError cannotWrite(path_ + " に書き込めません");

  Bytes text;
  const ReadStatus status = ReadWholeFile(path_, text);
  if (status == ReadStatus::kFailed) throw cannotWrite;  // rewriting it would lose its contents

  const Bytes eol = LineEndOf(text);
  const Location loc = Locate(text, section, key);
  if (loc.keyFound) {
    text.replace(loc.lineValueBegin, loc.lineEnd - loc.lineValueBegin, value);
  } else if (loc.sectionFound) {
    text.insert(loc.insertAt, (loc.insertNeedsLineEnd ? eol : Bytes()) + key + "=" + value + eol);
  } else {
    if (!text.empty() && !EndsWithLineEnd(text)) text += eol;
    if (!text.empty() && !LastLineBlank(text)) text += eol;  // a blank line between sections
    text += "[" + section + "]" + eol + key + "=" + value + eol;
  }
  if (ReplaceFileContents(path_, text) != WriteStatus::kOk) throw cannotWrite;
}

void IniFile::WriteInteger(const Bytes& section, const Bytes& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const Bytes& section, const Bytes& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace pemrin
