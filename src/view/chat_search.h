// Finding text in the chat view's shown lines, newest first, ignoring letter case.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orva {

class ChatView;

struct SearchMatch {
    std::uint32_t line = 0;
    std::uint32_t offset = 0;  // byte offset in the line's text
    bool operator==(const SearchMatch&) const = default;
};

// Folds a code page 1252 byte to lower case: ASCII and the accented Latin letters.
unsigned char FoldCase(unsigned char c);

// The matches of one query in one document. Matches in a line do not overlap. Only the lines
// that hold matches are kept, with their counts (a single common letter matches millions of
// times); the places in a line are found again when asked for. A longer query that begins with
// the last one only looks again at the lines that matched, and lines appended since the last
// run are searched on their own, so typing stays fast in a long history.
class ChatSearch {
  public:
    // Searches view for query (empty: no matches). Returns the number of matches.
    std::size_t run(const ChatView& view, std::string_view query);
    // Brings the matches up to date with lines appended since the last run.
    void refresh(const ChatView& view);
    void clear();

    std::size_t count() const { return total_; }
    std::size_t length() const { return folded_.size(); }
    // The k-th match counting from the newest (0) backwards; k < count().
    SearchMatch newest(std::size_t k) const;
    // The places of the matches in one line, left to right.
    std::vector<std::uint32_t> offsetsIn(std::size_t line) const;

  private:
    struct LineHits {
        std::uint32_t line;
        std::uint32_t before;  // matches in the lines before this one
    };
    template <class Found>
    void scan(std::string_view text, Found&& found) const;
    void countLine(std::uint32_t line);

    std::string folded_;
    std::array<unsigned char, 3> firstBytes_{};
    std::vector<LineHits> lines_;  // oldest first: appending keeps the order
    std::size_t total_ = 0;
    std::size_t searchedLines_ = 0;  // lines below this were searched (the last one may grow)
    const ChatView* view_ = nullptr;
};

}  // namespace orva
