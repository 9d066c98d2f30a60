#include "view/chat_view.h"

#include <algorithm>
#include <cstring>

namespace orva {

namespace {
constexpr std::size_t kBodyChunk = 1 << 20;
constexpr std::size_t kFirstChunk = 4096;
constexpr std::string_view kSeparator = "\r\n";
constexpr std::string_view kClosing = "\r\n }";
}  // namespace

void* LineArena::allocate(std::size_t bytes, std::size_t align) {
    std::size_t at = (used_ + align - 1) / align * align;
    if (chunks_.empty() || at + bytes > capacity_) {
        // Chunks double up to kChunk, so a short history stays small.
        const std::size_t size = std::max(std::clamp(reserved_, kFirstChunk, kChunk), bytes);
        chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        capacity_ = size;
        reserved_ += size;
        at = 0;
    }
    used_ = at + bytes;
    return chunks_.back().get() + at;
}

void LineArena::clear() {
    chunks_.clear();
    used_ = capacity_ = reserved_ = 0;
}

// An empty view still holds a document, so lines appended before the first reset keep it
// well-formed.
ChatView::ChatView() {
    load("{\\rtf1\\ansi\\ansicpg1252\\deff0\\pard\\par }");
}

void ChatView::load(std::string_view rtf) {
    // The document's closing is cut off so that appended paragraphs follow the last line
    // directly; a trailing "\par" would otherwise leave an empty paragraph before them.
    head_.assign(rtf);
    closing_.clear();
    for (std::string_view end :
         {std::string_view("\\par }"), std::string_view(" }"), std::string_view("}")}) {
        if (head_.size() >= end.size() && head_.ends_with(end)) {
            head_.resize(head_.size() - end.size());
            closing_.assign(end);
            break;
        }
    }
    body_.clear();
    body_.shrink_to_fit();
    bodyBytes_ = 0;
    lines_.clear();
    lines_.shrink_to_fit();
    marked_.clear();
    arena_.clear();
    openText_.clear();
    openRuns_.clear();
    reader_.reset();
    reader_.feed(head_, *this);
    keepOpenFormat();
    // The marked line is gone; lines of the new document that arrive while away get it.
    marker_ = kNoMarker;
    markerDue_ = away_;
    reloaded.emit();
}

void ChatView::appendBody(std::string_view bytes) {
    while (!bytes.empty()) {
        if (body_.empty() || body_.back().size() == body_.back().capacity()) {
            body_.emplace_back();
            body_.back().reserve(std::clamp<std::size_t>(bodyBytes_, kFirstChunk, kBodyChunk));
        }
        std::string& chunk = body_.back();
        const std::size_t n = std::min(bytes.size(), chunk.capacity() - chunk.size());
        chunk.append(bytes.substr(0, n));
        bytes.remove_prefix(n);
        bodyBytes_ += n;
    }
}

void ChatView::append(std::string_view fragment, bool showNewest, std::string_view stamp) {
    appendBody(kSeparator);
    appendBody(fragment);
    closing_ = kClosing;
    appending_ = true;
    lineStarted_ = false;
    stamp_ = stamp;
    reader_.feed(fragment, *this);
    // A line without text still shows its time, in the format the line ended with.
    if (stampDue_) putStamp(reader_.format());
    appending_ = false;
    stamp_ = {};
    keepOpenFormat();
    const bool marked = lineStarted_ && markerDue_;
    if (marked) {
        marker_ = startedLine_;
        markerDue_ = false;
    }
    appended.emit(showNewest);
    if (marked) markerMoved.emit();
}

void ChatView::setWindowActive(bool active) {
    if (away_ == !active) return;
    away_ = !active;
    markerDue_ = away_;
    if (!away_ || marker_ == kNoMarker) return;
    marker_ = kNoMarker;
    markerMoved.emit();
}

// The stamp takes the size of the line's first text, so it sits on the line's baseline.
void ChatView::putStamp(CharFormat format) {
    stampDue_ = false;
    openRuns_.clear();
    openRuns_.push_back({0, CharFormat{format.size, 0, StyleStamp}});
    openText_.assign(stamp_);
}

std::string ChatView::TextRTF() const {
    std::string out;
    out.reserve(head_.size() + bodyBytes_ + closing_.size());
    out += head_;
    for (const auto& chunk : body_)
        out += chunk;
    out += closing_;
    return out;
}

std::string ChatView::Text() const {
    std::string out;
    for (std::size_t i = 0; i < lineCount(); ++i) {
        if (i) out += "\r\n";
        out += line(i).text;
    }
    return out;
}

void ChatView::markLastLine() {
    const std::size_t last = lines_.size();  // the open paragraph the last fragment went into
    if (marked_.empty() || marked_.back() < last) marked_.push_back(last);
}

bool ChatView::isMarked(std::size_t index) const {
    return std::binary_search(marked_.begin(), marked_.end(), index);
}

StyledLine ChatView::line(std::size_t index) const {
    if (index < lines_.size()) {
        const LineRec& r = lines_[index];
        if (r.block == nullptr) return {};
        const auto* runs = reinterpret_cast<const StyleRun*>(r.block + runsOffset(r.length));
        return {std::string_view(r.block, r.length), std::span(runs, r.runCount)};
    }
    return {openText_, openRuns_};
}

std::uint64_t ChatView::documentBytes() const {
    return head_.size() + bodyBytes_ + closing_.size();
}

std::size_t ChatView::memoryEstimate() const {
    std::size_t body = 0;
    for (const auto& chunk : body_)
        body += chunk.capacity();
    return body + arena_.reserved() + lines_.size() * sizeof(LineRec) + head_.capacity() +
           openText_.capacity() + openRuns_.capacity() * sizeof(StyleRun);
}

void ChatView::text(std::string_view bytes, CharFormat format) {
    if (stampDue_) putStamp(format);
    if (openRuns_.empty() || openRuns_.back().format != format) {
        const auto at = static_cast<std::uint32_t>(openText_.size());
        if (!openRuns_.empty() && openRuns_.back().start == at)
            openRuns_.back().format = format;
        else
            openRuns_.push_back({at, format});
    }
    openText_.append(bytes);
}

// A line without text is still as tall as the size in force where it ends, so an empty line
// keeps one run that carries that format.
void ChatView::keepOpenFormat() {
    if (openText_.empty()) openRuns_.assign(1, StyleRun{0, reader_.format()});
}

void ChatView::paragraph() {
    if (stampDue_) putStamp(reader_.format());
    keepOpenFormat();
    LineRec r{nullptr, static_cast<std::uint32_t>(openText_.size()),
              static_cast<std::uint32_t>(openRuns_.size())};
    const std::size_t runsAt = runsOffset(r.length);
    const std::size_t bytes = runsAt + openRuns_.size() * sizeof(StyleRun);
    if (bytes > 0) {
        auto* block = static_cast<char*>(arena_.allocate(bytes, alignof(StyleRun)));
        if (!openText_.empty()) std::memcpy(block, openText_.data(), openText_.size());
        if (!openRuns_.empty())
            std::memcpy(block + runsAt, openRuns_.data(), openRuns_.size() * sizeof(StyleRun));
        r.block = block;
    }
    lines_.push_back(r);
    openText_.clear();
    openRuns_.clear();
    if (appending_ && !lineStarted_) {
        lineStarted_ = true;
        startedLine_ = lines_.size();
        stampDue_ = !stamp_.empty();
    }
}

}  // namespace orva
