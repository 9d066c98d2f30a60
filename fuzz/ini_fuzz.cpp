// Fuzz target: the Config.ini reader and writer on arbitrary file contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Longer inputs add nothing the parser has not seen, and only slow the smoke run.
    if (size > 16384) size = 16384;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char* section : {"Ignore", ""})
        for (const char* key : {"x", ""})
            (void)orva::ini::lookup(text, section, key);

    // Whatever the file held, a value we write must read back unchanged and the other keys of
    // other sections must keep their values.
    const std::string value(text.substr(0, std::min<size_t>(size, 40)));
    const std::string before = orva::ini::lookup(text, "User0", "name");
    const auto written = orva::ini::apply(text, "Config", std::string("Version"), value);
    if (!written) std::abort();
    std::string expected = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    if (orva::ini::lookup(*written, "Config", "Version") != expected) std::abort();
    if (orva::ini::lookup(*written, "User0", "name") != before) std::abort();
    const auto deleted = orva::ini::apply(*written, "Config", std::string("Version"), std::nullopt);
    if (!deleted || !orva::ini::lookup(*deleted, "Config", "Version").empty()) std::abort();
    (void)orva::ini::apply(text, "Config", std::nullopt, std::nullopt);
    return 0;
}
