// Message boxes, the input box, sound cues, the shell, installed fonts and the running program.
#pragma once

#include <QLockFile>
#include <QPointer>
#include <QSoundEffect>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/system.h"

namespace orva {

class QtDialogs : public IDialogs {
  public:
    MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons = MsgButtons::Ok) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& initial = {}) override;
};

// Message texts break lines with CR LF (or a lone CR or LF); a widget wants "\n".
QString dialogText(const std::string& bytes);

class QtSound : public ISound {
  public:
    // The beep is replaceable so tests can hear it.
    explicit QtSound(std::function<void()> beep = {});
    ~QtSound() override;
    void play(const std::string& path) override;

  private:
    std::function<void()> beep_;
    std::unique_ptr<QSoundEffect> current_;  // a new cue cuts the one still playing
};

class QtShell : public IShell {
  public:
    void open(const std::string& link) override;
};

class QtFonts : public IFonts {
  public:
    std::vector<std::string> installedFonts() const override;
};

// A path as the logic's file access takes it: UTF-8 on every system (the file system's own bytes
// elsewhere; on Windows the logic turns it into wide characters, not the ANSI code page). And back.
std::string pathBytes(const QString& path);
QString pathFromBytes(const std::string& bytes);

// A folder as the file system spells it (its own bytes), ending in its separator.
std::string folderPath(const QString& folder);

class QtApp : public IApp {
  public:
    // The folder is given in the file system's bytes. Without one, the executable's folder. Without
    // an end action, the program really ends.
    explicit QtApp(std::optional<std::string> folder = {}, std::function<void()> onEnd = {});
    ~QtApp() override;
    std::string programFolder() const override;
    bool previousInstance() const override;
    // The lock is taken for the first folder asked about and held for the whole run.
    bool previousInstanceIn(const std::string& home) const override;
    std::optional<std::string> environmentVariable(const std::string& name) const override;
    void end() override;

  private:
    std::optional<std::string> folder_;
    std::function<void()> onEnd_;
    mutable std::unique_ptr<QLockFile> lock_;
    mutable std::optional<bool> previous_;
};

// Where the single-instance lock of a program folder lives.
QString instanceLockPath(const std::string& programFolder);

}  // namespace orva
