// Text pasted into the input line with line breaks in it: sent line by line, or joined into one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orva {

struct FrmMain;

// The non-empty lines of the text; CR, LF and CR LF each end a line.
std::vector<std::string> pastedLines(std::string_view text);
// The text with every run of line breaks replaced by one blank.
std::string joinPastedLines(std::string_view text);

// A paste into txtOut. `insert` holds the pasted text on entry and what the input line should
// insert on return; nothing means the lines were sent and the input line stays as it was. Text
// without a line break is left alone.
void txtOut_Paste(FrmMain& f, const std::string& text, std::optional<std::string>& insert);

}  // namespace orva
