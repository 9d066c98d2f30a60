#include "view/chat_lines.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "base/case_fold.h"
#include "config/setting_writes.h"
#include "view/view_part.h"

namespace orva {

namespace {

// Keeps a fragment from ending the document early or swallowing the next line: closing braces
// without a group are dropped, groups left open are closed, and a lone backslash at the end
// (which would merge with the line break after it) is dropped. Well-formed fragments pass as
// they are.
void balanceGroups(std::string& fragment) {
    long depth = 0;
    bool stray = false;
    std::size_t i = 0;
    for (; i < fragment.size(); ++i) {
        const char c = fragment[i];
        if (c == '\\') {
            if (i + 1 == fragment.size()) break;
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth == 0)
                stray = true;
            else
                --depth;
        }
    }
    const bool loneBackslash = i < fragment.size();
    if (!stray && depth == 0 && !loneBackslash) return;
    std::string out;
    out.reserve(fragment.size() + static_cast<std::size_t>(depth));
    long open = 0;
    for (std::size_t j = 0; j < fragment.size(); ++j) {
        const char c = fragment[j];
        if (c == '\\') {
            if (j + 1 == fragment.size()) break;
            out += c;
            out += fragment[++j];
            continue;
        }
        if (c == '{') ++open;
        if (c == '}') {
            if (open == 0) continue;
            --open;
        }
        out += c;
    }
    out.append(static_cast<std::size_t>(open), '}');
    fragment = std::move(out);
}

constexpr std::size_t npos = std::string::npos;

}  // namespace

std::string BuildInitialRtf(const std::string& fontName, std::uint8_t halfPoints) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ";
    rtf += fontName;
    rtf += ";}}";
    rtf += "{\\colortbl ;";
    for (std::size_t i = 1; i < ChatColors.size(); ++i) {
        const Rgb c = ChatColors[i];
        rtf += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) +
               "\\blue" + std::to_string((c >> 16) & 0xFF) + ";";
    }
    rtf += "}";
    rtf += "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs24";
    rtf += "\\fs" + std::to_string(halfPoints);
    rtf += "\\cf1 |\\cf2 |\\cf3 |\\cf4 |\\cf5 |\\cf6 |\\cf7 |\\cf8 |";
    rtf += "\\par }";
    return rtf;
}

std::string TimeStamp(const LocalTime& t) {
    // Out-of-range fields from a broken clock still give five characters.
    auto two = [](int v) {
        v = std::clamp(v, 0, 99);
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };
    return "[" + two(t.hour) + ":" + two(t.minute) + "] ";
}

std::string& EscapeRtf(std::string& text) {
    std::size_t specials = 0;
    for (char c : text)
        specials += (c == '\\' || c == '{' || c == '}');
    if (specials == 0) return text;
    std::string out;
    out.reserve(text.size() + specials);
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}') out += '\\';
        out += c;
    }
    text = std::move(out);
    return text;
}

std::string& MarkLinks(std::string& text) {
    const std::string lower = foldCase(text);
    if (lower.find("http://") == npos && lower.find("www.") == npos) return text;

    std::vector<std::string> found;
    auto scan = [&](const char* start, std::size_t minLength) {
        std::size_t from = 0;
        while (from < lower.size()) {
            const std::size_t p = lower.find(start, from);
            if (p == std::string::npos) break;
            std::size_t end = p;
            // A backslash starts RTF markup (or an escape): never part of the link.
            while (end < text.size() && text[end] != ' ' && text[end] != '\r' &&
                   text[end] != '\n' && text[end] != '\\')
                ++end;
            std::string link = text.substr(p, end - p);
            while (!link.empty() && std::string_view(",.!?").find(link.back()) != npos)
                link.pop_back();
            if (link.size() > minLength) found.push_back(std::move(link));
            from = end + 1;
        }
    };
    scan("http://", 7);
    scan("www.", 4);

    for (const std::string& link : found) {
        if (link.find_first_not_of(' ') == std::string::npos) continue;
        const std::string wrapped = "{\\cf8\\ul " + link + "}";
        std::string out;
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(link, from)) != std::string::npos;
             from = at + link.size()) {
            out.append(text, from, at - from);
            out += wrapped;
        }
        out.append(text, from, std::string::npos);
        text = std::move(out);
    }
    return text;
}

void AppendChatLine(ViewPart& f, std::string& text, std::uint8_t colour) {
    EscapeRtf(text);
    std::string fragment;
    fragment.reserve(text.size() + 16);
    fragment += "\\par\\fs";
    fragment += std::to_string(f.ChatFontHalfPoints);
    fragment += "\\cf";
    fragment += std::to_string(colour);
    fragment += ' ';
    fragment += text;
    AppendRtfFragment(f, fragment);
}

void AppendRtfFragment(ViewPart& f, std::string& fragment) {
    if (f.showURLs != 0) MarkLinks(fragment);
    balanceGroups(fragment);
    // A reader - the focus in the view, or the view scrolled back from the last line - keeps
    // the selection and the place; otherwise the caret goes to the end and the newest line
    // comes into view.
    const bool showNewest = !(f.ViewHasFocus || f.ViewScrolledBack);
    if (f.Timestamps == 0) return f.txtLog.append(fragment, showNewest);
    f.txtLog.append(fragment, showNewest, TimeStamp(f.env.clock.localTime()));
}

void AppendFrequencyLine(ViewPart& f, std::string_view tag, std::string_view gap, std::string name,
                         std::string text) {
    std::string fragment = "\\par\\cf2 ";
    fragment += tag;
    fragment += "\\cf1 ";
    fragment += gap;
    fragment += EscapeRtf(name);
    fragment += "\\cf2 > ";
    fragment += EscapeRtf(text);
    AppendRtfFragment(f, fragment);
}

void AppendCommandLine(ViewPart& f, std::string& text) {
    EscapeRtf(text);
    std::string fragment =
        "\\par\\fs" + std::to_string(f.ChatFontHalfPoints) + "\\cf2\\i " + text + " \\plain";
    AppendRtfFragment(f, fragment);
}

void ResetChatView(ViewPart& f) {
    f.txtLog.load(f.ChatViewInitialRtf);
    f.ViewScrolledBack = false;  // a fresh document has nothing to read back
}

void PostStatusLine(ViewPart& f, std::string& text) {
    AppendChatLine(f, text, ColorStatus);
    f.lineToLog.emit(text);
}

void PostHighlightLine(ViewPart& f, std::string& text) {
    AppendChatLine(f, text, ColorTeam);
    f.lineToLog.emit(text);
}

void postNotWritten(ViewPart& f) {
    std::string text = kNotWrittenText;
    PostStatusLine(f, text);
}

}  // namespace orva
