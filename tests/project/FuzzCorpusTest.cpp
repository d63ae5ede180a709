// The project fuzzer's seeds through the reader, the generator and the writer.

#include "../../fuzz/fuzz_project.cpp"

#include "../common/FuzzCorpus.h"

TEST(FuzzCorpus, EverySeedLoadsGeneratesAndSavesConsistently)
{
    orvane::testing::replaySeeds(LLVMFuzzerTestOneInput, {"fuzz/corpus"}, 5);
}
