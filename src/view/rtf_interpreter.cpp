#include "view/rtf_interpreter.h"

#include <algorithm>
#include <array>

namespace orva {

namespace {

constexpr std::size_t kMaxDepth = 256;

// Bytes that end a run of plain text.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {'\\', '{', '}', '\r', '\n'})
        t[c] = true;
    return t;
}();

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Groups whose content is data, not text.
bool isDestination(std::string_view w) {
    static constexpr std::array<std::string_view, 16> kDest = {
        "fonttbl", "colortbl",  "stylesheet", "info",    "pict",      "object",
        "header",  "footer",    "footnote",   "fldinst", "listtable", "listoverridetable",
        "rsidtbl", "generator", "themedata",  "xmlnstbl"};
    return std::find(kDest.begin(), kDest.end(), w) != kDest.end();
}

// A Unicode code point as a code page 1252 byte; "?" when the page has no such character.
char toCp1252(long cp) {
    if (cp < 0) cp += 65536;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    static constexpr std::array<std::uint16_t, 32> kHigh = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

void RtfInterpreter::reset() {
    *this = RtfInterpreter{};
}

void RtfInterpreter::push() {
    if (stack_.size() >= kMaxDepth) {
        ++overflow_;
        return;
    }
    stack_.push_back(cur_);
}

void RtfInterpreter::pop() {
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    // A stray closing brace has no group to end; the state stays as it is.
    if (stack_.empty()) return;
    cur_ = stack_.back();
    stack_.pop_back();
}

void RtfInterpreter::emit(std::string_view bytes, RtfSink& sink) {
    if (skipChars_ > 0) {
        const std::size_t n = std::min<std::size_t>(skipChars_, bytes.size());
        skipChars_ -= static_cast<unsigned>(n);
        bytes.remove_prefix(n);
    }
    if (cur_.skip || bytes.empty()) return;
    CharFormat f = cur_.format;
    if ((f.flags & StyleUnderline) && f.colour == 8) f.flags |= StyleLink;
    sink.text(bytes, f);
}

void RtfInterpreter::controlWord(std::string_view w, bool hasParam, long param, RtfSink& sink) {
    const bool first = groupStart_;
    groupStart_ = false;
    CharFormat& f = cur_.format;
    auto on = [&] { return !hasParam || param != 0; };
    if (w == "par" || w == "line") {
        skipChars_ = 0;
        if (!cur_.skip) sink.paragraph();
    } else if (w == "fs") {
        f.size = hasParam ? static_cast<std::uint16_t>(std::clamp(param, 0L, 65535L)) : 24;
    } else if (w == "cf") {
        f.colour = hasParam && param >= 0 && param <= 255 ? static_cast<std::uint8_t>(param) : 0;
    } else if (w == "i") {
        f.flags = on() ? (f.flags | StyleItalic) : (f.flags & ~StyleItalic);
    } else if (w == "ul") {
        f.flags = on() ? (f.flags | StyleUnderline) : (f.flags & ~StyleUnderline);
    } else if (w == "ulnone") {
        f.flags &= ~StyleUnderline;
    } else if (w == "plain") {
        f = CharFormat{};
    } else if (w == "uc") {
        cur_.uc = static_cast<std::uint8_t>(std::clamp(param, 0L, 255L));
    } else if (w == "u") {
        const char c = toCp1252(param);
        skipChars_ = 0;
        emit(std::string_view(&c, 1), sink);
        skipChars_ = cur_.uc;
    } else if (w == "tab") {
        emit(" ", sink);
    } else if (w == "lquote" || w == "rquote" || w == "ldblquote" || w == "rdblquote" ||
               w == "bullet" || w == "endash" || w == "emdash") {
        static constexpr std::string_view kNames[] = {"lquote", "rquote", "ldblquote", "rdblquote",
                                                      "bullet", "endash", "emdash"};
        static constexpr char kBytes[] = "\x91\x92\x93\x94\x95\x96\x97";
        for (std::size_t i = 0; i < 7; ++i)
            if (kNames[i] == w) emit(std::string_view(&kBytes[i], 1), sink);
    } else if (first && isDestination(w)) {
        cur_.skip = true;
    }
}

void RtfInterpreter::feed(std::string_view in, RtfSink& sink) {
    const std::size_t n = in.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = in[i];
        if (c == '{') {
            push();
            groupStart_ = true;
            ++i;
        } else if (c == '}') {
            pop();
            groupStart_ = false;
            ++i;
        } else if (c == '\r' || c == '\n') {
            ++i;  // line breaks in RTF source are not text
        } else if (c != '\\') {
            const char* const begin = in.data();
            const char* p = begin + i;
            const char* const end = begin + n;
            while (p != end && !kSpecial[static_cast<unsigned char>(*p)])
                ++p;
            const auto j = static_cast<std::size_t>(p - begin);
            groupStart_ = false;
            emit(in.substr(i, j - i), sink);
            i = j;
        } else if (i + 1 >= n) {
            ++i;  // a lone backslash at the very end
        } else if (isLetter(in[i + 1])) {
            std::size_t j = i + 1;
            while (j < n && isLetter(in[j]))
                ++j;
            const std::string_view word = in.substr(i + 1, std::min<std::size_t>(j - i - 1, 32));
            bool hasParam = false;
            long param = 0;
            bool negative = false;
            if (j < n && in[j] == '-' && j + 1 < n && isDigit(in[j + 1])) {
                negative = true;
                ++j;
            }
            while (j < n && isDigit(in[j])) {
                if (param < 100000000) param = param * 10 + (in[j] - '0');
                hasParam = true;
                ++j;
            }
            if (negative) param = -param;
            if (j < n && in[j] == ' ') ++j;  // the delimiting space belongs to the word
            if (word == "bin" && hasParam && param > 0) {
                j += std::min<std::size_t>(static_cast<std::size_t>(param), n - j);
                groupStart_ = false;
            } else {
                controlWord(word, hasParam, param, sink);
            }
            i = j;
        } else {
            const char d = in[i + 1];
            const bool first = groupStart_;
            groupStart_ = false;
            i += 2;
            switch (d) {
                case '\\':
                case '{':
                case '}':
                    emit(std::string_view(&in[i - 1], 1), sink);
                    break;
                case '\'': {
                    const int hi = i < n ? hexValue(in[i]) : -1;
                    const int lo = i + 1 < n ? hexValue(in[i + 1]) : -1;
                    if (hi >= 0 && lo >= 0) {
                        const char b = static_cast<char>(hi * 16 + lo);
                        emit(std::string_view(&b, 1), sink);
                        i += 2;
                    }
                    break;
                }
                case '~':
                    emit("\xA0", sink);
                    break;
                case '_':
                    emit("-", sink);
                    break;
                case '*':
                    if (first) cur_.skip = true;
                    break;
                case '\r':
                case '\n':
                    if (!cur_.skip) sink.paragraph();
                    break;
                default:
                    break;  // unknown control symbol: nothing to show
            }
        }
    }
}

}  // namespace orva
