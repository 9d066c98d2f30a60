#include "support/fakes.h"

#include "app/connection.h"
#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/transport.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <tuple>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace orva::test {

void FakeTimer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) due_ = clock_.now_ + static_cast<std::uint64_t>(interval_);
}

void FakeTimer::setEnabled(bool on) {
    enabled_ = on;
    if (on) due_ = clock_.now_ + static_cast<std::uint64_t>(interval_);
}

ManualClock::~ManualClock() = default;

std::string_view ManualClock::dateTimeText() const {
    const auto fields = [](const LocalTime& t) {
        return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second);
    };
    if (fields(local) != fields(textOf_)) {  // formatted only when the time was changed
        const int hour12 = local.hour % 12 == 0 ? 12 : local.hour % 12;
        const int n = std::snprintf(text_, sizeof text_, "%d/%d/%d %d:%02d:%02d %s", local.month,
                                    local.day, local.year, hour12, local.minute, local.second,
                                    local.hour < 12 ? "AM" : "PM");
        textSize_ = static_cast<std::size_t>(std::clamp(n, 0, int{sizeof text_} - 1));
        textOf_ = local;
    }
    return {text_, textSize_};
}

std::unique_ptr<ITimer> ManualClock::createTimer() {
    auto t = std::make_unique<FakeTimer>(*this);
    timers_.push_back(t.get());
    return t;
}

void ManualClock::advance(std::uint64_t ms) {
    const std::uint64_t end = now_ + ms;
    // Bounded: a timer with interval 0 fires once per millisecond step at most.
    for (int guard = 0; guard < 1000000; ++guard) {
        FakeTimer* next = nullptr;
        for (FakeTimer* t : timers_) {
            if (t->enabled_ && t->due_ <= end && (!next || t->due_ < next->due_)) next = t;
        }
        if (!next) break;
        now_ = std::max(now_, next->due_);
        next->due_ = now_ + static_cast<std::uint64_t>(next->interval_);
        if (next->tick_) next->tick_();
        // A zero-interval timer stands for "the next turn of the event loop": one turn per ms.
        if (next->due_ <= now_) next->due_ = now_ + 1;
    }
    now_ = end;
}

MsgResult FakeDialogs::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                  MsgButtons buttons) {
    calls.push_back({text, title, icon, buttons});
    if (duringBox) duringBox();
    if (!answers.empty()) {
        const MsgResult r = answers.front();
        answers.pop_front();
        return r;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                              : MsgResult::Ok;
}

std::optional<std::string> FakeDialogs::inputBox(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& initial) {
    calls.push_back({prompt, title, MsgIcon::None, MsgButtons::OkCancel});
    initials.push_back(initial);
    if (!inputs.empty()) {
        auto r = inputs.front();
        inputs.pop_front();
        return r;
    }
    return std::string("Tester");
}

void FakeTcp::Connect(const std::string& h, std::uint16_t p) {
    host = h;
    port = p;
    state = sckConnecting;
    ++connects;
}

void FakeTcp::acceptConnection() {
    state = sckConnected;
    if (events_.onConnect) events_.onConnect();
}

void FakeTcp::deliver(const std::string& bytes) {
    if (events_.onDataArrival) events_.onDataArrival(bytes);
}

void FakeTcp::peerClose() {
    state = sckClosing;
    if (events_.onClose) events_.onClose();
}

void FakeTcp::fail(int number, std::string text) {
    state = sckError;
    if (events_.onError) events_.onError(number, std::move(text));
}

bool runningAsRoot() {
#ifdef _WIN32
    return false;  // no account there writes through a read-only flag
#else
    return ::geteuid() == 0;
#endif
}

TempDir::TempDir() {
    static std::mt19937_64 rng{std::random_device{}()};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const std::filesystem::path candidate = base / ("orva-test-" + std::to_string(rng()));
        if (std::filesystem::create_directory(candidate)) path_ = files::pathBytes(candidate) + "/";
    }
    if (path_.empty()) throw std::runtime_error("no temporary folder could be made");
}

TempDir::~TempDir() {
    std::error_code ec;
    const std::filesystem::path path = files::nativePath(path_);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path, ec);
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(files::nativePath(file(name)), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDir::read(const std::string& name) const {
    std::ifstream in(files::nativePath(file(name)), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

World::World() {
    app.folder = dir.path();
    auto t = std::make_unique<FakeTcp>();
    auto u = std::make_unique<FakeUdp>();
    tcp = t.get();
    udp = u.get();
    form = std::make_unique<FrmMain>(env, std::move(t), std::move(u));
    form->AppFolder = dir.path();
    form->ConfigPath = dir.path() + "Config.ini";
}

void World::connectToOneZone() {
    FrmMain& m = f();
    wireCoreHandlers(m);
    m.zones.Zones.push_back({"Alpha", "127.0.0.1", 5000, 0, 0});
    m.zones.ZoneCount = 1;
    m.lstZones.AddItem("Alpha");
    m.lstZones.ListIndex.set(0);
    m.txtUser.Text.set("Ann");
    m.txtPass.Text.set("pw");
    Connect_It(m);
    tcp->acceptConnection();
}

void World::deliverAndDrain(const std::string& bytes) {
    tcp->deliver(bytes);
    while (transportOf(f()).inbound.continuationPending())
        clock.advance(0);
}

}  // namespace orva::test
