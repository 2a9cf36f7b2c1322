// The inputs the editors' cross-check fuzzer keeps, replayed: MemoryEditor and QtRichEdit given
// the same operations agree on text, selection and colours after each.

#include "FuzzReplay.h"

namespace pemrin::fuzz {
namespace {

TEST(FuzzRegression, EditorsAgree) {
  ReplayCorpus("editors", FuzzEditors);
}

}  // namespace
}  // namespace pemrin::fuzz
