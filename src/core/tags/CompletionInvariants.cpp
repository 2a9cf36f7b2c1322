#include "tags/CompletionInvariants.h"

namespace pemrin {

std::string BrokenCompletionInvariant(TForm1& form) {
  if (!form.CandidateMode) {
    if (form.AttributeMode) return "AttributeMode on outside a cycle";
    if (form.CompletionStart != -1) return "CompletionStart is not -1 outside a cycle";
    return "";
  }
  if (form.CandidateCount != form.CandidateList.Count() + 1) {
    return "CandidateCount is not the number of candidates plus one";
  }
  if (form.CandidateIndex < 1 || form.CandidateIndex > form.CandidateCount - 1) {
    return "CandidateIndex " + std::to_string(form.CandidateIndex) + " outside 1.." +
           std::to_string(form.CandidateCount - 1);
  }
  if (form.CurrentCandidate != form.CandidateList[form.CandidateIndex - 1]) {
    return "CurrentCandidate is not the candidate at CandidateIndex";
  }
  if (static_cast<int>(form.CurrentCandidate.size()) != form.CompletionLength) {
    return "CompletionLength is not the length of CurrentCandidate";
  }
  const EditorControl& editor = form.RichEdit1();
  if (editor.SelStart() != form.CompletionStart || editor.SelLength() != form.CompletionLength) {
    return "the shown candidate is not selected";
  }
  if (editor.SelText() != form.CurrentCandidate) return "the selection is not CurrentCandidate";
  return "";
}

}  // namespace pemrin
