#include "view/chat_search.h"

#include <algorithm>
#include <array>

#include "view/chat_view.h"

namespace orva {

namespace {

constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    // Latin-1 capitals, bar the multiplication sign; code page 1252's own S, OE and Z carons.
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
    t[0x8A] = 0x9A;
    t[0x8C] = 0x9C;
    t[0x8E] = 0x9E;
    t[0x9F] = 0xFF;
    return t;
}

constexpr std::array<unsigned char, 256> kFold = makeFoldTable();

}  // namespace

unsigned char FoldCase(unsigned char c) {
    return kFold[c];
}

void ChatSearch::clear() {
    folded_.clear();
    matches_.clear();
    searchedLines_ = 0;
    view_ = nullptr;
}

void ChatSearch::scanLine(std::string_view text, std::uint32_t line) {
    const std::size_t m = folded_.size();
    if (text.size() < m) return;
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* q = reinterpret_cast<const unsigned char*>(folded_.data());
    const unsigned char first = q[0];
    const std::size_t last = text.size() - m;
    for (std::size_t i = 0; i <= last; ++i) {
        if (kFold[t[i]] != first) continue;
        std::size_t k = 1;
        while (k < m && kFold[t[i + k]] == q[k])
            ++k;
        if (k < m) continue;
        matches_.push_back({line, static_cast<std::uint32_t>(i)});
        i += m - 1;  // the next match starts after this one
    }
}

std::size_t ChatSearch::run(const ChatView& view, std::string_view query) {
    std::string folded(query.size(), '\0');
    std::transform(query.begin(), query.end(), folded.begin(),
                   [](char c) { return static_cast<char>(kFold[static_cast<unsigned char>(c)]); });
    // Every occurrence of the longer query begins with one of the shorter, so only the lines
    // that matched can match again (and the lines that came since).
    const bool narrows = view_ == &view && !folded_.empty() && folded.size() > folded_.size() &&
                         folded.starts_with(folded_);
    std::vector<SearchMatch> before;
    if (narrows) before.swap(matches_);
    const std::size_t searched = narrows ? searchedLines_ : 0;
    matches_.clear();
    folded_ = std::move(folded);
    view_ = &view;
    searchedLines_ = 0;
    if (folded_.empty()) return 0;
    if (narrows) {
        // The last searched line may have grown since; it is searched again with the new ones.
        const std::size_t redo = searched == 0 ? 0 : searched - 1;
        for (std::size_t i = 0; i < before.size(); ++i) {
            const std::uint32_t line = before[i].line;
            if (line >= redo) break;
            if (i > 0 && before[i - 1].line == line) continue;
            scanLine(view.line(line).text, line);
        }
        searchedLines_ = redo;
    }
    refresh(view);
    return matches_.size();
}

void ChatSearch::refresh(const ChatView& view) {
    if (view_ != &view || folded_.empty()) return;
    const std::size_t count = view.lineCount();
    // The last line searched was the open one; what it gained since needs a second look.
    std::size_t from = searchedLines_ == 0 ? 0 : searchedLines_ - 1;
    while (!matches_.empty() && matches_.back().line >= from)
        matches_.pop_back();
    for (std::size_t i = from; i < count; ++i)
        scanLine(view.line(i).text, static_cast<std::uint32_t>(i));
    searchedLines_ = count;
}

std::pair<const SearchMatch*, const SearchMatch*> ChatSearch::inLine(std::size_t line) const {
    const auto lower =
        std::lower_bound(matches_.begin(), matches_.end(), line,
                         [](const SearchMatch& m, std::size_t l) { return m.line < l; });
    auto upper = lower;
    while (upper != matches_.end() && upper->line == line)
        ++upper;
    return {matches_.data() + (lower - matches_.begin()),
            matches_.data() + (upper - matches_.begin())};
}

}  // namespace orva
