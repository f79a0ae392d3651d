// Each baselines/NAME.ini is parsed and dumped; the dump must equal NAME.expected.
#include "settings/ini_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Shows bytes outside printable ASCII as \xHH so the baseline files stay plain text.
std::string visible(const std::string& text) {
    std::string out;
    for (unsigned char byte : text) {
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

std::string dump(const IniDocument& document) {
    std::ostringstream out;
    for (const auto& [name, section] : document.getSections()) {
        out << "[" << visible(name) << "]\n";
        for (const auto& [key, value] : section.getEntries())
            out << "  <" << visible(key) << "> = <" << visible(value) << ">\n";
    }
    return out.str();
}

TEST(IniReaderBaseline, EverySampleParsesToItsExpectedDump) {
    const std::filesystem::path directory = PELLIMORE_BASELINE_DIR;
    int samples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().extension() != ".ini") continue;
        ++samples;
        SCOPED_TRACE(entry.path().filename().string());
        IniDocument document;
        ASSERT_TRUE(document.parseFile(entry.path().string()));
        std::filesystem::path expectedPath = entry.path();
        expectedPath.replace_extension(".expected");
        // PELLIMORE_UPDATE_BASELINES=1 rewrites the expected dumps; review the diff.
        if (std::getenv("PELLIMORE_UPDATE_BASELINES")) std::ofstream(expectedPath, std::ios::binary) << dump(document);
        std::ifstream expectedFile(expectedPath, std::ios::binary);
        ASSERT_TRUE(expectedFile.is_open()) << "missing " << expectedPath;
        std::stringstream expected;
        expected << expectedFile.rdbuf();
        EXPECT_EQ(dump(document), expected.str());
    }
    EXPECT_GE(samples, 3);
}

}  // namespace
