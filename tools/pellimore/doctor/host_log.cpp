#include "pellimore/doctor/host_log.h"

#include <charconv>
#include <sstream>

namespace {

// The quoted name after marker, or none.
std::optional<std::string> quotedAfter(const std::string& line, const std::string& marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t begin = at + marker.size();
    const std::size_t end = line.find('\'', begin);
    if (end == std::string::npos) return std::nullopt;
    return line.substr(begin, end - begin);
}

std::optional<std::uint64_t> nativeHashIn(const std::string& text) {
    const std::size_t at = text.find("0x");
    if (at == std::string::npos) return std::nullopt;
    std::uint64_t hash = 0;
    const char* begin = text.data() + at + 2;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), hash, 16);
    if (error != std::errc() || end - begin < 8) return std::nullopt;
    return hash;
}

std::string trimmedText(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t\r");
    const std::size_t end = text.find_last_not_of(" \t\r");
    return begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
}

}  // namespace

HostLog parseHostLog(const std::string& text) {
    HostLog log;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (auto name = quotedAfter(line, "Registering script '"))
            log.registeredScripts.push_back(*name);
        else if (auto launched = quotedAfter(line, "Launching main() for '"))
            log.launchedScripts.push_back(*launched);
        else if (const std::size_t at = line.find("FATAL:"); at != std::string::npos) {
            const std::string fatal = trimmedText(line.substr(at + 6));
            log.fatals.push_back(
                {fatal, fatal.find("native") != std::string::npos ? nativeHashIn(fatal) : std::nullopt});
        }
    }
    return log;
}
