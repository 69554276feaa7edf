// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/core/GameFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "catalogue/core/ProgramFolder.h"

#ifndef MOSGRID_DATA_FROM_PROGRAM
#define MOSGRID_DATA_FROM_PROGRAM "../share/mosgrid"
#endif

namespace mosgrid {
namespace {

bool IsFolder(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

std::filesystem::path HomeFromPasswordDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? std::size_t(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return {};
    return found->pw_dir;
}

}  // namespace

GameFolders::GameFolders(std::filesystem::path folder) : pictures{folder}, playerFiles(folder), pages{folder} {}

std::optional<std::string> ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

std::filesystem::path DataHome(const Environment& environment) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directories ask.
    if (std::optional<std::string> xdg = environment("XDG_DATA_HOME"); xdg && !xdg->empty() && xdg->front() == '/')
        return *xdg;
    std::filesystem::path home;
    if (std::optional<std::string> fromEnvironment = environment("HOME"); fromEnvironment && !fromEnvironment->empty()) {
        home = *fromEnvironment;
    } else {
        home = HomeFromPasswordDatabase();
    }
    return home.empty() ? home : home / ".local" / "share";
}

std::filesystem::path PlayerFolder(const Environment& environment) {
    const std::filesystem::path home = DataHome(environment);
    return home.empty() ? home : home / kPlayerFolderName;
}

std::filesystem::path InstalledDataFolder(const std::filesystem::path& programFolder) {
    return (programFolder / MOSGRID_DATA_FROM_PROGRAM).lexically_normal();
}

bool IsWritableFolder(const std::filesystem::path& folder) {
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    // access() asks the kernel with the process's own rights: it answers for read-only mounts,
    // ACLs and root alike, where the mode bits alone would mislead.
    return IsFolder(where) && ::access(where.c_str(), W_OK | X_OK) == 0;
}

GameFolders ChooseGameFolders(const std::filesystem::path& programFolder, const std::filesystem::path& dataFolder,
                              const Environment& environment) {
    const bool installedDataBeside = IsFolder(dataFolder);
    if (IsWritableFolder(programFolder) && !installedDataBeside) return GameFolders(programFolder);
    const std::filesystem::path player = PlayerFolder(environment);
    if (player.empty()) return GameFolders(programFolder);

    GameFolders folders;
    folders.mode = RunMode::Installed;
    folders.playerFiles = player;
    folders.pictures = {player / kPlayerPicturesName, installedDataBeside ? dataFolder : programFolder};
    folders.pages = {programFolder};
    if (installedDataBeside) folders.pages.push_back(dataFolder);
    return folders;
}

GameFolders GameFoldersOfThisProgram(const Environment& environment) {
    const std::filesystem::path program = GetProgramFolder();
    return ChooseGameFolders(program, InstalledDataFolder(program), environment);
}

bool MakePlayerFolders(const GameFolders& folders) {
    if (folders.mode != RunMode::Installed) return true;
    std::error_code error;
    std::filesystem::create_directories(folders.playerFiles, error);
    if (error) return false;
    std::filesystem::create_directories(folders.PlayerPictures(), error);
    return !error;
}

std::filesystem::path RulesPagePath(const GameFolders& folders) {
    for (const std::filesystem::path& folder : folders.pages) {
        std::error_code error;
        const std::filesystem::path page = folder / kRulesPageName;
        if (std::filesystem::is_regular_file(page, error)) return page;
    }
    return {};
}

}  // namespace mosgrid
