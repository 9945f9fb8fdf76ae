#include "settings/formats/szdd.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "settings/formats/format_error.h"

namespace varnex::formats {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes randomBytes(std::size_t n, unsigned seed, int alphabet) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& c : b) c = static_cast<std::uint8_t>('a' + rng() % alphabet);
    return b;
}

// Text with repeats farther apart than the window, so matches must respect its wrap-around.
Bytes repeatsBeyondWindow() {
    Bytes block = randomBytes(3000, 7, 256);
    Bytes out = block;
    out.insert(out.end(), 2000, 'x');
    out.insert(out.end(), block.begin(), block.end());  // 5000 back: out of reach, must not match
    out.insert(out.end(), block.begin(), block.begin() + 1000);  // 3000 back: in reach
    return out;
}

std::string expectFormatError(const Bytes& file) {
    try {
        expandSzdd(file, "setup.in_");
    } catch (const FormatError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(Szdd, RoundTripsThroughCompressAndExpand) {
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {
        {"empty", {}},
        {"one byte", {0x42}},
        {"leading spaces match the pre-filled window", bytesOf(std::string(40, ' ') + "x")},
        {"long run of one byte (overlapping matches)", Bytes(10000, 0xAB)},
        {"repeats beyond the 4096-byte window", repeatsBeyondWindow()},
        {"random binary", randomBytes(70000, 1, 256)},
        {"random small alphabet", randomBytes(70000, 2, 3)},
    };
    for (const auto& c : cases) {
        const Bytes packed = compressSzdd(c.data, 'L');
        ASSERT_TRUE(isSzdd(packed)) << c.name;
        EXPECT_EQ(packed[9], 'L') << c.name;
        EXPECT_EQ(expandSzdd(packed, "t"), c.data) << c.name;
    }
}

TEST(Szdd, CompressesRepetitiveData) {
    EXPECT_LT(compressSzdd(Bytes(10000, 'z'), 0).size(), 1500u);
}

TEST(Szdd, ExpandsAHandMadeStream) {
    // "ABC" literals, then a 6-byte back-reference overlapping its own output, then "!"
    // Window positions: 'A' at 4080 (0xFF0); offset 0xFF0 -> b1 = 0xF0, b2 = 0xF0 | (6 - 3).
    // Control bits LSB first: literal, literal, literal, match, literal -> 0b10111.
    const Bytes file = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 'T', 10, 0, 0, 0,
                        0b10111, 'A', 'B', 'C', 0xF0, 0xF3, '!'};
    EXPECT_EQ(expandSzdd(file, "t"), bytesOf("ABCABCABC!"));
    // A reference into the untouched window yields its pre-filled spaces.
    const Bytes spaces = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0, 4, 0, 0, 0, 0x00, 0x00, 0x01};
    EXPECT_EQ(expandSzdd(spaces, "t"), bytesOf("    "));
}

TEST(Szdd, RejectsMalformedFilesNamingTheOffset) {
    const Bytes good = compressSzdd(bytesOf("hello hello hello hello"), 'X');
    auto with = [&](auto edit) {
        Bytes b = good;
        edit(b);
        return b;
    };
    auto declare = [&](std::uint32_t n) {
        return with([n](Bytes& b) {
            for (int i = 0; i < 4; ++i) b[10 + i] = static_cast<std::uint8_t>(n >> (8 * i));
        });
    };
    const struct {
        const char* name;
        Bytes file;
        const char* message;
    } cases[] = {
        {"not compressed", bytesOf("plain text, longer than a header"), "setup.in_: offset 0: not a compressed file"},
        {"header cut short", Bytes(good.begin(), good.begin() + 11), "setup.in_: offset 11: compressed-file header is truncated"},
        {"unknown method", with([](Bytes& b) { b[8] = 'Q'; }), "setup.in_: offset 8: unknown compression method 'Q'"},
        {"declared length too large", declare(kSzddMaxLength + 1), "setup.in_: offset 10: declared length 67108865"},
        {"stream ends early", Bytes(good.begin(), good.begin() + 18), "setup.in_: offset 18: stream ends after 3 of the 23 declared bytes"},
        {"stream ends inside a reference", with([](Bytes& b) { b.resize(16); b[14] = 0; }),
         "setup.in_: offset 15: stream ends inside a back-reference"},
        {"literal beyond the declared length", declare(1), "setup.in_: offset 16: expanded data exceeds the declared length of 1 bytes"},
        {"reference beyond the declared length",
         Bytes{'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0, 4, 0, 0, 0, 0x00, 0x00, 0x02},
         "setup.in_: offset 15: expanded data exceeds the declared length of 4 bytes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expectFormatError(c.file).rfind(c.message, 0), 0u) << c.name << ": " << expectFormatError(c.file);
}

// Cross-check against the independent mscompress/msexpand tools when they are installed.
class SzddExternal : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v mscompress >/dev/null 2>&1 && command -v msexpand >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "mscompress/msexpand not installed";
        dir_ = ::testing::TempDir() + "szdd_external_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
        ASSERT_EQ(std::system(("mkdir -p '" + dir_ + "'").c_str()), 0);
    }
    void TearDown() override {
        if (!dir_.empty()) (void)std::system(("rm -rf '" + dir_ + "'").c_str());
    }
    static void writeFile(const std::string& path, const Bytes& b) {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::size_t written = b.empty() ? 0 : std::fwrite(b.data(), 1, b.size(), f);
        EXPECT_EQ(written, b.size());
        std::fclose(f);
    }
    static Bytes readFile(const std::string& path) {
        Bytes b;
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return b;
        int c;
        while ((c = std::fgetc(f)) != EOF) b.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
        return b;
    }
    std::string dir_;
};

TEST_F(SzddExternal, BothDirectionsAgreeWithMscompress) {
    Bytes text = bytesOf("    indented line\n");
    for (int i = 0; i < 400; ++i) text.insert(text.end(), {'r', 'o', 'w', ' ', static_cast<std::uint8_t>('0' + i % 10), '\n'});
    const Bytes inputs[] = {text, randomBytes(9000, 3, 256), Bytes(5000, 0)};
    for (const Bytes& input : inputs) {
        writeFile(dir_ + "/ours.txt", compressSzdd(input, 't'));
        ASSERT_EQ(std::system(("cd '" + dir_ + "' && msexpand < ours.txt > ours.out 2>/dev/null").c_str()), 0);
        EXPECT_EQ(readFile(dir_ + "/ours.out"), input) << "msexpand of our output, size " << input.size();

        writeFile(dir_ + "/theirs.txt", input);
        ASSERT_EQ(std::system(("cd '" + dir_ + "' && rm -f theirs.tx_ theirs.txt_ && mscompress theirs.txt").c_str()), 0);
        Bytes packed = readFile(dir_ + "/theirs.txt_");
        if (packed.empty()) packed = readFile(dir_ + "/theirs.tx_");
        EXPECT_EQ(expandSzdd(packed, "theirs.txt_"), input) << "expansion of mscompress output, size " << input.size();
    }
}

}  // namespace
}  // namespace varnex::formats
