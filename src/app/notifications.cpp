#include "app/notifications.h"

#include <algorithm>

#include "app/frm_main.h"
#include "base/case_fold.h"
#include "base/text.h"
#include "chat/chat_heard.h"
#include "config/setting_writes.h"
#include "config/settings.h"
#include "config/switches.h"
#include "view/chat_lines.h"

namespace orva {

namespace {

// Letters and digits of code page 1252 (and "_", common inside player names) join a word.
bool joinsWord(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
        return true;
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

// One notification, unless the user is looking, has them off, or this sender had one just now.
void raise(FrmMain& f, const std::string& sender, const std::string& summary,
           const std::string& body) {
    if (f.Notify == 0 || f.WindowActive.get() || !f.notifier) return;
    NotifyState& s = f.notifications;
    const std::uint32_t now = f.env.clock.tickCount();
    // Unsigned differences survive the tick count's wrap.
    const auto recent = [now](const auto& e) { return now - e.second < kNotifyGapMs; };
    const auto it = std::find_if(s.lastBySender.begin(), s.lastBySender.end(),
                                 [&](const auto& e) { return equalsFolded(e.first, sender); });
    if (it != s.lastBySender.end() && recent(*it)) return;
    // Only senders inside the gap need remembering, which keeps the list short.
    std::erase_if(s.lastBySender, [&](const auto& e) { return !recent(e); });
    s.lastBySender.emplace_back(sender, now);
    f.notifier->notify(summary, body);
    ++s.unread;
    f.notifier->setTrayToolTip(trayToolTip(f));
}

}  // namespace

bool holdsWord(std::string_view text, std::string_view word) {
    if (word.empty() || word.size() > text.size()) return false;
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (!equalsFolded(text.substr(at, word.size()), word)) continue;
        const bool openBefore = at == 0 || !joinsWord(static_cast<unsigned char>(text[at - 1]));
        const std::size_t end = at + word.size();
        const bool openAfter =
            end == text.size() || !joinsWord(static_cast<unsigned char>(text[end]));
        if (openBefore && openAfter) return true;
    }
    return false;
}

std::vector<std::string> splitHighlightWords(std::string_view list) {
    std::vector<std::string> words;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string word(trimBlanks(list.substr(0, comma)));
        if (!word.empty()) words.push_back(std::move(word));
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    return words;
}

void notifyHeard(FrmMain& f, const ChatHeard& heard) {
    const std::string_view self = trimBlanks(f.SelfName);
    if (!self.empty() && equalsFolded(heard.sender, self)) return;
    const bool mentions = !self.empty() && holdsWord(heard.text, self);
    std::string word;
    for (const std::string& w : splitHighlightWords(f.HighlightWords))
        if (holdsWord(heard.text, w)) {
            word = w;
            break;
        }
    // The line was appended just before it was heard.
    if (mentions || !word.empty()) f.txtLog.markLastLine();

    if (heard.kind == ChatKind::Private)
        raise(f, heard.sender, "Private message from " + heard.sender, heard.text);
    else if (mentions)
        raise(f, heard.sender, heard.sender + " mentioned you", heard.text);
    else if (!word.empty())
        raise(f, heard.sender, heard.sender + " said " + word, heard.text);
}

void notifyWatchedEntering(FrmMain& f, const std::string& name) {
    raise(f, name, name + " entered the arena", std::string());
}

std::string trayToolTip(const FrmMain& f) {
    std::string tip = "orva";
    const int zone = f.lstZones.ListIndex.get();
    const bool inZone =
        !f.frameMain.Visible.get() && zone >= 0 && zone < static_cast<int>(f.zones.Zones.size());
    if (inZone) tip += " - " + f.zones.Zones[static_cast<std::size_t>(zone)].Name;
    if (f.notifications.unread > 0)
        tip += " (" + std::to_string(f.notifications.unread) + " unread)";
    return tip;
}

void clearUnread(FrmMain& f) {
    f.notifications.unread = 0;
    if (f.notifier) f.notifier->setTrayToolTip(trayToolTip(f));
}

void wireNotifications(FrmMain& f) {
    FrmMain* p = &f;
    f.chatHeard.connect([p](const ChatHeard& heard) { notifyHeard(*p, heard); });
    f.menu_HighlightWords.clicked.connect([p] { menu_HighlightWords_Click(*p); });
    f.WindowActive.changed.connect([p](const bool& active) {
        if (active) clearUnread(*p);
    });
    f.trayClicked.connect([p] {
        clearUnread(*p);
        p->showRequested.emit();
    });
    // Connecting and leaving change the zone the tooltip names.
    f.frameMain.Visible.changed.connect([p](const bool&) {
        if (p->notifier) p->notifier->setTrayToolTip(trayToolTip(*p));
    });
}

}  // namespace orva
