// Tab completion of tag and attribute names: a Tab gathers the dictionary entries that begin
// with the upper-cased text typed after '<' (or after the last space inside the tag) and shows
// the first in its place, selected; Tab and Esc step through them, Enter accepts one, and any
// other key puts the typed text back.

#include <utility>

#include "app/TForm1.h"
#include "tags/AnsiText.h"

namespace pemrin {

namespace {

// Entries are matched byte for byte against the upper-cased prefix, so a dictionary entry in
// lower case is never offered; the empty prefix matches every entry.
void AddMatches(const StringList& entries, const Bytes& prefix, StringList& candidates) {
  for (const Bytes& entry : entries.Entries()) {
    if (entry.starts_with(prefix)) candidates.Add(entry);
  }
}

// The lines of frontop.dic that hold the attributes of tagName: [first, end). A section runs
// from its head "[TAG]" to the head of the tag that follows it in fronttag.dic; the last tag's
// runs to the end of the file, and with no tags at all there is no section.
std::pair<int, int> AttributeSection(const StringList& tags, const StringList& ops,
                                     const Bytes& tagName) {
  const int first = ops.IndexOf("[" + tagName + "]") + 1;
  if (tags.Count() == 0) return {first, first};
  const int next = tags.IndexOf(tagName) + 1;
  if (next >= tags.Count()) return {first, ops.Count()};
  return {first, ops.IndexOf("[" + tags[next] + "]")};
}

}  // namespace

void TForm1::TabKey(char& key) {
  if (CandidateIndex == 0) {
    NewCompletion(key);
  } else {
    StepForward(key, richEdit_.SelStart());
  }
}

void TForm1::NewCompletion(char& key) {
  const int caret = richEdit_.SelStart();
  const BackwardMatch open = SearchBackward('<');
  CompletionStart = open.start;
  CompletionLength = open.length;
  if (!open.found) return NothingToComplete(caret);
  richEdit_.SetSelStart(caret);
  AttributeMode = false;

  const BackwardMatch close = SearchBackward('>');
  if (close.found && close.start > CompletionStart) {
    // The tag is closed before the caret: the caret stands outside any tag.
    CompletionStart = -1;
    return NothingToComplete(caret);
  }
  richEdit_.SetSelStart(caret);
  const BackwardMatch space = SearchBackward(' ');
  if (space.found && space.start > CompletionStart) {
    GatherAttributes(space);
  } else {
    GatherTagNames();
  }
  StepForward(key, caret);
}

void TForm1::GatherTagNames() {
  richEdit_.SetSel(CompletionStart, CompletionStart + CompletionLength);
  CandidateList.Clear();
  TagPrefix = AnsiUpper(richEdit_.SelText());
  AddMatches(FrontTagList, TagPrefix, CandidateList);
  AddMatches(BackTagList, TagPrefix, CandidateList);
  CandidateCount = CandidateList.Count() + 1;
  CandidateIndex = 0;
  CandidateMode = true;
}

// space: where the attribute being typed begins (just after the space nearest the caret).
void TForm1::GatherAttributes(const BackwardMatch& space) {
  richEdit_.SetSel(CompletionStart, CompletionStart + CompletionLength);
  const Bytes typed = AnsiUpper(richEdit_.SelText());
  const Bytes tagName = typed.substr(0, typed.find(' '));
  TagPrefix = typed.substr(typed.rfind(' ') + 1);

  CandidateList.Clear();
  CompletionStart = space.start;
  CompletionLength = space.length;
  richEdit_.SetSel(CompletionStart, CompletionStart + CompletionLength);
  const auto [first, end] = AttributeSection(FrontTagList, FrontOpList, tagName);
  for (int i = first; i < end; ++i) {
    if (FrontOpList[i].starts_with(TagPrefix)) CandidateList.Add(FrontOpList[i]);
  }
  CandidateCount = CandidateList.Count() + 1;
  CandidateIndex = 0;
  CandidateMode = true;
  AttributeMode = true;
}

// Shows the next candidate, after the last the first again; with none, Tab is a tab.
void TForm1::StepForward(char& key, int caret) {
  if (CandidateMode && CandidateCount > 1) {
    if (++CandidateIndex == CandidateCount) CandidateIndex = 1;
    ShowCandidate(key);
  } else {
    NothingToComplete(caret);
  }
}

void TForm1::EscKey(char& key) {
  if (!CandidateMode || CandidateCount <= 1) return;
  if (--CandidateIndex == 0) CandidateIndex = CandidateCount - 1;
  ShowCandidate(key);
}

// Puts the candidate at CandidateIndex in place of the selection and selects it.
void TForm1::ShowCandidate(char& key) {
  CurrentCandidate = CandidateList[CandidateIndex - 1];
  richEdit_.SetSelTextBuf(CurrentCandidate);
  CompletionLength = static_cast<int>(CurrentCandidate.size());
  richEdit_.SetSel(CompletionStart, CompletionStart + CompletionLength);
  key = 0;
}

// Enter while a candidate is shown: a tag name gets its '>' (a comment's "!--" none), the name
// its colour, and the caret goes right after the name, ready for attributes.
void TForm1::AcceptCandidate(char& key) {
  if (!AttributeMode && CurrentCandidate != "!--") CurrentCandidate += '>';
  richEdit_.SetSelTextBuf(CurrentCandidate);
  richEdit_.SetSel(CompletionStart, CompletionStart + CompletionLength);
  richEdit_.SetSelColor(ListedTagColor(richEdit_.SelText(), TagColor));
  richEdit_.SetSelStart(CompletionStart + CompletionLength);
  richEdit_.SetSelColor(richEdit_.FontColor());
  EndCycle();
  key = 0;
}

// Any key but Tab, Enter and Esc: the typed prefix (upper-cased) comes back in place of the
// candidate, and the key then does its ordinary work.
void TForm1::CancelCompletion() {
  if (!CandidateMode) return;
  const int selStart = richEdit_.SelStart();
  const int selLength = richEdit_.SelLength();
  richEdit_.SetSel(CompletionStart, CompletionStart + CompletionLength);
  if (richEdit_.SelText() == CurrentCandidate) {
    richEdit_.SetSelTextBuf(TagPrefix);
  } else {
    // An edit the keys did not see (a menu command chosen with the mouse) has moved the text:
    // those bytes are the user's now, not the candidate, and stay as they are.
    richEdit_.SetSel(selStart, selStart + selLength);
  }
  EndCycle();
}

void TForm1::EndCycle() {
  CompletionStart = -1;
  CandidateMode = false;
  AttributeMode = false;
  TagPrefix.clear();
  CandidateList.Clear();
  CandidateIndex = 0;
}

// Tab with nothing to complete is an ordinary tab, typed at the caret.
void TForm1::NothingToComplete(int caret) {
  CompletionStart = -1;
  CandidateMode = false;
  AttributeMode = false;
  TagPrefix.clear();
  CandidateIndex = 0;
  richEdit_.SetSelStart(caret);
}

// Whether the shown candidate is still in its place and selected, as the last completion key
// left it. A mouse click or a menu command in between may have moved the caret or the text;
// stepping on would then overwrite whatever the user has selected since.
bool TForm1::CandidateShown() const {
  return richEdit_.SelStart() == CompletionStart && richEdit_.SelLength() == CompletionLength &&
         richEdit_.SelText() == CurrentCandidate;
}

void TForm1::ResetCompletion() {
  CandidateMode = false;
  AttributeMode = false;
  CompletionStart = -1;
  CompletionLength = 0;
  TagPrefix.clear();
}

// Tags that only one browser knows take that browser's colour; ietag.dic is asked first.
TColor TForm1::ListedTagColor(const Bytes& name, TColor otherwise) const {
  if (IeTagList.IndexOf(name) >= 0) return IeTagColor;
  if (NnTagList.IndexOf(name) >= 0) return NnTagColor;
  return otherwise;
}

}  // namespace pemrin
