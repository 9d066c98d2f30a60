// The chat document read by an independent RTF reader shows the lines the view shows.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "support/fakes.h"
#include "view/chat_font.h"
#include "view/chat_lines.h"

namespace orva::test {
namespace {

struct ReaderLine {
    std::string text;               // blanks collapsed, 7-bit characters only
    std::set<std::string> colours;  // of the characters that are not blank
};

std::string collapse(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) continue;  // the reader's own code page
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The reader's HTML: lines end at "<br>", colours are <font color="#rrggbb"> elements.
std::vector<ReaderLine> readHtml(const std::string& html) {
    std::vector<ReaderLine> lines(1);
    std::vector<std::string> colour{""};
    std::size_t i = html.find("<body>");
    if (i == std::string::npos) return {};
    const std::size_t end = html.find("</body>");
    std::string text;
    auto endLine = [&] {
        lines.back().text = collapse(text);
        text.clear();
        lines.emplace_back();
    };
    for (i += 6; i < end;) {
        if (html[i] == '<') {
            const std::size_t close = html.find('>', i);
            const std::string tag = html.substr(i + 1, close - i - 1);
            if (tag == "br") endLine();
            if (tag.starts_with("font")) {
                const std::size_t at = tag.find("color=\"");
                colour.push_back(at == std::string::npos ? colour.back() : tag.substr(at + 7, 7));
            }
            if (tag == "/font" && colour.size() > 1) colour.pop_back();
            i = close + 1;
            continue;
        }
        char c = html[i++];
        if (c == '&') {
            const std::size_t semi = html.find(';', i);
            const std::string name = html.substr(i, semi - i);
            static const std::map<std::string, char> kEntities = {
                {"gt", '>'}, {"lt", '<'}, {"amp", '&'}, {"quot", '"'}, {"nbsp", ' '}};
            const auto it = kEntities.find(name);
            c = it == kEntities.end() ? '?' : it->second;
            i = semi + 1;
        }
        if (c == '\n' || c == '\r') continue;
        text += c;
        if (c != ' ' && static_cast<unsigned char>(c) < 0x80)
            lines.back().colours.insert(colour.back());
    }
    lines.back().text = collapse(text);
    return lines;
}

std::string run(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
            out.append(buffer.data(), n);
        pclose(pipe);
    }
    return out;
}

TEST(ChatDocument, AnIndependentReaderShowsTheLinesInTheirColours) {
    if (run("command -v unrtf").empty()) GTEST_SKIP() << "unrtf is not installed (scripts/deps.sh)";
    World w;
    w.f().showURLs = 1;
    VerifyFontConstraints(w.f().ChatFontName, w.f().ChatFontSize);
    UpdateFontFace(w.f());
    ResetChatView(w.f());
    const char* texts[] = {"   Ann> hello {world} a\\b", "caf\xe9 \x80 na\xefve \\\\ end",
                           "see http://www.example.org/x?y=1!, ok", "WWW.Caps.com, yes"};
    const std::string fs = "\\par\\fs" + std::to_string(w.f().ChatFontHalfPoints);
    for (int i = 0; i < 300; ++i) {
        std::string text = std::string(texts[i % 4]) + " #" + std::to_string(i);
        if (i % 5 == 1) {
            // A command reply: italic, reset by \plain at its end, as the formatters build it.
            std::string fragment = fs + "\\cf2\\i " + EscapeRtf(text) + "\\plain";
            AppendRtfFragment(w.f(), fragment);
        } else if (i % 5 == 2) {
            std::string fragment = fs + "\\cf6 T  \\cf1 name\\cf6 > " + EscapeRtf(text);
            AppendRtfFragment(w.f(), fragment);
        } else {
            AppendChatLine(w.f(), text, static_cast<std::uint8_t>(i % 8 + 1));
        }
    }
    w.dir.write("chat.rtf", w.f().txtLog.TextRTF());
    const std::vector<ReaderLine> read =
        readHtml(run("unrtf --html '" + w.dir.file("chat.rtf") + "' 2>/dev/null"));

    static const std::array<const char*, 9> kHex = {
        "", "#ffffff", "#73ff63", "#a0a0ff", "#ef6b18", "#ce0808", "#ffbd29", "#ff9999", "#fffa00"};
    const ChatView& view = w.f().txtLog;
    ASSERT_EQ(read.size(), view.lineCount());
    for (std::size_t i = 0; i < view.lineCount(); ++i) {
        const StyledLine line = view.line(i);
        std::set<std::string> colours;
        for (std::size_t r = 0; r < line.runs.size(); ++r) {
            const std::size_t end =
                r + 1 < line.runs.size() ? line.runs[r + 1].start : line.text.size();
            for (std::size_t k = line.runs[r].start; k < end; ++k)
                if (line.text[k] != ' ' && static_cast<unsigned char>(line.text[k]) < 0x80)
                    colours.insert(kHex[line.runs[r].format.colour]);
        }
        EXPECT_EQ(read[i].text, collapse(std::string(line.text))) << "line " << i;
        EXPECT_EQ(read[i].colours, colours) << "line " << i;
    }
}

}  // namespace
}  // namespace orva::test
