#include "view/links.h"

#include <array>

#include "base/case_fold.h"
#include "view/view_part.h"

namespace orva {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsFolded(s.substr(0, prefix.size()), prefix);
}

bool hasLinkForm(std::string_view word) {
    static constexpr std::array<std::string_view, 4> kForms = {"http://", "www.", "ftp://",
                                                               "mailto:"};
    for (auto form : kForms)
        if (startsWithNoCase(word, form)) return true;
    return false;
}

}  // namespace

LinkHit FindHyperlink(std::string_view text, long p) {
    if (p < 1 || p >= static_cast<long>(text.size())) return {};
    const auto under = static_cast<std::size_t>(p);
    if (text[under] == '\r') return {};
    // The word around the character just left of the one under the pointer.
    const std::size_t left = under - 1;
    if (isSeparator(text[left])) return {};
    std::size_t start = left;
    while (start > 0 && !isSeparator(text[start - 1]))
        --start;
    std::size_t end = left + 1;
    while (end < text.size() && !isSeparator(text[end]))
        ++end;
    std::string_view word = text.substr(start, end - start);
    if (!hasLinkForm(word)) return {};
    while (!word.empty() && std::string_view(".,!?").find(word.back()) != std::string_view::npos)
        word.remove_suffix(1);
    LinkHit hit;
    hit.pointer = kLinkPointer;
    if (word.size() > 3) hit.link.assign(word);
    return hit;
}

std::string getHyperlink(ViewPart& f, std::string_view text, long p) {
    LinkHit hit = FindHyperlink(text, p);
    f.txtLog.MousePointer.set(hit.pointer);
    return std::move(hit.link);
}

std::string LinkAddress(const std::string& link) {
    if (link.size() <= 3 || !hasLinkForm(link)) return {};
    if (startsWithNoCase(link, "www.")) return "http://" + link;
    return link;
}

void txtLog_GotFocus(ViewPart& f) {
    f.ViewHasFocus = true;
}

void txtLog_LostFocus(ViewPart& f) {
    f.ViewHasFocus = false;
}

void txtLog_Scroll(ViewPart& f, bool atEnd) {
    f.ViewScrolledBack = !atEnd;
}

void txtLog_MouseMove(ViewPart& f, std::string_view lineText, long index) {
    if (f.showURLs == 0) return;
    f.HoverLink = getHyperlink(f, lineText, index);
}

void txtLog_MouseDown(ViewPart& f, int button) {
    if (f.showURLs == 0 || button != 1 || f.HoverLink.empty()) return;
    const std::string address = LinkAddress(f.HoverLink);
    if (!address.empty()) f.env.shell.open(address);
}

}  // namespace orva
