// Fakes of the platform doors: a manual clock that fires due timers, a scripted dialog answerer,
// an in-memory TCP client and recorders for sound, shell and the application.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "base/env.h"

namespace orva::test {

class ManualClock;

class FakeTimer : public ITimer {
  public:
    explicit FakeTimer(ManualClock& clock) : clock_(clock) {}
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool on) override;
    bool enabled() const override { return enabled_; }
    void onTick(std::function<void()> tick) override { tick_ = std::move(tick); }

  private:
    friend class ManualClock;
    ManualClock& clock_;
    int interval_ = 0;
    bool enabled_ = false;
    std::uint64_t due_ = 0;
    std::function<void()> tick_;
};

// Time stands still until a test advances it; due timers then fire in order of their due time.
class ManualClock : public IClock, public ITimerFactory {
  public:
    ~ManualClock() override;
    std::uint32_t tickCount() const override { return static_cast<std::uint32_t>(now_); }
    LocalTime localTime() const override { return local; }
    // The desktop form of `local`, as a United States desktop writes it (12/7/2026 9:05:03 AM).
    std::string_view dateTimeText() const override;
    std::unique_ptr<ITimer> createTimer() override;
    void advance(std::uint64_t ms);
    std::uint64_t now() const { return now_; }

    LocalTime local{2026, 12, 7, 9, 5, 3, 0};

  private:
    friend class FakeTimer;
    std::uint64_t now_ = 0;
    std::vector<FakeTimer*> timers_;
    mutable char text_[64] = {};
    mutable std::size_t textSize_ = 0;
    mutable LocalTime textOf_{-1, -1, -1, -1, -1, -1, -1};  // the time text_ holds
};

// Records the notifications raised and the tray's tooltip.
class FakeNotifier : public INotifier {
  public:
    void notify(const std::string& summary, const std::string& body) override {
        shown.push_back({summary, body});
    }
    void setTrayToolTip(const std::string& text) override { toolTip = text; }

    std::vector<std::pair<std::string, std::string>> shown;
    std::string toolTip;
};

struct DialogCall {
    std::string text, title;
    MsgIcon icon;
    MsgButtons buttons;
};

// Records every box and answers from a script (default: OK / Yes / the input "Tester").
class FakeDialogs : public IDialogs {
  public:
    MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& initial = {}) override;

    std::vector<DialogCall> calls;
    std::deque<MsgResult> answers;
    std::deque<std::optional<std::string>> inputs;
    std::vector<std::string> initials;  // the field's starting text of each input box
    std::function<void()> duringBox;    // runs while a box is "open"
};

class FakeTcp : public ITcpClient {
  public:
    void setEvents(TcpEvents events) override { events_ = std::move(events); }
    void Connect(const std::string& host, std::uint16_t port) override;
    void Close() override {
        state = sckClosed;
        ++closes;
    }
    void SendData(const std::string& bytes) override { sent += bytes; }
    int State() const override { return state; }
    std::string RemoteHostIP() const override { return remoteIp; }
    std::uint16_t RemotePort() const override { return remotePort; }

    // Test side.
    void acceptConnection();  // state 7, then the connect event
    void deliver(const std::string& bytes);
    void peerClose();
    void fail(int number = 10061, std::string text = "Connection is forcefully rejected");

    int state = sckClosed;
    std::string host;
    std::uint16_t port = 0;
    std::string remoteIp = "127.0.0.1";
    std::uint16_t remotePort = 5400;
    std::string sent;
    int connects = 0;
    int closes = 0;

  private:
    TcpEvents events_;
};

class FakeUdp : public IUdpSocket {
  public:
    void setEvents(UdpEvents events) override { events_ = std::move(events); }
    void Resolve(const std::string& host, std::function<void(bool found)> done) override {
        if (holdLookups)
            lookups.push_back({host, std::move(done)});
        else
            done(!failLookups);
    }
    void SendTo(const std::string& host, std::uint16_t port, const std::string& bytes) override {
        sent.push_back({host, port, bytes});
        if (failSends && events_.onError) events_.onError(11001, "Host not found");
    }
    void deliver(const std::string& bytes) {
        if (events_.onDatagram) events_.onDatagram(bytes);
    }
    void readError() {
        if (events_.onReadError) events_.onReadError(10054, "Connection reset by peer");
    }
    bool failSends = false;    // every send reports an error at once
    bool failLookups = false;  // every name has no address
    bool holdLookups = false;  // lookups wait in `lookups` until the test answers them
    struct Lookup {
        std::string host;
        std::function<void(bool found)> done;
    };
    std::vector<Lookup> lookups;
    struct Datagram {
        std::string host;
        std::uint16_t port;
        std::string bytes;
    };
    std::vector<Datagram> sent;

  private:
    UdpEvents events_;
};

struct FakeSound : ISound {
    void play(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};

struct FakeShell : IShell {
    void open(const std::string& link) override { opened.push_back(link); }
    std::vector<std::string> opened;
};

struct FakeFonts : IFonts {
    std::vector<std::string> installedFonts() const override { return fonts; }
    std::vector<std::string> fonts{"Arial", "Courier New", "Tahoma"};
};

struct FakeApp : IApp {
    std::string programFolder() const override { return folder; }
    bool previousInstance() const override { return another; }
    bool previousInstanceIn(const std::string& home) const override {
        instanceHome = home;
        return another;
    }
    std::optional<std::string> environmentVariable(const std::string& name) const override {
        const auto it = environment.find(name);
        if (it == environment.end()) return std::nullopt;
        return it->second;
    }
    void end() override { ++ends; }
    std::string folder;
    bool another = false;
    std::map<std::string, std::string> environment;  // empty: no variable set
    mutable std::string instanceHome;                // the folder the last instance test named
    int ends = 0;
};

// Whether the tests run with the rights to write what is write-protected.
bool runningAsRoot();

// A fresh temporary folder, removed with the object. Paths are UTF-8 bytes, as in the program.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }  // ends in '/'
    std::string file(const std::string& name) const { return path_ + name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

  private:
    std::string path_;
};

// Everything a main-window test needs: fakes, a temporary program folder and the form.
struct World {
    World();
    TempDir dir;
    ManualClock clock;
    FakeDialogs dialogs;
    FakeSound sound;
    FakeShell shell;
    FakeFonts fonts;
    FakeApp app;
    Env env{dialogs, clock, clock, sound, shell, fonts, app};
    FakeTcp* tcp = nullptr;  // owned by the form
    FakeUdp* udp = nullptr;
    std::unique_ptr<FrmMain> form;
    FrmMain& f() { return *form; }

    // The start of every scripted session: the connection's handlers wired, one zone ("Alpha")
    // selected, the login fields filled ("Ann", "pw"), connected and accepted by the server.
    void connectToOneZone();
    // Delivers the bytes and runs the loop's turns until every received line is handled.
    void deliverAndDrain(const std::string& bytes);
};

}  // namespace orva::test
