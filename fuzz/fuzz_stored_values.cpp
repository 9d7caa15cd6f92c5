// Arbitrary bytes as each of the three structured registry values. Beyond the sanitizers'
// watch on every read, a value that decodes must encode to bytes that decode to the same
// record, or a load followed by a save would quietly change what the user had stored.
#include "settings/stored_values.h"

#include <cstdint>
#include <cstdlib>

namespace {

template <typename Decode, typename Encode>
void CheckRoundTrip(ByteView value, Decode decode, Encode encode) {
    const auto first = decode(value);
    if (!first) return;
    const Bytes again = encode(*first);
    const auto second = decode(ByteView(again));
    if (!second || !(*second == *first)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView value(data, size);
    CheckRoundTrip(value, DecodeSelectionList, EncodeSelectionList);
    CheckRoundTrip(value, DecodeScoreList, EncodeScoreList);
    CheckRoundTrip(value, DecodeUserFont, EncodeUserFont);
    return 0;
}
