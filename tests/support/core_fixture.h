// A main window wired to the fakes, with one zone to connect to, and a recorder of the lines the
// chat view shows.
#pragma once

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/connection.h"
#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/transport.h"
#include "logging/chat_log.h"
#include "support/fakes.h"
#include "view/chat_lines.h"
#include "view/chat_view.h"

namespace orva::test {

// A line of the chat view: the colour it starts in and its shown (unescaped) text.
struct Shown {
    std::uint8_t colour;
    std::string text;
    bool operator==(const Shown&) const = default;
};

inline void PrintTo(const Shown& s, std::ostream* os) {
    *os << int(s.colour) << ":" << s.text;
}

struct CoreWorld : World {
    CoreWorld() {
        FrmMain& m = f();
        wireCoreHandlers(m);
        m.zones.Zones.push_back({"Alpha", "10.0.0.1", 5000, 0, 0});
        m.zones.Zones.push_back({"Beta", "10.0.0.2", 6000, 0, 0});
        m.zones.ZoneCount = 2;
        m.lstZones.AddItem("Alpha");
        m.lstZones.AddItem("Beta");
        m.menu_Zone.push_back(std::make_unique<MenuItem>("Beta"));
        m.menu_Zone[0]->Caption.set("Alpha");
        m.lstZones.ListIndex.set(0);
        m.txtUser.Text.set("Ann");
        m.txtPass.Text.set("pw");
        m.txtLog.appended.connect([this](bool) { shown.push_back(lastShown()); });
    }

    // Connect_It and the server's accept.
    void connect() {
        Connect_It(f());
        tcp->acceptConnection();
    }
    // Connected, logged in as name, in arena "0" on the given frequency.
    void enterArena(std::int16_t freq = 8025, const std::string& name = "Ann") {
        connect();
        tcp->deliver("LOGINOK:" + name + "\n");
        tcp->deliver("INARENA:0:" + std::to_string(freq) + "\n");
    }
    // Runs the event loop until nothing waits on a zero-interval continuation.
    void settle() { clock.advance(1000); }

    std::vector<std::string> sentLines() const {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t lf; (lf = tcp->sent.find('\n', start)) != std::string::npos;
             start = lf + 1)
            out.push_back(tcp->sent.substr(start, lf - start));
        return out;
    }
    // Trace lines without their time stamp ("12/7/2026 9:05:03 AM ": the fake clock stands still).
    std::vector<std::string> trace() const {
        const std::string stamp = std::string(clock.dateTimeText()) + " ";
        std::vector<std::string> out;
        for (const auto& line : form->frmLog.lines)
            out.push_back(line.rfind(stamp, 0) == 0 ? line.substr(stamp.size()) : line);
        return out;
    }
    bool traced(const std::string& line) const {
        const auto lines = trace();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::vector<std::string> list() const {
        const auto& l = form->lstUsers;
        std::vector<std::string> out;
        for (std::int16_t i = 0; i < l.ItemCount; ++i)
            out.push_back(l.item(i));
        return out;
    }
    std::vector<std::string> rosterNames() const {
        std::vector<std::string> out;
        for (int i = 0; i < form->roster.PlayerCount; ++i)
            out.push_back(form->roster.records[static_cast<size_t>(i)].Name);
        return out;
    }
    void clearRecords() {
        shown.clear();
        tcp->sent.clear();
        form->frmLog.lines.clear();
        dialogs.calls.clear();
    }

    // The newest line of the chat view, as it is shown.
    Shown lastShown() const {
        const StyledLine line = form->txtLog.line(form->txtLog.lineCount() - 1);
        const std::uint8_t colour = line.runs.empty() ? 0 : line.runs.front().format.colour;
        return {colour, std::string(line.text)};
    }

    std::vector<Shown> shown;  // every line appended to the chat view, in order
};

}  // namespace orva::test
