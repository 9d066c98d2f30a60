// Fuzz target: chat document fragments through the reader, link marking and link finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "view/chat_lines.h"
#include "view/chat_view.h"
#include "view/links.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    orva::ChatView view;
    view.load(orva::BuildInitialRtf("Courier New", 18));
    // Split the input into fragments at "|" so that state carries across appends.
    std::size_t from = 0;
    while (from <= input.size()) {
        std::size_t bar = input.find('|', from);
        if (bar == std::string_view::npos) bar = input.size();
        std::string fragment(input.substr(from, bar - from));
        orva::MarkLinks(fragment);
        view.append(fragment);
        from = bar + 1;
    }
    std::size_t total = 0;
    for (std::size_t i = 0; i < view.lineCount(); ++i) {
        const orva::StyledLine line = view.line(i);
        for (const orva::StyleRun& run : line.runs)
            if (run.start > line.text.size()) __builtin_trap();
        total += line.text.size();
        const long probe = static_cast<long>(line.text.size() / 2);
        (void)orva::FindHyperlink(line.text, probe);
    }
    if (total > 4 * size + 64) __builtin_trap();  // text comes only from the input
    std::string escaped(input);
    orva::EscapeRtf(escaped);
    orva::ChatView reread;
    reread.load(view.TextRTF());
    return 0;
}
