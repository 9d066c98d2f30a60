#include "core/server_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace orva {
namespace {

TEST(ParseServerLine, CutsRealAndMalformedLines) {
    using Views = std::vector<std::string_view>;
    const struct {
        std::string_view line;
        Views fields;
        std::string_view text;
    } cases[] = {
        {"LOGINOK:Name", {"LOGINOK", "Name"}, "Name"},
        {"LOGINBAD:incorrect password", {"LOGINBAD", "incorrect password"}, "incorrect password"},
        {"INARENA:0:8025", {"INARENA", "0", "8025"}, "0:8025"},
        {"PLAYER:Bob:8:8025", {"PLAYER", "Bob", "8", "8025"}, "Bob:8:8025"},
        {"LEAVING:Bob", {"LEAVING", "Bob"}, "Bob"},
        {"KILL:Ann:Bo:5:0", {"KILL", "Ann", "Bo", "5", "0"}, "Ann:Bo:5:0"},
        {"NOOP", {"NOOP"}, ""},
        // Free text keeps its colons; fields past the fifth are left alone.
        {"MSG:PUB:Bob:a:b:c", {"MSG", "PUB", "Bob", "a", "b"}, "PUB:Bob:a:b:c"},
        {"MSG:ARENA::starts with a colon",
         {"MSG", "ARENA", "", "starts with a colon"},
         "ARENA::starts with a colon"},
        {"MSG:SYSOP:WARNING: be nice  -Name",
         {"MSG", "SYSOP", "WARNING", " be nice  -Name"},
         "SYSOP:WARNING: be nice  -Name"},
        {"MSG:CHAT:1:Al> hi", {"MSG", "CHAT", "1", "Al> hi"}, "CHAT:1:Al> hi"},
        // Malformed: empty, colons only, a type without fields, bytes of any value.
        {"", {""}, ""},
        {":", {"", ""}, ""},
        {"::::::", {"", "", "", "", ""}, ":::::"},
        {"LOGINOK:", {"LOGINOK", ""}, ""},
        {"LOGINOK", {"LOGINOK"}, ""},
        {std::string_view("\0\xff:\x80", 4), {std::string_view("\0\xff", 2), "\x80"}, "\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line));
        const ServerLine d = parseServerLine(c.line);
        EXPECT_EQ(Views(d.field.begin(), d.field.begin() + d.count), c.fields);
        EXPECT_EQ(d.type(), c.fields[0]);
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.has(1), c.line.find(':') != std::string_view::npos);
    }
}

}  // namespace
}  // namespace orva
