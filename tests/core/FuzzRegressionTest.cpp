// The inputs the fuzzers keep (tests/fuzz/corpus/<target>/: the corpus and every reproducer of
// a defect they found), replayed through the same checks the fuzzers make.

#include "FuzzReplay.h"

namespace pemrin::fuzz {
namespace {

TEST(FuzzRegression, Converter) {
  ReplayCorpus("converter", FuzzConverter);
}

TEST(FuzzRegression, IniFile) {
  ReplayCorpus("ini", FuzzIniFile);
}

TEST(FuzzRegression, StringList) {
  ReplayCorpus("stringlist", FuzzStringList);
}

TEST(FuzzRegression, EditingOnMemoryEditor) {
  ReplayCorpus("editing", FuzzEditing);
}

}  // namespace
}  // namespace pemrin::fuzz
