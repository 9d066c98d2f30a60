// Desktop notifications for the lines that ask for the user while the window is in the
// background, the tray's unread count, and the marks that single such lines out in the view.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orva {

struct FrmMain;
struct ChatHeard;

struct NotifyState {
    int unread = 0;  // notifications raised since the window was last active
    // When each sender was last notified about (tick count), for the per-sender limit.
    std::vector<std::pair<std::string, std::uint32_t>> lastBySender;
};

inline constexpr std::uint32_t kNotifyGapMs = 2000;

// True when text holds word with no letter or digit right before or after it, in any case.
bool holdsWord(std::string_view text, std::string_view word);
// The comma-separated highlight list as its words, blanks around each trimmed, empty ones left out.
std::vector<std::string> splitHighlightWords(std::string_view list);

// A heard chat line: marks it in the view when it mentions the user or holds a highlight word,
// and raises a notification when it asks for the user while the window is not active.
void notifyHeard(FrmMain& f, const ChatHeard& heard);
// A watched player entered the arena.
void notifyWatchedEntering(FrmMain& f, const std::string& name);
// "orva - " + zone, with the unread count when there is one.
std::string trayToolTip(const FrmMain& f);
// The window came forward (activated, or the tray icon clicked): nothing is unread any more.
void clearUnread(FrmMain& f);

void wireNotifications(FrmMain& f);

}  // namespace orva
