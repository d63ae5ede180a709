// The fuzzers' seeds: the copybook fuzzer's (and the compiler test's copybooks that seed it too)
// through the reader and the storage map, and the record decoder fuzzer's. Both entry points live
// in this program, hence the decoder's new name.

#include "../../fuzz/fuzz_copybook.cpp"

#define LLVMFuzzerTestOneInput FuzzDecoderOneInput
#include "../../fuzz/fuzz_decoder.cpp"
#undef LLVMFuzzerTestOneInput

#include "../common/FuzzCorpus.h"

TEST(FuzzCorpus, EverySeedReadsImportsAndLaysOutOrDecodes)
{
    orvane::testing::replaySeeds(
        LLVMFuzzerTestOneInput,
        {"fuzz/corpus_copybook", "tests/data/copybooks", "tests/data/corpus"}, 8);
    orvane::testing::replaySeeds(FuzzDecoderOneInput, {"fuzz/corpus_decoder"}, 4);
}
