// Code page 1252 at the edge: logic bytes to Qt strings for display, typed text back to bytes.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace orva {

QString fromCp1252(std::string_view bytes);
// Characters outside the code page become "?".
std::string toCp1252(const QString& text);
// The Unicode character of one byte (the five unassigned bytes map to themselves).
char16_t cp1252Char(unsigned char byte);

}  // namespace orva
