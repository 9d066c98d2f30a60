#include "app/handle_msg.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "app/connection.h"
#include "app/frm_main.h"
#include "base/case_fold.h"
#include "base/numbers.h"
#include "base/text.h"
#include "chat/formatters.h"
#include "chat/ignore.h"
#include "chat/input_line.h"
#include "config/settings.h"
#include "core/roster.h"
#include "core/server_line.h"
#include "logging/trace.h"
#include "view/chat_lines.h"
#include "view/name_width.h"

namespace orva {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A name field and the text behind it. The text is taken by position, so colons inside it
// survive.
struct NamedText {
    std::string name;
    std::string text;
};

// Nothing when the remainder has no name, or no ":" to end the name field.
std::optional<NamedText> splitName(std::string_view remainder) {
    const std::size_t colon = remainder.find(':');
    if (colon == npos || colon == 0) return std::nullopt;
    return NamedText{std::string(remainder.substr(0, colon)),
                     std::string(remainder.substr(colon + 1))};
}

void publicLine(FrmMain& f, std::string_view remainder) {
    const auto m = splitName(remainder);
    if (!m || IsIgnored(f, m->name)) return;
    std::string line = PadName(m->name, f.NameWidth);
    line += "> ";
    line += m->text;
    makePubMsg(f, line);
    f.chatHeard.emit({ChatKind::Public, m->name, m->text});
}

void privateLine(FrmMain& f, std::string_view remainder) {
    const auto m = splitName(remainder);
    if (!m || IsIgnored(f, m->name)) return;
    const std::string& name = m->name;
    const bool remote = f.lstUsers.FindItemNoColor(name) == -1;
    makePrivMsg(f, name, m->text, remote);
    f.chatHeard.emit({ChatKind::Private, name, m->text});

    // One reply per sender (in any letter case) and away period: two away clients would
    // otherwise answer each other's replies for as long as the server relays them.
    if (!f.AwayMessage.empty() && trimBlanks(f.SelfName) != name &&
        std::none_of(f.AwayRepliedTo.begin(), f.AwayRepliedTo.end(),
                     [&](const std::string& done) { return equalsFolded(done, name); })) {
        f.AwayRepliedTo.push_back(name);
        SendLine(f, "SEND:PRIV:" + name + ":" + f.AwayMessage);
        makePrivMsg(f, f.SelfName, f.AwayMessage, true);
    }

    if (f.WindowState.get() == 1) f.tmrflash->setEnabled(true);

    if (name != f.RecentPrivateNames[0]) {
        removeName(f, name);
        addName(f, name);
        f.RecentPrivateIndex = 0;
    }
    PlaySoundFile(f, f.AppFolder + "pm-received.wav");
}

void teamLine(FrmMain& f, std::string_view remainder) {
    const auto m = splitName(remainder);
    if (!m || IsIgnored(f, m->name)) return;
    const std::int16_t found = FindPlayer(f, m->name);
    if (found < 0) return;  // team lines only come from players in the arena
    if (f.roster.records[static_cast<std::size_t>(found)].Freq == f.SelfFreq)
        makeTeamMsg(f, m->name, m->text);
    else
        makeTeam2TeamMsg(f, m->name, m->text);
    f.chatHeard.emit({ChatKind::Team, m->name, m->text});
}

// channel ":" name "> " text; the channel may have any number of digits.
void channelLine(FrmMain& f, std::string_view remainder) {
    const std::size_t colon = remainder.find(':');
    if (colon == npos) return;
    const std::string_view rest = remainder.substr(colon + 1);
    const std::size_t end = rest.find("> ");
    if (end == npos || end == 0) return;
    const std::string name(rest.substr(0, end));
    if (IsIgnored(f, name)) return;
    // A channel past 255 is not sent by servers; it shows as 0 rather than losing the line.
    const std::uint8_t channel = toByteOr(remainder.substr(0, colon), 0);
    makeChatMsg(f, channel, name, std::string(rest.substr(end + 2)));
    f.chatHeard.emit({ChatKind::Channel, name, std::string(rest.substr(end + 2))});
}

void moderatorLine(FrmMain& f, std::string_view remainder) {
    std::string line = "* ";
    std::optional<NamedText> m;
    if (remainder.starts_with("cheater {") && remainder.find('}', 9) != npos) {
        line += remainder;
    } else {
        m = splitName(remainder);
        if (!m) return;
        line += PadName(m->name, f.NameWidth);
        line += "> ";
        line += m->text;
    }
    AppendChatLine(f, line, ColorModerator);  // staff lines never reach the chat log
    // Heard once shown, like every other kind, so that a mark lands on this line.
    if (m) f.chatHeard.emit({ChatKind::Moderator, m->name, m->text});
}

// Servers send system lines without a name field; a colon, where there is one, still ends a
// name.
void sysopLine(FrmMain& f, std::string_view remainder) {
    std::string line;
    if (const auto m = splitName(remainder)) {
        line = m->name + "> " + m->text;
    } else if (remainder.find(':') == npos && !remainder.empty()) {
        line = std::string(remainder);
    } else {
        return;
    }
    AppendChatLine(f, line, ColorModerator);
}

void squadLine(FrmMain& f, std::string_view remainder) {
    const std::size_t first = remainder.find(':');
    if (first == npos || first == 0) return;
    const std::size_t second = remainder.find(':', first + 1);
    if (second == npos) return;
    const std::string squad(remainder.substr(0, first));
    const std::string sender(remainder.substr(first + 1, second - first - 1));
    // Which field names the sender is the server's choice, so an ignored name in either hides
    // the line.
    if (IsIgnored(f, squad) || (!sender.empty() && IsIgnored(f, sender))) return;
    makeSquadMsg(f, squad, sender, std::string(remainder.substr(second + 1)));
    f.chatHeard.emit({ChatKind::Squad, sender.empty() ? squad : sender,
                      std::string(remainder.substr(second + 1))});
}

void arenaLine(FrmMain& f, std::string_view remainder) {
    if (f.SheepSoundPending) {
        PlaySoundFile(f, f.AppFolder + "bong24.wa2");
        f.SheepSoundPending = false;
    }
    makeArenaMsg(f, std::string(remainder));
}

void publicMacroLine(FrmMain& f, std::string_view remainder) {
    if (f.ShowPublicMacros != 0) publicLine(f, remainder);
}

void commandLine(FrmMain& f, std::string_view remainder) {
    makeCMDMsg(f, std::string(remainder));
}

struct SubType {
    std::string_view word;  // matched in any letter case
    void (*handle)(FrmMain&, std::string_view remainder);
};

constexpr std::array<SubType, 11> kSubTypes{{
    {"PUB", publicLine},
    {"ARENA", arenaLine},
    {"PRIV", privateLine},
    {"FREQ", teamLine},
    {"PUBM", publicMacroLine},
    {"PUBMAC", publicMacroLine},
    {"CHAT", channelLine},
    {"MOD", moderatorLine},
    {"SYSOP", sysopLine},
    {"SQUAD", squadLine},
    {"CMD", commandLine},
}};

}  // namespace

void HandleMSG(FrmMain& f, const std::string& smsg) {
    const ServerLine m = parseServerLine(smsg);
    for (const SubType& sub : kSubTypes) {
        if (!equalsFolded(m.type(), sub.word)) continue;
        // Every known sub-type has at least one field after it; without one the line shows
        // nothing.
        if (m.has(1)) sub.handle(f, m.text);
        return;
    }
    TraceLine(f, "Unhandled MSG Command:" + smsg);
}

}  // namespace orva
