// The chat view as a model: the append-only RTF document and the styled lines it shows.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/signal.h"
#include "view/rtf_interpreter.h"

namespace orva {

// Formatting from `start` (a byte offset into the line's text) up to the next run.
struct StyleRun {
    std::uint32_t start = 0;
    CharFormat format;
};
static_assert(sizeof(StyleRun) == 8, "runs are kept compact: one per format change");

struct StyledLine {
    std::string_view text;  // code page 1252 bytes
    std::span<const StyleRun> runs;
};

// Bump allocator for line texts and runs: lines never move and never free singly, so a
// 200,000-line history costs its bytes plus a few per line, without reallocation spikes.
class LineArena {
  public:
    void* allocate(std::size_t bytes, std::size_t align);
    void clear();
    std::size_t reserved() const { return reserved_; }

  private:
    static constexpr std::size_t kFirstChunk = 4096;
    static constexpr std::size_t kChunk = 256 * 1024;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::size_t used_ = 0, capacity_ = 0, reserved_ = 0;
};

class ChatView : private RtfSink {
  public:
    ChatView();

    // The whole document, built on demand: head, the appended fragments, the closing.
    std::string TextRTF() const;
    // The shown text, lines separated by CR LF (built on demand; for tests and copy-all).
    std::string Text() const;

    // Replaces the document (the view's only way of being emptied).
    void load(std::string_view rtf);
    // Adds one fragment after the last line: O(fragment), whatever the document's length.
    // showNewest tells the view whether to scroll to it or keep the reader's place. A stamp
    // (such as "[12:34] ") goes before the line the fragment starts, in the shown text only:
    // the document keeps the fragment as it came.
    void append(std::string_view fragment, bool showNewest = true, std::string_view stamp = {});

    // The read marker: leaving the window moves it to above the first line that arrives while
    // away; with none arriving there is no marker. Returns to the window leave it in place.
    static constexpr std::size_t kNoMarker = static_cast<std::size_t>(-1);
    void setWindowActive(bool active);
    std::size_t markerLine() const { return marker_; }

    std::size_t lineCount() const { return lines_.size() + 1; }
    StyledLine line(std::size_t index) const;
    std::uint64_t documentBytes() const;
    // Marks the last line as one that asks for the user (drawn with a band; not in the document).
    void markLastLine();
    bool isMarked(std::size_t index) const;
    std::size_t memoryEstimate() const;

    // Control font, set by UpdateFontFace.
    Prop<std::string> FontName;
    Prop<int> FontSize{0};
    // 0 default pointer, 99 the link pointer (set by getHyperlink).
    Prop<int> MousePointer{0};

    Signal<> reloaded;      // the document was replaced
    Signal<bool> appended;  // a fragment arrived; true: show the newest line
    Signal<> markerMoved;

  private:
    // One block per line, the text and then its runs (at the next multiple of 4), so that a
    // million lines of scrollback pay one pointer each rather than two.
    struct LineRec {
        const char* block;
        std::uint32_t length;
        std::uint32_t runCount;
    };
    static std::size_t runsOffset(std::uint32_t length) { return (length + 3u) & ~std::size_t{3}; }

    void text(std::string_view bytes, CharFormat format) override;
    void paragraph() override;
    void keepOpenFormat();
    void appendBody(std::string_view bytes);
    void putStamp(CharFormat format);

    std::string head_, closing_;
    std::vector<std::string> body_;  // chunks, each filled to its reserved size
    std::uint64_t bodyBytes_ = 0;
    RtfInterpreter reader_;
    LineArena arena_;
    std::deque<LineRec> lines_;  // finished paragraphs
    std::string openText_;       // the last paragraph, still open to more text
    std::vector<StyleRun> openRuns_;
    std::vector<std::size_t> marked_;  // ascending line indexes; few, so kept apart from lines_

    // State of one append: the first paragraph break starts the line that gets the stamp and,
    // while away, the marker.
    bool appending_ = false;
    bool lineStarted_ = false;
    std::size_t startedLine_ = 0;
    std::string_view stamp_;
    bool stampDue_ = false;

    bool away_ = false;
    bool markerDue_ = false;  // away, and no line arrived yet
    std::size_t marker_ = kNoMarker;
};

}  // namespace orva
