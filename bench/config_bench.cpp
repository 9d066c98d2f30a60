// Cost of the settings reads that run per received chat line (the ignore test) and of a write.
#include <benchmark/benchmark.h>

#include "chat/ignore.h"
#include "config/settings.h"
#include "support/fakes.h"

namespace {

// A lived-in Config.ini: switches, eleven profiles, macros and a long ignore list.
std::string sampleConfig() {
    std::string ini = "[Config]\r\nVersion=1.1\r\nAutoPing=1\r\nKillMsgs=1\r\nnamelen=14\r\n";
    for (int i = 0; i <= 10; ++i)
        ini += "\r\n[User" + std::to_string(i) + "]\r\nname=Player" + std::to_string(i) +
               "\r\npass=KFNmGGw1a2ArDHIHUWBNGg==\r\nauto=?sheep\\?version\r\nchats=a,b\r\n";
    ini += "\r\n[macro_0]\r\n";
    for (int i = 1; i <= 8; ++i)
        ini += "f" + std::to_string(i) + "=macro text %selfname\r\n";
    ini += "\r\n[Ignore]\r\n";
    for (int i = 0; i < 200; ++i)
        ini += "Spammer" + std::to_string(i) + "=1\r\n";
    return ini;
}

void BM_IsIgnored(benchmark::State& state) {
    orva::test::World w;
    w.dir.write("Config.ini", sampleConfig());
    for (auto _ : state)
        benchmark::DoNotOptimize(orva::IsIgnored(w.f(), "NotOnTheList"));
    state.SetLabel(std::to_string(sampleConfig().size()) + " byte file");
}
BENCHMARK(BM_IsIgnored);

void BM_WriteSetting(benchmark::State& state) {
    orva::test::World w;
    w.dir.write("Config.ini", sampleConfig());
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(orva::WriteSetting(
            "Config", std::string("namelen"), std::to_string(n++ % 24 + 1), w.f().ConfigPath));
}
BENCHMARK(BM_WriteSetting);

}  // namespace

BENCHMARK_MAIN();
