#include "macros/macro_expand.h"

#include <string_view>

#include "base/program.h"
#include "base/random.h"
#include "core/core_part.h"

namespace orva {

namespace {

void replaceAll(std::string& text, std::string_view name, std::string_view value) {
    std::size_t at = text.find(name);
    if (at == std::string::npos) return;
    std::string out;
    std::size_t from = 0;
    for (; at != std::string::npos; at = text.find(name, from)) {
        out.append(text, from, at - from);
        out += value;
        from = at + name.size();
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
}

std::string randomFreq() {
    return std::to_string(randomBetween(101, 8999));
}

}  // namespace

std::string MacroExpand(const CorePart& f, const std::string& line) {
    std::string text = line;
    if (text.find('%') == std::string::npos) return text;
    // "%red" comes after the longer names that begin with it, so those are replaced whole.
    replaceAll(text, "%tickname", f.lstUsers.getContent2(f.lstUsers.listIndex()));
    replaceAll(text, "%selfname", f.SelfName);
    replaceAll(text, "%version", std::string_view(VersionTag).substr(1));
    replaceAll(text, "%squad", "");
    if (text.find("%freq") != std::string::npos) replaceAll(text, "%freq", randomFreq());
    replaceAll(text, "%bounty", "-1");
    replaceAll(text, "%flags", "0");
    replaceAll(text, "%energy", "0");
    for (const char* empty :
         {"%killer", "%killed", "%coord", "%area", "%redname", "%redbounty", "%redflags", "%red"})
        replaceAll(text, empty, "");
    return text;
}

}  // namespace orva
