// What the tool does differently where players run it: a Windows console
// opened by a double-click closes as soon as the program ends, paths may hold
// any letters, and the tool is found by its own folder.
#pragma once

#include "pellimore/common/keyboard_layout.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// Sets the output up so every letter arrives intact: a Windows console gets
// Unicode (its code page left as the player had it), anything else UTF-8.
void prepareConsole();

// One line the player typed, as UTF-8 and without its line end; from a
// Windows console in any letters ("да"), whatever its code page.
std::string readAnswerLine(std::istream& in);

// The languages the player reads, most preferred first, as tags ("de-DE"):
// Windows' display languages, or elsewhere LANGUAGE, LC_ALL, LC_MESSAGES, LANG.
std::vector<std::string> preferredLanguages();

// The keyboard layouts the player types on, the one in use first: on Windows
// each of GetKeyboardLayoutList, with its walking keys as the layout maps the
// positions of QWERTY's W, A, S and D; elsewhere the layout of the first
// preferred language.
std::vector<PlayerLayout> systemKeyboardLayouts();

// Whether this run has a console window of its own that closes when it ends
// (double-clicked, or a file dropped onto it), with a player at the keyboard.
// Never true when run from a terminal or with its input redirected, as in tests.
bool consoleOpenedForThisRun();

// Paths as UTF-8 text, both ways. A path built from a plain string would be
// read in the C library's code page on Windows and garble other letters.
std::filesystem::path pathFromText(const std::string& text);
std::string textFromPath(const std::filesystem::path& path);

// A file's bytes, whole; none when it cannot be opened.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// The folder the running program is in.
std::filesystem::path toolDirectory();

// The running program's own file name: "pellimore.exe" on Windows.
std::filesystem::path toolFileName();

// Whether Windows marks the file as downloaded from the internet (its
// Zone.Identifier stream names zone 3 or 4); none where there is no such
// stream or it cannot be read, so nothing is guessed.
std::optional<bool> markedAsDownloaded(const std::filesystem::path& file);

// The folder where the tools keep what they remember between runs, in the
// player's profile: %LOCALAPPDATA%\Pellimore on Windows, elsewhere
// $XDG_STATE_HOME/Pellimore or ~/.local/state/Pellimore; empty where there is none.
std::filesystem::path toolStateFolder();

// Whether the file is read-only: its attribute on Windows, elsewhere no write
// permission for anyone. An edit saved into such a file does not stick.
bool isReadOnlyFile(const std::filesystem::path& file);

// The player's Downloads folder, where a browser saves: Windows' known folder,
// elsewhere $XDG_DOWNLOAD_DIR or ~/Downloads; empty where there is none.
std::filesystem::path downloadsFolder();
