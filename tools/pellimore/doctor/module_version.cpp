#include "pellimore/doctor/module_version.h"

#include "pellimore/common/platform.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

// VS_FIXEDFILEINFO opens with this signature, then the structure version, then
// the file version as two 32-bit halves (major.minor, patch.build).
constexpr unsigned char fixedFileInfoSignature[] = {0xBD, 0x04, 0xEF, 0xFE};

std::uint32_t littleEndian32(const char* bytes) {
    std::uint32_t value = 0;
    for (int index = 3; index >= 0; --index) value = (value << 8) | static_cast<unsigned char>(bytes[index]);
    return value;
}

}  // namespace

std::optional<std::string> moduleFileVersion(const std::filesystem::path& path) {
    const std::optional<std::string> file = readWholeFile(path);
    return file ? versionInModuleBytes(*file) : std::nullopt;
}

std::optional<std::string> versionInModuleBytes(std::string_view bytes) {
    const auto signature = std::string_view(reinterpret_cast<const char*>(fixedFileInfoSignature), 4);
    const std::size_t at = bytes.find(signature);
    if (at == std::string_view::npos || bytes.size() - at < 16) return std::nullopt;
    const std::uint32_t high = littleEndian32(bytes.data() + at + 8);
    const std::uint32_t low = littleEndian32(bytes.data() + at + 12);
    std::string version =
        std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." + std::to_string(low >> 16);
    if ((low & 0xFFFF) != 0) version += "." + std::to_string(low & 0xFFFF);
    return version;
}

int compareVersions(std::string_view a, std::string_view b) {
    while (!a.empty() || !b.empty()) {
        unsigned long partA = 0, partB = 0;
        const auto endA = std::from_chars(a.data(), a.data() + a.size(), partA).ptr;
        const auto endB = std::from_chars(b.data(), b.data() + b.size(), partB).ptr;
        if (partA != partB) return partA < partB ? -1 : 1;
        a.remove_prefix(std::min<std::size_t>(a.size(), static_cast<std::size_t>(endA - a.data()) + 1));
        b.remove_prefix(std::min<std::size_t>(b.size(), static_cast<std::size_t>(endB - b.data()) + 1));
    }
    return 0;
}
