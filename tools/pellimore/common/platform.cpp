#include "pellimore/common/platform.h"

#include <fstream>
#include <iterator>

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::filesystem::path pathFromText(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string textFromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

#ifdef _WIN32
#include <windows.h>

void prepareConsole() { SetConsoleOutputCP(CP_UTF8); }

bool consoleOpenedForThisRun() {
    DWORD processes[2];
    DWORD mode = 0;
    // A console shared with a shell lists the shell too; one opened for us lists only us.
    return GetConsoleProcessList(processes, 2) == 1 && GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode);
}

std::filesystem::path toolFileName() { return "pellimore.exe"; }

std::optional<bool> markedAsDownloaded(const std::filesystem::path& file) {
    // The mark is an alternate stream of the file, "name:Zone.Identifier", holding "ZoneId=3" for the internet.
    std::ifstream stream(std::filesystem::path(file.wstring() + L":Zone.Identifier"), std::ios::binary);
    if (!stream.is_open()) return std::nullopt;
    for (std::string line; std::getline(stream, line);)
        if (line.starts_with("ZoneId=")) return line.size() > 7 && (line[7] == '3' || line[7] == '4');
    return std::nullopt;
}

std::filesystem::path toolDirectory() {
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
    return std::filesystem::path(std::wstring(path, length)).parent_path();
}
#else
void prepareConsole() {}

std::filesystem::path toolFileName() { return "pellimore"; }

// Only Windows keeps such a mark.
std::optional<bool> markedAsDownloaded(const std::filesystem::path&) { return std::nullopt; }

bool consoleOpenedForThisRun() { return false; }

std::filesystem::path toolDirectory() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : program.parent_path();
}
#endif
