// The record decoder fuzzer's seeds. The copybook fuzzer's entry point lives in this program
// too, hence the new name.

#define LLVMFuzzerTestOneInput FuzzDecoderOneInput
#include "../../fuzz/fuzz_decoder.cpp"
#undef LLVMFuzzerTestOneInput

#include "../common/FuzzCorpus.h"

TEST(FuzzDecoderCorpus, EverySeedDecodes)
{
    orvane::testing::replaySeeds(FuzzDecoderOneInput, {"fuzz/corpus_decoder"}, 4);
}
