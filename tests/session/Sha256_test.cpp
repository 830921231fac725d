// SHA-256 against the published test vectors and against Python's hashlib at
// the lengths where the padding changes blocks; files hashed in pieces.
#include "session/Sha256.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace zeb;
using zeb::test::TempDir;

TEST(Sha256, KnownVectors) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, LengthsAroundTheBlockAndPaddingBoundaries) {
    const std::pair<std::size_t, const char*> cases[] = {
        {55, "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {56, "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {63, "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {64, "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {65, "635361c48bb9eab14198e76ea8ab7f1a41685d6ad62aa9146d301d4f17eb0ae0"},
        {119, "31eba51c313a5c08226adf18d4a359cfdfd8d2e816b13f4af952f7ea6584dcfb"},
        {120, "2f3d335432c70b580af0e8e1b3674a7c020d683aa5f73aaaedfdc55af904c21c"},
    };
    for (const auto& [n, expected] : cases) {
        EXPECT_EQ(Sha256Hex(std::string(n, 'a')), expected) << n;
        // The same bytes given in uneven pieces.
        Sha256 sha;
        const std::string bytes(n, 'a');
        for (std::size_t at = 0, piece = 1; at < n; at += piece, piece = piece * 2 + 1)
            sha.update(bytes.substr(at, std::min(piece, n - at)));
        EXPECT_EQ(sha.finishHex(), expected) << n << " in pieces";
    }
}

TEST(Sha256, FilesAreHashedWholeAndRefusedWhenTheyAreNoFiles) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7919 % 251);  // more than one read
    zeb::test::WriteFile(dir.file("data.sta"), bytes);
    int error = -1;
    const auto digest = DigestOfFile(dir.file("data.sta"), &error);
    ASSERT_TRUE(digest);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(digest->sizeBytes, bytes.size());
    EXPECT_EQ(digest->sha256, Sha256Hex(bytes));

    EXPECT_FALSE(DigestOfFile(dir.file("missing.sta"), &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(DigestOfFile(dir.path().string(), &error));
    EXPECT_EQ(error, EISDIR);
}
