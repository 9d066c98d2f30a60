#include "chat/name_completion.h"

#include <algorithm>

#include "base/case_fold.h"
#include "base/text.h"
#include "chat/chat_part.h"
#include "core/core_part.h"

namespace orva {

namespace {

bool startsFolded(std::string_view name, std::string_view prefix) {
    return name.size() >= prefix.size() && equalsFolded(name.substr(0, prefix.size()), prefix);
}

void show(ChatPart& f, NameCompletion& c) {
    const std::string& name = c.candidates[c.index];
    const std::string put = c.colonForm ? ":" + name + ":" : name;
    c.shown = c.head + put + c.tail;
    f.txtOut.Text.set(c.shown);
    f.txtOut.SelStart.set(static_cast<int>(c.head.size() + put.size()));
}

}  // namespace

void NoteSpeaker(NameCompletion& c, const std::string& name) {
    const auto it = std::find(c.speakers.begin(), c.speakers.end(), name);
    if (it != c.speakers.end()) c.speakers.erase(it);
    c.speakers.push_front(name);
    if (c.speakers.size() > NameCompletion::kSpeakersKept) c.speakers.pop_back();
}

std::vector<std::string> CompletionCandidates(std::string_view prefix,
                                              const std::deque<std::string>& speakers,
                                              const std::vector<std::string>& listed,
                                              std::string_view self) {
    std::vector<std::string> matches;
    for (const std::string& name : listed)
        if (!equalsFolded(name, self) && startsFolded(name, prefix)) matches.push_back(name);
    std::vector<std::string> out;
    for (const std::string& speaker : speakers)
        if (std::find(matches.begin(), matches.end(), speaker) != matches.end() &&
            std::find(out.begin(), out.end(), speaker) == out.end())
            out.push_back(speaker);
    for (const std::string& name : matches)
        if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
    return out;
}

void CompleteName(ChatPart& f, const CorePart& core, bool backwards) {
    NameCompletion& c = f.Completion;
    const std::string text = f.txtOut.Text.get();
    if (!c.candidates.empty() && text == c.shown) {
        const std::size_t n = c.candidates.size();
        c.index = (c.index + (backwards ? n - 1 : 1)) % n;
        return show(f, c);
    }
    c.candidates.clear();

    const std::size_t caret =
        std::min(static_cast<std::size_t>(std::max(f.txtOut.SelStart.get(), 0)), text.size());
    std::size_t start = caret;
    while (start > 0 && text[start - 1] != ' ')
        --start;
    // ":bo" at the start of the line completes to a private message to ":bob:".
    const bool colonForm = start == 0 && caret > 0 && text[0] == ':';
    const std::size_t from = start + (colonForm ? 1 : 0);
    const std::string prefix = text.substr(from, caret - from);
    if (prefix.empty() && !colonForm) return;
    // A name already completed by colon form (":bob:") ends at its second colon.
    if (colonForm && prefix.find(':') != std::string::npos) return;

    std::vector<std::string> listed;
    for (std::int16_t i = 0; i < core.lstUsers.listCount(); ++i)
        listed.push_back(core.lstUsers.getContent2(i));
    auto candidates = CompletionCandidates(prefix, c.speakers, listed, trimBlanks(core.SelfName));
    if (candidates.empty()) return;
    c.candidates = std::move(candidates);
    c.index = backwards ? c.candidates.size() - 1 : 0;
    c.head = text.substr(0, start);
    c.tail = text.substr(caret);
    c.colonForm = colonForm;
    show(f, c);
}

}  // namespace orva
