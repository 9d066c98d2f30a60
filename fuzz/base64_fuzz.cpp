// Fuzz target: Base64 decoding and password unscrambling of stored (possibly hand-typed) values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/scramble.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Longer inputs add nothing the parser has not seen, and only slow the smoke run.
    if (size > 4096) size = 4096;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)orva::Base64Decode(text);
    (void)orva::UnscramblePassword(text, orva::kSecondKey);
    if (orva::Base64Decode(orva::Base64Encode(text)) != text) std::abort();
    if (size > 0 && size <= 512 &&  // passwords are short

        orva::UnscramblePassword(orva::ScramblePassword(text, orva::kSecondKey),
                                 orva::kSecondKey) != text)
        std::abort();
    return 0;
}
