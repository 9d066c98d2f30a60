// For end-to-end tests: a temporary program folder whose zone.dat names a zone simulator on
// 127.0.0.1, the client started from it as main() starts it, and its real window.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/handlers.h"
#include "app/startup.h"
#include "e2e/recording_dialogs.h"
#include "qt/chat_view_widget.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"
#include "zonesim.h"

namespace orva {

// Replaces a field's text by typing, as a user who selects it all first.
inline void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// A program folder whose zone.dat names the simulator, the client started from it, the window.
class ClientWorld {
  public:
    // realBoxes: the program's own modal message boxes instead of the recording answerer.
    explicit ClientWorld(zonesim::Options options, const std::string& config = {},
                         bool realBoxes = false)
        : realBoxes_(realBoxes) {
        options.port = 0;
        sim_ = std::make_unique<zonesim::Server>(std::move(options));
        started = sim_->start();
        write("zone.dat", "Local demo zone,127.0.0.1," + std::to_string(sim_->port()) + "\r\n");
        write("Config.ini",
              config.empty() ? "[Config]\r\nVersion=1.1\r\nKillMsgs=1\r\n[User0]\r\nname=Tester\r\n"
                             : config);
        form_ = std::make_unique<FrmMain>(env_, std::make_unique<QtTcpClient>(),
                                          std::make_unique<QtUdpSocket>());
        StartUp(*form_);
        window_ = std::make_unique<MainWindow>(*form_);
        wireHandlers(*form_);
        loaded = Form_Load(*form_);
        window_->show();
    }
    ~ClientWorld() {
        if (const char* stem = std::getenv("ORVA_SCREENSHOT"))
            window_->grab().save(QString::fromLocal8Bit(stem) + QStringLiteral("-chat.png"));
        form_->sckClient->Close();
    }

    FrmMain& f() { return *form_; }
    MainWindow& window() { return *window_; }
    zonesim::Server& sim() { return *sim_; }
    const MainWindow::Widgets& ui() const { return window_->ui(); }

    // Types the password and presses Connect, as a user would.
    void connectAs(const QString& password = QStringLiteral("secret")) {
        QTest::keyClicks(ui().txtPass, password);
        QTest::mouseClick(ui().cmdConnect, Qt::LeftButton);
    }
    bool inArena(int timeoutMs = 5000) {
        return zonesim::pumpUntil([&] { return !f().ArenaName.empty() || !dialogs.shown.empty(); },
                                  timeoutMs) &&
               !f().ArenaName.empty();
    }
    std::vector<std::string> list() const {
        std::vector<std::string> out;
        for (std::int16_t i = 0; i < form_->lstUsers.listCount(); ++i)
            out.push_back(form_->lstUsers.item(i));
        return out;
    }
    // The list entry the arena's PLAYER lines call for: own team when on our frequency.
    std::vector<std::string> expectedBots() {
        std::vector<std::string> out;
        for (const QByteArray& line : sim_->sent(sim_->findClient("Tester"))) {
            const auto fields = line.trimmed().split(':');
            if (fields.size() == 4 && fields[0] == "PLAYER")
                out.push_back((fields[3].toInt() == form_->SelfFreq ? "\\t" : "\\e") +
                              fields[1].toStdString());
        }
        return out;
    }
    // The protocol trace without time stamps (the desktop's date and time: as many words as the
    // clock's text has now).
    std::vector<std::string> trace() const {
        const std::string_view stamp = form_->env.clock.dateTimeText();
        const auto words = std::count(stamp.begin(), stamp.end(), ' ') + 1;
        std::vector<std::string> out;
        for (const auto& line : form_->frmLog.lines) {
            std::size_t at = 0;
            for (auto i = 0; i < words && at != std::string::npos; ++i)
                at = line.find(' ', at == 0 ? 0 : at + 1);
            out.push_back(at == std::string::npos ? line : line.substr(at + 1));
        }
        return out;
    }
    bool traced(const std::string& line) const {
        const auto t = trace();
        return std::find(t.begin(), t.end(), line) != t.end();
    }
    bool listed(const std::string& entry) const {
        const auto l = list();
        return std::find(l.begin(), l.end(), entry) != l.end();
    }
    bool shows(const std::string& text) const {
        return form_->txtLog.Text().find(text) != std::string::npos;
    }
    bool waitShows(const std::string& text, int timeoutMs = 5000) {
        return zonesim::pumpUntil([&] { return shows(text); }, timeoutMs);
    }
    // Connects and waits for the arena; `me` is then our connection at the simulator.
    bool enterArena() {
        connectAs();
        if (!inArena()) return false;
        me = sim_->findClient("Tester");
        return me > 0;
    }
    ChatViewWidget& view() { return *window_->ui().txtLog; }
    void settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    RecordingDialogs dialogs;
    bool started = false;
    bool loaded = false;
    int me = 0;

  private:
    void write(const char* name, const std::string& bytes) {
        std::ofstream(folder_.filePath(QString::fromLatin1(name)).toStdString(), std::ios::binary)
            << bytes;
    }

    QTemporaryDir folder_;
    std::unique_ptr<zonesim::Server> sim_;
    std::unique_ptr<QtPlatform> platform_ =
        std::make_unique<QtPlatform>(folder_.path().toStdString(), [] {});
    bool realBoxes_ = false;
    Env env_{realBoxes_ ? static_cast<IDialogs&>(platform_->dialogs) : dialogs,
             platform_->timers,
             platform_->clock,
             platform_->sound,
             platform_->shell,
             platform_->fonts,
             platform_->app};
    std::unique_ptr<FrmMain> form_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace orva
