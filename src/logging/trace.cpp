#include "logging/trace.h"

#include "logging/log_part.h"

namespace orva {

namespace {
// Adds prefix + text, time stamp first; copyOut, when given, receives the line as kept.
void addLine(LogPart& f, std::string_view prefix, std::string_view text,
             std::string* copyOut = nullptr) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    TraceLog& log = f.frmLog;
    // Every received line passes through here: once the trace is full, the line pushed out at
    // the front lends its buffer to the new one, so a long run stops allocating.
    std::string line;
    if (log.lines.size() >= TraceLog::kCapacity) {
        line = std::move(log.lines.front());
        log.lines.pop_front();
        ++log.dropped;
        line.clear();
    }
    // The clock keeps its text while the second lasts: appending it allocates nothing.
    const std::string_view stamp = f.env.clock.dateTimeText();
    line.reserve(stamp.size() + 1 + prefix.size() + text.size());
    line += stamp;
    line += ' ';
    line += prefix;
    line += text;
    if (copyOut) *copyOut = line;
    log.lines.push_back(std::move(line));
    while (log.lines.size() > TraceLog::kCapacity) {
        log.lines.pop_front();
        ++log.dropped;
    }
    log.lineAdded.emit(log.lines.back());
}
}  // namespace

void TraceLine(LogPart& f, std::string& text) {
    std::string traced;
    addLine(f, {}, text, &traced);
    text = std::move(traced);
}

void TraceLine(LogPart& f, std::string&& text) {
    addLine(f, {}, text);  // nobody reads a temporary afterwards
}

void TraceLine(LogPart& f, std::string_view prefix, std::string_view text) {
    addLine(f, prefix, text);
}

void ShowTraceWindow(LogPart& f) {
    f.frmLog.Visible.set(true);
}

bool frmLog_QueryUnload(LogPart& f) {
    f.frmLog.Visible.set(false);
    f.showRequested.emit();
    return true;
}

}  // namespace orva
