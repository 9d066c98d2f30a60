// A bounded stand-in for libFuzzer's main: feeds the target seeded random inputs and
// byte-level mutations of a few protocol-shaped seeds. Same seed, same run.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {
const char* const kSeeds[] = {
    "MSG:PUB:Ann:hello\n",
    "INARENA:0:8025\r\n",
    "PLAYER:Bo:8:100\nLEAVING:Bo\n",
    "SHIPFREQCHANGE:Ann:1:-5\n",
    "KILL:Ann:Bo:5:2\n",
    "LOGINOK:Ann\n",
    "[Config]\r\nVersion=1.1\r\nnamelen=14\r\n",
    "Alpha,127.0.0.1,5000\r\n# c\r\n",
    "{\\rtf1 \\par\\fs18\\cf3 a\\\\b\\{c\\}{\\cf8\\ul www.x.org}\\'e9}",
    "TWFu\r\nTQ==",
};
}  // namespace

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::mt19937 rng(12345);
    std::vector<uint8_t> buf;
    for (const char* seed : kSeeds) {
        std::string s(seed);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    }
    // Bounded by count and by time, so a slow target under the sanitizers cannot stall the suite.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::seconds(argc > 2 ? std::strtol(argv[2], nullptr, 10) : 20);
    for (long i = 0; i < iterations && std::chrono::steady_clock::now() < deadline; ++i) {
        const std::string seed = kSeeds[rng() % (sizeof kSeeds / sizeof *kSeeds)];
        buf.assign(seed.begin(), seed.end());
        const unsigned mode = rng() % 4;
        if (mode == 0) {  // pure noise, biased towards the protocol's separators
            buf.resize(rng() % 300);
            const char special[] = ":;,\\{}\r\n=[] ";
            for (auto& b : buf)
                b = (rng() % 3 == 0) ? special[rng() % (sizeof special - 1)] : rng();
        } else {
            const unsigned edits = 1 + rng() % 8;
            for (unsigned e = 0; e < edits && !buf.empty(); ++e) {
                const size_t at = rng() % buf.size();
                switch (rng() % 4) {
                    case 0:
                        buf[at] = static_cast<uint8_t>(rng());
                        break;
                    case 1:
                        buf.erase(buf.begin() + static_cast<long>(at));
                        break;
                    case 2:
                        buf.insert(buf.begin() + static_cast<long>(at),
                                   static_cast<uint8_t>(rng()));
                        break;
                    default:
                        buf.insert(buf.end(), buf.begin(), buf.begin() + static_cast<long>(at));
                        break;
                }
            }
            if (mode == 3) buf.resize(buf.size() + rng() % 70000, 'x');
        }
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
    }
    return 0;
}
