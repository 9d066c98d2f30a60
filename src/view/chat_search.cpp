#include "view/chat_search.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    lines_.clear();
    total_ = 0;
    searchedLines_ = 0;
    view_ = nullptr;
}

template <class Found>
void ChatSearch::scan(std::string_view text, Found&& found) const {
    const std::size_t m = folded_.size();
    if (m == 0 || text.size() < m) return;
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* q = reinterpret_cast<const unsigned char*>(folded_.data());
    const auto rest = [&](std::size_t at) {
        for (std::size_t k = 1; k < m; ++k)
            if (kFold[t[at + k]] != q[k]) return false;
        return true;
    };
    const std::size_t last = text.size() - m;  // the last place a match can start
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time, looking for the bytes that fold to the query's first: most bytes
    // are not one of them, and the byte loop below only finishes the line.
    const __m128i f0 = _mm_set1_epi8(static_cast<char>(firstBytes_[0]));
    const __m128i f1 = _mm_set1_epi8(static_cast<char>(firstBytes_[1]));
    const __m128i f2 = _mm_set1_epi8(static_cast<char>(firstBytes_[2]));
    while (i + 16 <= last + 1) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const __m128i hit =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, f0), _mm_cmpeq_epi8(chunk, f1)),
                         _mm_cmpeq_epi8(chunk, f2));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        std::size_t next = i + 16;
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
            mask &= mask - 1;
            if (!rest(at)) continue;
            found(static_cast<std::uint32_t>(at));
            next = std::max(next, at + m);
            // The next match starts after this one.
            while (mask != 0 && i + static_cast<std::size_t>(std::countr_zero(mask)) < at + m)
                mask &= mask - 1;
        }
        i = next;
    }
#endif
    for (; i <= last; ++i) {
        if (kFold[t[i]] != q[0] || !rest(i)) continue;
        found(static_cast<std::uint32_t>(i));
        i += m - 1;
    }
}

void ChatSearch::countLine(std::uint32_t line) {
    const std::string_view text = view_->line(line).text;
    std::uint32_t n = 0;
    if (folded_.size() == 1) {
        // One character: every byte that folds to it is a match of its own.
        std::size_t i = 0;
#if defined(__SSE2__)
        const auto* t = reinterpret_cast<const unsigned char*>(text.data());
        const __m128i f0 = _mm_set1_epi8(static_cast<char>(firstBytes_[0]));
        const __m128i f1 = _mm_set1_epi8(static_cast<char>(firstBytes_[1]));
        const __m128i f2 = _mm_set1_epi8(static_cast<char>(firstBytes_[2]));
        for (; i + 16 <= text.size(); i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
            const __m128i hit =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, f0), _mm_cmpeq_epi8(chunk, f1)),
                             _mm_cmpeq_epi8(chunk, f2));
            n += static_cast<std::uint32_t>(
                std::popcount(static_cast<unsigned>(_mm_movemask_epi8(hit))));
        }
#endif
        for (; i < text.size(); ++i)
            n += kFold[static_cast<unsigned char>(text[i])] ==
                 static_cast<unsigned char>(folded_[0]);
    } else {
        scan(text, [&n](std::uint32_t) { ++n; });
    }
    if (n == 0) return;
    lines_.push_back({line, static_cast<std::uint32_t>(total_)});
    total_ += n;
}

std::size_t ChatSearch::run(const ChatView& view, std::string_view query) {
    std::string folded(query.size(), '\0');
    std::transform(query.begin(), query.end(), folded.begin(),
                   [](char c) { return static_cast<char>(kFold[static_cast<unsigned char>(c)]); });
    // Every occurrence of the longer query begins with one of the shorter, so only the lines
    // that matched can match again (and the lines that came since).
    const bool narrows = view_ == &view && !folded_.empty() && folded.size() > folded_.size() &&
                         folded.starts_with(folded_);
    std::vector<LineHits> before;
    if (narrows) before.swap(lines_);
    const std::size_t searched = narrows ? searchedLines_ : 0;
    lines_.clear();
    total_ = 0;
    folded_ = std::move(folded);
    view_ = &view;
    searchedLines_ = 0;
    if (folded_.empty()) return 0;
    // The bytes that fold to the query's first (at most three: "y" has two capitals).
    const auto q0 = static_cast<unsigned char>(folded_[0]);
    firstBytes_.fill(q0);
    std::size_t n = 0;
    for (int b = 0; b < 256 && n < firstBytes_.size(); ++b)
        if (kFold[static_cast<std::size_t>(b)] == q0)
            firstBytes_[n++] = static_cast<unsigned char>(b);
    if (narrows) {
        // The last searched line may have grown since; refresh searches it with the new ones.
        const std::size_t redo = searched == 0 ? 0 : searched - 1;
        for (const LineHits& h : before) {
            if (h.line >= redo) break;
            countLine(h.line);
        }
        searchedLines_ = redo;
    }
    refresh(view);
    return total_;
}

void ChatSearch::refresh(const ChatView& view) {
    if (view_ != &view || folded_.empty()) return;
    const std::size_t count = view.lineCount();
    // The last line searched was the open one; what it gained since needs a second look.
    const std::size_t from = searchedLines_ == 0 ? 0 : searchedLines_ - 1;
    while (!lines_.empty() && lines_.back().line >= from) {
        total_ = lines_.back().before;
        lines_.pop_back();
    }
    for (std::size_t i = from; i < count; ++i)
        countLine(static_cast<std::uint32_t>(i));
    searchedLines_ = count;
}

SearchMatch ChatSearch::newest(std::size_t k) const {
    const std::size_t index = total_ - 1 - k;  // counted from the oldest
    const auto it =
        std::upper_bound(lines_.begin(), lines_.end(), index,
                         [](std::size_t i, const LineHits& h) { return i < h.before; }) -
        1;
    const std::vector<std::uint32_t> offsets = offsetsIn(it->line);
    const std::size_t j = std::min(index - it->before, offsets.size() - 1);
    return {it->line, offsets[j]};
}

std::vector<std::uint32_t> ChatSearch::offsetsIn(std::size_t line) const {
    std::vector<std::uint32_t> out;
    if (!view_ || line >= view_->lineCount()) return out;
    scan(view_->line(line).text, [&out](std::uint32_t at) { out.push_back(at); });
    return out;
}

}  // namespace orva
