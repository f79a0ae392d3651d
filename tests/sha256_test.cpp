// The digest the doctor recognises modules by: the standard's test vectors,
// both one-block and two-block endings, and the system's own sha256sum.
#include "pellimore/common/sha256.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(Sha256, StandardTestVectors) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// Every length around the block edges, against the system's own tool when it is there.
TEST(Sha256, AgreesWithTheSystemsSha256sumAtEveryBlockEdge) {
    for (std::size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 127u, 128u, 129u}) {
        std::string bytes;
        for (std::size_t index = 0; index < length; ++index) bytes += static_cast<char>((index * 37 + 11) & 0xFF);
        const std::string path = testing::TempDir() + "/sha256-" + std::to_string(length);
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        FILE* tool = popen(("sha256sum '" + path + "' 2>/dev/null").c_str(), "r");
        ASSERT_NE(tool, nullptr);
        char digest[65] = {};
        const bool read = std::fread(digest, 1, 64, tool) == 64;
        pclose(tool);
        if (!read) GTEST_SKIP() << "no sha256sum on this machine";
        EXPECT_EQ(sha256Hex(bytes), std::string(digest)) << length << " bytes";
    }
}

}  // namespace
