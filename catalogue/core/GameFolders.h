// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mosgrid {

// How a start of the game keeps its files.
enum class RunMode {
    Portable,   // everything lies in the program's folder (a build folder, an unpacked copy)
    Installed,  // bundled data in the install's data folder, the player's files in their data folder
};

// Where the game reads its pictures and keeps the player's files (the catalogue file "mg.bd" and
// the last-game file "lastcrw.sav"). Everything that touches a file takes one of these; only the
// start decides it (ChooseGameFolders).
struct GameFolders {
    RunMode mode = RunMode::Portable;
    // The folders of pictures in priority order: the player's own first, the bundled ones last. A
    // picture in an earlier folder hides one of the same puzzle name in a later folder.
    std::vector<std::filesystem::path> pictures;
    // Where mg.bd and lastcrw.sav lie.
    std::filesystem::path playerFiles;
    // Where the rules page "mosgrid.htm" is looked for, in order.
    std::vector<std::filesystem::path> pages;

    GameFolders() = default;
    // One folder holding everything, as a portable game has it. A folder may stand wherever
    // folders are asked for (tests, tools working on one folder).
    GameFolders(std::filesystem::path folder);  // NOLINT(google-explicit-constructor)

    // The folder a player puts pictures of their own into: the first picture folder.
    std::filesystem::path PlayerPictures() const { return pictures.empty() ? playerFiles : pictures.front(); }
};

// The folder name under the player's data folder: the name Qt's AppDataLocation gives the game
// (its application name, with no organisation name set).
inline constexpr const char* kPlayerFolderName = "Mosgrid";
// The folder of the player's own pictures inside the player's folder.
inline constexpr const char* kPlayerPicturesName = "puzzles";
inline constexpr const char* kRulesPageName = "mosgrid.htm";

// Reads one environment variable: nothing when it is not set.
using Environment = std::function<std::optional<std::string>(const char* name)>;
// The process's own environment.
std::optional<std::string> ProcessEnvironment(const char* name);

// The player's data home as the XDG base directories define it: $XDG_DATA_HOME when it is an
// absolute path, else $HOME/.local/share (the home from the password database when HOME is not
// set). Empty when no home can be found.
std::filesystem::path DataHome(const Environment& environment = ProcessEnvironment);

// The player's own folder: DataHome()/Mosgrid, which is what the game's
// QStandardPaths::AppDataLocation names. Empty when no home can be found.
std::filesystem::path PlayerFolder(const Environment& environment = ProcessEnvironment);

// The install's data folder that belongs to a program folder (for /usr/bin: /usr/share/mosgrid),
// from the install's layout the build was configured with.
std::filesystem::path InstalledDataFolder(const std::filesystem::path& programFolder);

// Whether this process may create files in `folder` (a real test of the process's rights, not of
// the mode bits alone). An empty path is the current folder.
bool IsWritableFolder(const std::filesystem::path& folder);

// The decision a start makes. Portable when the program's folder is writable and no install's
// data folder lies beside it (`dataFolder`); installed otherwise: the player's pictures in
// PlayerFolder()/puzzles, then the bundled ones from `dataFolder` (or, without it, from the
// program's folder); mg.bd and lastcrw.sav in PlayerFolder(); the rules page beside the program
// or in the data folder. Installed without a player folder (no home) falls back to portable.
GameFolders ChooseGameFolders(const std::filesystem::path& programFolder, const std::filesystem::path& dataFolder,
                              const Environment& environment = ProcessEnvironment);

// ChooseGameFolders for the program running now: its folder (GetProgramFolder) and the data
// folder of its install. A command-line tool installed beside the game gets the game's folders.
GameFolders GameFoldersOfThisProgram(const Environment& environment = ProcessEnvironment);

// Creates the player's folders of an installed game (files and own pictures) when missing; false
// when they cannot be made (the game still runs, and a failed save says where it wanted to write).
bool MakePlayerFolders(const GameFolders& folders);

// The rules page: the first existing "mosgrid.htm" of `pages`; empty when there is none.
std::filesystem::path RulesPagePath(const GameFolders& folders);

}  // namespace mosgrid
