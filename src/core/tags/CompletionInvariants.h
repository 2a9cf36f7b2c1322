#pragma once
// The rules that the completion state keeps after every key the key handlers have handled;
// fuzzers and tests check them after each key event.

#include <string>

#include "app/TForm1.h"

namespace pemrin {

// The first rule the main window's completion state breaks, or "" when it keeps them all:
// while a cycle runs, CandidateIndex lies in 1 .. CandidateCount - 1, CandidateCount is the
// number of candidates plus one, CurrentCandidate is the candidate at CandidateIndex, and the
// text from CompletionStart of length CompletionLength is CurrentCandidate and is selected;
// outside a cycle AttributeMode is off and CompletionStart is -1. Valid after start-up, right
// after a key event (a mouse click may legitimately move the selection away).
std::string BrokenCompletionInvariant(TForm1& form);

inline bool CompletionInvariantsHold(TForm1& form) {
  return BrokenCompletionInvariant(form).empty();
}

}  // namespace pemrin
