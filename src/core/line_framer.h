// Cuts the received byte stream into protocol lines, keeping an unfinished line between blocks.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace orva {

inline constexpr std::size_t kMaxPartialLine = 64 * 1024;
inline constexpr std::size_t kOverlongTraceBytes = 512;

class LineFramer {
  public:
    // Calls onLine(std::string_view) for every complete line that is not blank (spaces only), in
    // order, without its line end; any run of CR and LF ends a line. An unfinished line waits for
    // the next block. One that grows past kMaxPartialLine is given to onOverlong(first bytes) and
    // dropped, and the bytes up to the next line end are skipped.
    template <class OnLine, class OnOverlong>
    void feed(std::string_view bytes, OnLine&& onLine, OnOverlong&& onOverlong) {
        if (bytes.empty()) return;
        Scanner s(bytes.data(), bytes.data() + bytes.size());
        const char* p = s.begin;
        if (skipping_) {
            const char* e = s.next(p);
            if (e == s.end) return;
            skipping_ = false;
            p = e + 1;
        }
        if (!partial_.empty()) {
            const char* e = s.next(p);
            if (e == s.end) {
                keep(p, s.end, onOverlong);
                return;
            }
            partial_.append(p, static_cast<std::size_t>(e - p));
            emit(partial_, onLine);
            partial_.clear();
            p = e + 1;
        }
        while (p != s.end) {
            const char* e = s.next(p);
            if (e == s.end) {
                keep(p, s.end, onOverlong);
                return;
            }
            emit(std::string_view(p, static_cast<std::size_t>(e - p)), onLine);
            p = e + 1;
        }
    }

    // Forgets the unfinished line (a new connection starts afresh).
    void reset() {
        partial_.clear();
        partial_.shrink_to_fit();
        skipping_ = false;
    }

    std::size_t pendingBytes() const { return partial_.size(); }

  private:
    // Finds line ends with memchr, remembering the next CR and the next LF, so a block is scanned
    // once whichever of the two its lines end in.
    struct Scanner {
        Scanner(const char* b, const char* e)
            : begin(b), end(e), cr(find(b, '\r')), lf(find(b, '\n')) {}
        const char* next(const char* p) {
            if (cr < p) cr = find(p, '\r');
            if (lf < p) lf = find(p, '\n');
            return cr < lf ? cr : lf;
        }
        const char* find(const char* p, char c) const {
            const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p));
            return hit ? static_cast<const char*>(hit) : end;
        }
        const char* begin;
        const char* end;
        const char* cr;
        const char* lf;
    };

    static bool blank(std::string_view line) { return line.find_first_not_of(' ') == line.npos; }

    template <class OnLine>
    static void emit(std::string_view line, OnLine& onLine) {
        if (!blank(line)) onLine(line);
    }

    template <class OnOverlong>
    void keep(const char* p, const char* end, OnOverlong& onOverlong) {
        const auto n = static_cast<std::size_t>(end - p);
        if (partial_.size() + n <= kMaxPartialLine) {
            partial_.append(p, n);
            return;
        }
        std::string head = partial_.substr(0, kOverlongTraceBytes);
        if (head.size() < kOverlongTraceBytes)
            head.append(p, std::min(n, kOverlongTraceBytes - head.size()));
        reset();
        skipping_ = true;
        onOverlong(head);
    }

    std::string partial_;
    bool skipping_ = false;
};

}  // namespace orva
