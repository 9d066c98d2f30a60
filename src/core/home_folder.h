// Where the program keeps its files: beside itself when it has a folder of its own to write in,
// otherwise in the user's data folder, filled from the files installed with it.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace orva {

class IApp;

// What the choice of a home depends on, gathered by homeFacts.
struct HomeFacts {
    std::string programFolder;  // ends in a separator
    bool programFolderWritable = false;
    // The program runs from an installed tree: zone.dat lies in ../share/orva/ and not beside it.
    bool installed = false;
    std::optional<std::string> xdgDataHome;   // $XDG_DATA_HOME
    std::optional<std::string> userHome;      // $HOME
    std::optional<std::string> localAppData;  // %LOCALAPPDATA%, set on Windows only
};

struct Home {
    std::string folder;  // Config.ini, zone.dat, the cues and logs/ live here; ends in '/'
    std::string bundle;  // where missing files of a new home come from; empty: nothing to copy
};

// The files a home is given from the bundle when it lacks them.
inline constexpr std::array<const char*, 4> kBundledFiles = {"zone.dat", "pm-received.wav",
                                                             "bong24.wa2", "watched.wav"};

// The installed files of a program in <prefix>/bin/: <prefix>/share/orva/.
std::string installedBundle(const std::string& programFolder);

// A writable folder of a copy of its own is the home, as a portable program's always was. An
// installed program, or one that cannot write beside itself, lives in %LOCALAPPDATA%/orva/ on
// Windows, elsewhere in $XDG_DATA_HOME/orva/ (by default ~/.local/share/orva/). Without a usable
// data folder it stays in the program folder.
Home chooseHome(const HomeFacts& facts);

// Looks at the program folder, its installed tree and the environment.
HomeFacts homeFacts(const IApp& app, const std::string& programFolder);

// Makes the home folder and copies in each bundled file it lacks; files already there are the
// user's and stay as they are. False when the folder could not be made.
bool prepareHome(const Home& home);

}  // namespace orva
