#include "tags/StringList.h"

#include <cstring>

#include "app/AtomicFile.h"
#include "tags/AnsiText.h"

namespace pemrin {

void StringList::LoadFromFile(const std::string& path) {
  Bytes text;
  if (ReadWholeFile(path, text) != ReadStatus::kOk) {
    throw PemrinError("ファイル " + path + " は開けません");
  }
  LoadFromBytes(text);
}

void StringList::LoadFromBytes(const Bytes& text) {
  const char* p = text.data();
  const char* nul = static_cast<const char*>(std::memchr(p, '\0', text.size()));
  const char* const end = nul ? nul : p + text.size();

  std::vector<Bytes> lines;
  while (p < end) {
    const char* eol = p;
    while (eol < end && *eol != '\r' && *eol != '\n') ++eol;
    lines.emplace_back(p, eol);
    p = eol;
    if (p == end) break;
    const bool cr = *p++ == '\r';
    if (cr && p < end && *p == '\n') ++p;  // CR LF is one line end
  }
  entries_.swap(lines);
}

void StringList::SaveToFile(const std::string& path) const {
  switch (ReplaceFileContents(path, Text())) {
    case WriteStatus::kOk:
      return;
    case WriteStatus::kCannotCreate:
      throw PemrinError("ファイル " + path + " を作成できません");
    case WriteStatus::kCannotWrite:
      throw PemrinError(path + " に書き込めません");
  }
}

const Bytes& StringList::Strings(int index) const {
  if (index < 0 || index >= Count()) {
    throw PemrinError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
  }
  return entries_[static_cast<std::size_t>(index)];
}

int StringList::IndexOf(const Bytes& key) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (AnsiSameText(entries_[i], key)) return static_cast<int>(i);
  }
  return -1;
}

Bytes StringList::Text() const {
  std::size_t size = 0;
  for (const Bytes& entry : entries_) size += entry.size() + 2;
  Bytes text;
  text.reserve(size);
  for (const Bytes& entry : entries_) {
    text += entry;
    text += "\r\n";
  }
  return text;
}

}  // namespace pemrin
