// Turns the chat document's RTF, fragment by fragment, into styled text and paragraph breaks.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orva {

// StyleStamp is never read from RTF: the view sets it on the time it puts before a line.
enum StyleFlag : std::uint8_t {
    StyleItalic = 1,
    StyleUnderline = 2,
    StyleLink = 4,
    StyleStamp = 8
};

// Character formatting as RTF knows it; size in half-points, colour an index into the palette.
struct CharFormat {
    std::uint16_t size = 24;
    std::uint8_t colour = 0;
    std::uint8_t flags = 0;
    bool operator==(const CharFormat&) const = default;
};

class RtfSink {
  public:
    virtual void text(std::string_view bytes, CharFormat format) = 0;
    virtual void paragraph() = 0;

  protected:
    ~RtfSink() = default;
};

// A streaming reader: state (formatting, open groups) carries from one feed to the next, as it
// does from one paragraph to the next in the document. Never fails; what it does not know it
// skips without dropping the text around it.
class RtfInterpreter {
  public:
    void reset();
    void feed(std::string_view in, RtfSink& sink);
    CharFormat format() const { return cur_.format; }
    std::size_t depth() const { return stack_.size() + overflow_; }

  private:
    struct Group {
        CharFormat format;
        bool skip = false;  // inside a destination whose text is not shown
        std::uint8_t uc = 1;
    };
    void emit(std::string_view bytes, RtfSink& sink);
    void controlWord(std::string_view word, bool hasParam, long param, RtfSink& sink);
    void push();
    void pop();

    Group cur_;
    std::vector<Group> stack_;
    std::size_t overflow_ = 0;  // groups opened beyond the depth we keep state for
    bool groupStart_ = false;   // the next token is the first of a group
    unsigned skipChars_ = 0;    // fallback characters still to drop after \u
};

}  // namespace orva
