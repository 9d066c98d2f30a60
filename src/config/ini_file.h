// Our own reader and writer of the Windows ini format: reads as a Windows program would, writes
// files any Windows ini reader reads back the same, and keeps every line it does not change.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orva::ini {

// Longest value handed back by a read; longer values are cut, as the Windows call does.
inline constexpr std::size_t kMaxValue = 254;

// The value of key in the first section named section (names compared ignoring case, blanks
// around them ignored), from the text of an ini file. Empty when missing. Not cut to kMaxValue.
std::string lookup(std::string_view text, std::string_view section, std::string_view key);

// Whether a name can be written as a key: not empty, no "=", CR, LF or NUL, no blanks at either
// end, and not starting with "[" or ";" (such a line would read back as a section or a comment).
bool isUsableKey(std::string_view key);
// Whether a name can be written as a section: not empty, no "]", CR, LF or NUL, no outer blanks.
bool isUsableSection(std::string_view section);

// The text with the change applied, or nothing when the names cannot be written. No value
// deletes key (every copy of it in the first matching section); no key deletes every section of
// that name. Values with outer blanks or outer matching quotes are quoted so they read back
// unchanged; a value is cut at its first line break.
std::optional<std::string> apply(std::string_view text, std::string_view section,
                                 const std::optional<std::string>& key,
                                 const std::optional<std::string>& value);

// Case-insensitive equality for code page 1252 text, as the Windows ini calls compare names.
bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace orva::ini
