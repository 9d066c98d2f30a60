// Links in the chat view: finding the one under the pointer, and the view's mouse and focus events.
#pragma once

#include <string>
#include <string_view>

namespace orva {

struct ViewPart;

inline constexpr int kDefaultPointer = 0;
inline constexpr int kLinkPointer = 99;

struct LinkHit {
    std::string link;  // empty: nothing to open
    int pointer = kDefaultPointer;
};

// The link around the character left of index p in text (0-based; p is the character under the
// pointer). Lines are separated by CR LF, or text is a single line.
LinkHit FindHyperlink(std::string_view text, long p);
// FindHyperlink, setting the view's mouse pointer.
std::string getHyperlink(ViewPart& f, std::string_view text, long p);
// The address handed to the shell for a found link ("www." ones as web addresses); empty for
// anything that is not one of the four link forms.
std::string LinkAddress(const std::string& link);

void txtLog_GotFocus(ViewPart& f);
void txtLog_LostFocus(ViewPart& f);
// The reader moved the view (wheel, scroll bar or keys); atEnd: the last line is the one shown.
void txtLog_Scroll(ViewPart& f, bool atEnd);
// The widget maps the pointer to a line's text and the character index under it.
void txtLog_MouseMove(ViewPart& f, std::string_view lineText, long index);
void txtLog_MouseDown(ViewPart& f, int button);  // 1 left, 2 right, 4 middle

}  // namespace orva
