#include "pellimore/common/platform.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
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
// After windows.h: the shell's known folders build on its types.
#include <shlobj.h>

namespace {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

std::wstring wideText(std::string_view text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string utf8Text(std::wstring_view wide) {
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

// The stream's UTF-8 written to a console as Unicode: a console shows every
// letter that way whatever its code page, which stays as the player set it.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : console(console) {}

protected:
    int overflow(int byte) override {
        if (byte != traits_type::eof()) pending += static_cast<char>(byte);
        if (byte == '\n') sync();
        return byte == traits_type::eof() ? 0 : byte;
    }
    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        pending.append(bytes, static_cast<std::size_t>(count));
        if (pending.find('\n') != std::string::npos) sync();
        return count;
    }
    int sync() override {
        // A letter cut by the buffer's end waits for its other bytes.
        std::size_t complete = pending.size();
        for (std::size_t back = 1; back <= 3 && back <= pending.size(); ++back) {
            const auto byte = static_cast<unsigned char>(pending[pending.size() - back]);
            if ((byte & 0xC0) == 0x80) continue;
            const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
            if (length > back) complete = pending.size() - back;
            break;
        }
        const std::wstring wide = wideText(std::string_view(pending).substr(0, complete));
        DWORD written = 0;
        WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        pending.erase(0, complete);
        return 0;
    }

private:
    HANDLE console;
    std::string pending;
};

// The buffers outlive the streams' last flush at exit, so they are never destroyed.
void writeUnicodeTo(std::ostream& stream, DWORD handle) {
    const HANDLE console = GetStdHandle(handle);
    if (isConsole(console)) stream.rdbuf(new ConsoleBuffer(console));
}

// "de-DE" for a Windows language identifier.
std::string localeName(LANGID language) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const int length = LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0);
    return length > 1 ? utf8Text(std::wstring_view(name, static_cast<std::size_t>(length - 1))) : "";
}

}  // namespace

void prepareConsole() {
    writeUnicodeTo(std::cout, STD_OUTPUT_HANDLE);
    writeUnicodeTo(std::cerr, STD_ERROR_HANDLE);
}

std::string readAnswerLine(std::istream& in) {
    const HANDLE console = GetStdHandle(STD_INPUT_HANDLE);
    std::string line;
    if (&in != &std::cin || !isConsole(console)) {
        std::getline(in, line);
    } else {
        std::wstring typed;
        wchar_t buffer[256];
        for (DWORD count = 0; ReadConsoleW(console, buffer, 256, &count, nullptr) && count > 0;) {
            typed.append(buffer, count);
            if (typed.find(L'\n') != std::wstring::npos) break;
        }
        line = utf8Text(typed.substr(0, typed.find(L'\n')));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::vector<std::string> preferredLanguages() {
    ULONG count = 0;
    ULONG size = 0;
    std::vector<std::string> tags;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return {localeName(GetUserDefaultUILanguage())};
    std::wstring names(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) return tags;
    // A list of names, each ended by a NUL, the whole ended by one more.
    for (std::size_t start = 0; start < names.size() && names[start] != L'\0';) {
        const std::size_t end = names.find(L'\0', start);
        tags.push_back(utf8Text(std::wstring_view(names).substr(start, end - start)));
        start = end + 1;
    }
    return tags;
}

std::vector<PlayerLayout> systemKeyboardLayouts() {
    const HKL active = GetKeyboardLayout(0);
    std::vector<HKL> installed(static_cast<std::size_t>(std::max(GetKeyboardLayoutList(0, nullptr), 0)));
    installed.resize(
        static_cast<std::size_t>(GetKeyboardLayoutList(static_cast<int>(installed.size()), installed.data())));
    installed.erase(std::remove(installed.begin(), installed.end(), active), installed.end());
    installed.insert(installed.begin(), active);
    std::vector<PlayerLayout> layouts;
    for (const HKL layout : installed) {
        const auto named = layoutNamed(localeName(LOWORD(reinterpret_cast<std::uintptr_t>(layout))));
        PlayerLayout player{named.value_or(KeyboardLayout::Us), {}};
        const UINT positions[4] = {0x11, 0x1E, 0x1F, 0x20};  // where QWERTY has W, A, S and D
        for (int index = 0; index < 4; ++index)
            player.walking[index] =
                static_cast<std::int32_t>(MapVirtualKeyExW(positions[index], MAPVK_VSC_TO_VK, layout));
        layouts.push_back(player);
    }
    return layouts;
}

bool consoleOpenedForThisRun() {
    DWORD processes[2];
    DWORD mode = 0;
    // A console shared with a shell lists the shell too; one opened for us lists only us.
    return GetConsoleProcessList(processes, 2) == 1 && GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode);
}

std::filesystem::path toolFileName() { return "pellimore.exe"; }

bool isReadOnlyFile(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::filesystem::path downloadsFolder() {
    PWSTR folder = nullptr;
    std::filesystem::path downloads;
    if (SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &folder) == S_OK) downloads = folder;
    CoTaskMemFree(folder);
    return downloads;
}

std::filesystem::path toolStateFolder() {
    PWSTR folder = nullptr;
    std::filesystem::path state;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder) == S_OK)
        state = std::filesystem::path(folder) / "Pellimore";
    CoTaskMemFree(folder);
    return state;
}

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

std::string readAnswerLine(std::istream& in) {
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::vector<std::string> preferredLanguages() {
    // LANGUAGE lists several ("de:en"); the others name one locale ("de_DE.UTF-8").
    // As the C library reads them: the first of LC_ALL, LC_MESSAGES and LANG that is set names the locale.
    std::vector<std::string> tags;
    if (const char* list = std::getenv("LANGUAGE"))
        for (std::string rest = list; !rest.empty();) {
            const std::size_t colon = rest.find(':');
            tags.push_back(rest.substr(0, colon));
            rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
        }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); value && *value) {
            tags.emplace_back(value);
            break;
        }
    return tags;
}

std::vector<PlayerLayout> systemKeyboardLayouts() {
    const auto tags = preferredLanguages();
    const KeyboardLayout layout =
        tags.empty() ? KeyboardLayout::Us : layoutNamed(tags.front()).value_or(KeyboardLayout::Us);
    return {{layout, layoutRow(layout).walking}};
}

std::filesystem::path toolFileName() { return "pellimore"; }

bool isReadOnlyFile(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::is_regular_file(status)) return false;
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (status.permissions() & writable) == fs::perms::none;
}

std::filesystem::path downloadsFolder() {
    if (const char* downloads = std::getenv("XDG_DOWNLOAD_DIR"); downloads && *downloads) return downloads;
    if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / "Downloads";
    return {};
}

std::filesystem::path toolStateFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return std::filesystem::path(state) / "Pellimore";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "state" / "Pellimore";
    return {};
}

// Only Windows keeps such a mark.
std::optional<bool> markedAsDownloaded(const std::filesystem::path&) { return std::nullopt; }

bool consoleOpenedForThisRun() { return false; }

std::filesystem::path toolDirectory() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : program.parent_path();
}
#endif
