#include "pellimore/doctor/module_version.h"

#include "pellimore/common/platform.h"

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
    if (!file) return std::nullopt;
    const std::string& bytes = *file;
    const auto signature = std::string_view(reinterpret_cast<const char*>(fixedFileInfoSignature), 4);
    const std::size_t at = bytes.find(signature);
    if (at == std::string::npos || at + 16 > bytes.size()) return std::nullopt;
    const std::uint32_t high = littleEndian32(bytes.data() + at + 8);
    const std::uint32_t low = littleEndian32(bytes.data() + at + 12);
    std::string version =
        std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." + std::to_string(low >> 16);
    if ((low & 0xFFFF) != 0) version += "." + std::to_string(low & 0xFFFF);
    return version;
}
