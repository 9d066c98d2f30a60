// The door to the rest of the desktop: sound, the shell, fonts and the running application.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orva {

class ISound {
  public:
    virtual ~ISound() = default;
    // Starts playing the file and returns at once; a file that cannot be played gives the
    // platform's default beep instead.
    virtual void play(const std::string& path) = 0;
};

class IShell {
  public:
    virtual ~IShell() = default;
    // Opens a link with the user's default program for it. Failures are not reported.
    virtual void open(const std::string& link) = 0;
};

class IFonts {
  public:
    virtual ~IFonts() = default;
    virtual std::vector<std::string> installedFonts() const = 0;
};

class IApp {
  public:
    virtual ~IApp() = default;
    // The folder of the executable, as the platform spells it, ending in its separator.
    virtual std::string programFolder() const = 0;
    // Whether another instance started from the same program folder is running.
    virtual bool previousInstance() const = 0;
    // Whether another instance keeping its files in the given home folder is running.
    virtual bool previousInstanceIn(const std::string& home) const {
        (void)home;
        return previousInstance();
    }
    // The value of an environment variable, or nothing when it is not set.
    virtual std::optional<std::string> environmentVariable(const std::string& name) const {
        (void)name;
        return std::nullopt;
    }
    // Ends the program at once, without further events.
    virtual void end() = 0;
    // Major and minor version numbers of the program.
    virtual int versionMajor() const { return 1; }
    virtual int versionMinor() const { return 2; }
    // Twips per pixel of the screen (15 at 96 dpi).
    virtual int twipsPerPixelX() const { return 15; }
    virtual int twipsPerPixelY() const { return 15; }
};

}  // namespace orva
