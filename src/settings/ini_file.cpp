// The reader's file access. One stream, with a buffer of its own, serves every
// open, so probing and reading the settings file on each tick allocate nothing.
#include "settings/ini_reader.h"

namespace {

struct ReusableStream {
    ReusableStream() { stream.rdbuf()->pubsetbuf(buffer, sizeof buffer); }
    char buffer[512];
    std::ifstream stream;
};

// Only the script thread reads the settings file, so one stream is enough.
std::ifstream& reusableStream() {
    static ReusableStream reusable;
    reusable.stream.clear();
    return reusable.stream;
}

// Reads a file opened in binary mode whole into buffer and closes it. False
// (and nothing read) when the size is unknown, implausible, or the read fails.
bool readWholeFile(std::ifstream& file, std::string& buffer) {
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    // An unknown size, or the huge one a directory reports, means nothing to read.
    if (size < 0 || static_cast<std::uint64_t>(size) > maximumSettingsFileBytes) {
        file.close();
        return false;
    }
    // Zero-filled, so bytes a short read leaves unfilled are NULs, which are dropped.
    buffer.assign(static_cast<std::size_t>(size), '\0');
    file.seekg(0, std::ios::beg);
    file.read(buffer.data(), size);
    const bool readFailed = file.bad() || (file.fail() && !file.eof());
    file.close();
    return !readFailed;
}

}  // namespace

std::vector<std::string> readLines(std::ifstream& file) {
    std::string buffer;
    if (!readWholeFile(file, buffer)) return {};
    return splitLines(buffer);
}

bool canOpenForReading(const std::string& path) {
    std::ifstream& probe = reusableStream();
    probe.open(path);
    const bool opened = probe.is_open();
    probe.close();
    return opened;
}

bool IniDocument::parseFile(const std::string& path) {
    std::ifstream& file = reusableStream();
    file.open(path, std::ios::binary);
    if (!file.is_open()) return false;
    if (readWholeFile(file, fileBytes)) parseBytes(fileBytes);
    return true;
}
