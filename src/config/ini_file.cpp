#include "config/ini_file.h"

#include "base/case_fold.h"

#include <vector>

namespace orva::ini {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

enum class Kind { Blank, Comment, Section, Key };

struct Line {
    std::string_view content;  // without its line end
    std::string_view eol;      // "\r\n", "\n", "\r" or empty at the end of the text
    Kind kind = Kind::Blank;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed, quotes not yet stripped
};

Line classify(std::string_view content, std::string_view eol) {
    Line line;
    line.content = content;
    line.eol = eol;
    const std::string_view t = trim(content);
    if (t.empty()) return line;
    if (t.front() == ';') {
        line.kind = Kind::Comment;
        return line;
    }
    if (t.front() == '[') {
        const auto close = t.find(']');
        if (close != std::string_view::npos) {
            line.kind = Kind::Section;
            line.name = trim(t.substr(1, close - 1));
            return line;
        }
    }
    line.kind = Kind::Key;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        line.name = t;
    } else {
        line.name = trim(t.substr(0, eq));
        line.value = trim(t.substr(eq + 1));
    }
    return line;
}

// Calls fn(line) for every line; stops early when fn returns false.
template <class Fn>
void forEachLine(std::string_view text, Fn&& fn) {
    if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        // A plain loop: find_first_of with a set is several times slower, and every ignore
        // test of every received line comes through here.
        std::size_t end = pos;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        std::size_t next = end;
        if (end < size)
            next += (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n') ? 2 : 1;
        if (!fn(classify(text.substr(pos, end - pos), text.substr(end, next - end)))) return;
        pos = next;
    }
}

std::string_view stripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The value as it must stand in the file to read back as given.
std::string formatValue(std::string_view v) {
    const auto brk = v.find_first_of(std::string_view("\r\n\0", 3));
    if (brk != std::string_view::npos) v = v.substr(0, brk);
    const bool outerBlank = !v.empty() && (isBlank(v.front()) || isBlank(v.back()));
    const bool quoted = stripQuotes(v).size() != v.size();
    std::string out;
    out.reserve(v.size() + 2);
    if (outerBlank || quoted) out += '"';
    out += v;
    if (outerBlank || quoted) out += '"';
    return out;
}

bool hasForbidden(std::string_view s, std::string_view forbidden) {
    return s.find_first_of(forbidden) != std::string_view::npos;
}

}  // namespace

bool equalsNoCase(std::string_view a, std::string_view b) {
    return equalsFolded(a, b);
}

bool isUsableKey(std::string_view key) {
    return !key.empty() && trim(key).size() == key.size() && key.front() != '[' &&
           key.front() != ';' && !hasForbidden(key, std::string_view("=\r\n\0", 4));
}

bool isUsableSection(std::string_view section) {
    return !section.empty() && trim(section).size() == section.size() &&
           !hasForbidden(section, std::string_view("]\r\n\0", 4));
}

std::string lookup(std::string_view text, std::string_view section, std::string_view key) {
    section = trim(section);
    key = trim(key);
    if (section.empty() || key.empty()) return {};
    bool inSection = false;
    std::string result;
    forEachLine(text, [&](const Line& line) {
        if (line.kind == Kind::Section) {
            if (inSection) return false;  // only the first section of that name counts
            inSection = equalsNoCase(line.name, section);
        } else if (inSection && line.kind == Kind::Key && equalsNoCase(line.name, key)) {
            result = std::string(stripQuotes(line.value));
            return false;
        }
        return true;
    });
    return result;
}

std::optional<std::string> apply(std::string_view text, std::string_view section,
                                 const std::optional<std::string>& key,
                                 const std::optional<std::string>& value) {
    if (!isUsableSection(section)) return std::nullopt;
    if (key && !isUsableKey(*key)) return std::nullopt;

    const bool bom = text.starts_with(kBom);
    std::vector<Line> lines;
    forEachLine(text, [&](const Line& line) {
        lines.push_back(line);
        return true;
    });

    // Lines [first, end) of the first section of that name; first is its header.
    std::size_t first = lines.size(), end = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Kind::Section) continue;
        if (first == lines.size()) {
            if (equalsNoCase(lines[i].name, section)) first = i;
        } else {
            end = i;
            break;
        }
    }

    std::vector<char> keep(lines.size(), 1);
    std::vector<std::string> replaced(lines.size());  // new text of a line, when non-empty
    std::string inserted;                             // new lines after line insertAfter
    std::size_t insertAfter = lines.size();
    std::string appended;  // new section at the end

    if (!key) {
        bool inMatch = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == Kind::Section) inMatch = equalsNoCase(lines[i].name, section);
            if (inMatch) keep[i] = 0;
        }
    } else if (!value) {
        for (std::size_t i = first; i < end; ++i)
            if (lines[i].kind == Kind::Key && equalsNoCase(lines[i].name, *key)) keep[i] = 0;
    } else if (first == lines.size()) {
        appended.append("[").append(section).append("]\r\n");
        appended.append(*key).append("=").append(formatValue(*value)).append("\r\n");
    } else {
        std::size_t found = end;
        std::size_t lastFilled = first;
        for (std::size_t i = first + 1; i < end; ++i) {
            if (lines[i].kind == Kind::Key && equalsNoCase(lines[i].name, *key)) {
                found = i;
                break;
            }
            if (lines[i].kind != Kind::Blank) lastFilled = i;
        }
        if (found != end) {
            replaced[found] = std::string(lines[found].name) + "=" + formatValue(*value);
        } else {
            insertAfter = lastFilled;
            inserted = *key + "=" + formatValue(*value) + "\r\n";
        }
    }

    std::string out;
    out.reserve(text.size() + inserted.size() + appended.size() + 8);
    if (bom) out += kBom;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!keep[i]) continue;
        const bool isLast = i + 1 == lines.size();
        out += replaced[i].empty() ? lines[i].content : std::string_view(replaced[i]);
        if (!lines[i].eol.empty())
            out += lines[i].eol;
        else if (!replaced[i].empty() || i == insertAfter || (isLast && !appended.empty()))
            out += "\r\n";
        if (i == insertAfter) out += inserted;
    }
    if (!appended.empty()) {
        // A blank line between sections, as a hand-written file would have.
        std::size_t lastKept = lines.size();
        for (std::size_t i = lines.size(); i-- > 0;)
            if (keep[i]) {
                lastKept = i;
                break;
            }
        if (lastKept != lines.size() && lines[lastKept].kind != Kind::Blank) out += "\r\n";
        out += appended;
    }
    return out;
}

}  // namespace orva::ini
