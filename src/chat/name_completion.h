// Tab completion of player names in the input line: the players who spoke last come first.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace orva {

struct ChatPart;
struct CorePart;

struct NameCompletion {
    static constexpr std::size_t kSpeakersKept = 100;
    std::deque<std::string> speakers;  // most recent first

    // The completion under way: what Tab put in, so the next Tab can put in the next name.
    std::vector<std::string> candidates;
    std::size_t index = 0;
    std::string head, tail;  // the text before the completed word and after the caret
    bool colonForm = false;  // ":name:" at the start of the line
    std::string shown;       // the text as the last completion left it
};

// A received chat line's sender moves to the front of the speakers.
void NoteSpeaker(NameCompletion& c, const std::string& name);

// Names of `listed` (in list order) that begin with prefix in any letter case, except self: the
// recent speakers among them first, most recent first.
std::vector<std::string> CompletionCandidates(std::string_view prefix,
                                              const std::deque<std::string>& speakers,
                                              const std::vector<std::string>& listed,
                                              std::string_view self);

// Tab (or Shift+Tab, backwards) in the input line: completes the word before the caret, or
// replaces the last completion with the next name.
void CompleteName(ChatPart& f, const CorePart& core, bool backwards);

}  // namespace orva
