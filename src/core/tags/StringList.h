#pragma once
// An ordered list of byte strings, read from and written to text files line by line: the
// dictionaries, the candidates of a completion and the lines of a template.

#include <string>
#include <utility>
#include <vector>

#include "app/Types.h"

namespace pemrin {

class StringList {
 public:
  // Replaces the entries with the lines of the file. Throws PemrinError "ファイル %s は開けません"
  // when the file cannot be read; the list is then unchanged.
  void LoadFromFile(const std::string& path);

  // Replaces the entries with the lines of `text`: CR LF, a lone CR and a lone LF each end a
  // line; a last line without a line end is an entry, a line end at the very end adds no empty
  // entry; a NUL byte ends the text. Nothing is trimmed.
  void LoadFromBytes(const Bytes& text);

  // Writes Text() to the file, replacing it whole or not at all. Throws PemrinError
  // "ファイル %s を作成できません" or "%s に書き込めません".
  void SaveToFile(const std::string& path) const;

  void Add(Bytes entry) { entries_.push_back(std::move(entry)); }
  void Clear() { entries_.clear(); }
  int Count() const { return static_cast<int>(entries_.size()); }

  // The entry at `index`; throws PemrinError "リストのインデックスが範囲を超えています (%d)"
  // outside 0 to Count() - 1.
  const Bytes& Strings(int index) const;
  const Bytes& operator[](int index) const { return Strings(index); }

  // The index of the first entry equal to `key` with single-byte letters compared without case,
  // or -1.
  int IndexOf(const Bytes& key) const;

  // Every entry followed by CR LF.
  Bytes Text() const;

  const std::vector<Bytes>& Entries() const { return entries_; }

 private:
  std::vector<Bytes> entries_;
};

}  // namespace pemrin
