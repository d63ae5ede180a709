// The copybook fuzzer's seeds, and the compiler test's copybooks that seed it too, through the
// reader and the storage map.

#include "../../fuzz/fuzz_copybook.cpp"

#include "../common/FuzzCorpus.h"

TEST(FuzzCopybookCorpus, EverySeedReadsImportsAndLaysOut)
{
    orvane::testing::replaySeeds(
        LLVMFuzzerTestOneInput,
        {"fuzz/corpus_copybook", "tests/data/copybooks", "tests/data/corpus"}, 8);
}
