#include "core/home_folder.h"

#include "platform/files.h"
#include "platform/system.h"

namespace orva {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// Only absolute folders count: a relative one would move with the working folder. A Windows
// folder starts with its drive (C:\) or its server (\\server\share).
std::optional<std::string> absoluteFolder(const std::optional<std::string>& value) {
    if (!value || value->empty()) return std::nullopt;
    const std::string& v = *value;
    const bool drive = v.size() > 2 && v[1] == ':' && isSeparator(v[2]) &&
                       ((v[0] >= 'A' && v[0] <= 'Z') || (v[0] >= 'a' && v[0] <= 'z'));
    const bool server = v.size() > 2 && v[0] == '\\' && v[1] == '\\';
    if (v.front() != '/' && !drive && !server) return std::nullopt;
    std::string folder = v;
    while (folder.size() > 1 && isSeparator(folder.back()))
        folder.pop_back();
    return folder == "/" ? "" : folder;
}

}  // namespace

std::string installedBundle(const std::string& programFolder) {
    std::string prefix = programFolder;
    while (!prefix.empty() && (prefix.back() == '/' || prefix.back() == '\\'))
        prefix.pop_back();
    const std::size_t cut = prefix.find_last_of("/\\");
    prefix.resize(cut == std::string::npos ? 0 : cut);
    return prefix + "/share/orva/";
}

Home chooseHome(const HomeFacts& facts) {
    if (facts.programFolderWritable && !facts.installed) return {facts.programFolder, ""};
    // Only Windows sets LOCALAPPDATA, and there it is the place for a program's own files.
    std::optional<std::string> data = absoluteFolder(facts.localAppData);
    if (!data) data = absoluteFolder(facts.xdgDataHome);
    if (!data) {
        const std::optional<std::string> home = absoluteFolder(facts.userHome);
        if (home) data = *home + "/.local/share";
    }
    if (!data) return {facts.programFolder, ""};
    return {*data + "/orva/",
            facts.installed ? installedBundle(facts.programFolder) : facts.programFolder};
}

HomeFacts homeFacts(const IApp& app, const std::string& programFolder) {
    HomeFacts facts;
    facts.programFolder = programFolder;
    facts.programFolderWritable = files::isWritableFolder(programFolder);
    facts.installed = !files::exists(programFolder + "zone.dat") &&
                      files::exists(installedBundle(programFolder) + "zone.dat");
    facts.xdgDataHome = app.environmentVariable("XDG_DATA_HOME");
    facts.userHome = app.environmentVariable("HOME");
    facts.localAppData = app.environmentVariable("LOCALAPPDATA");
    return facts;
}

bool prepareHome(const Home& home) {
    if (!files::createDirectories(home.folder)) return false;
    if (home.bundle.empty() || home.bundle == home.folder) return true;
    for (const char* name : kBundledFiles) {
        if (!files::exists(home.folder + name))
            files::copyNewFile(home.bundle + name, home.folder + name);
    }
    return true;
}

}  // namespace orva
