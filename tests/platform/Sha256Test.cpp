#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Sha256.h"

namespace swivex {
namespace {

std::string Hex(const Sha256::Digest& digest) {
  std::string text;
  char pair[3];
  for (const auto byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    text += pair;
  }
  return text;
}

// The test vectors of FIPS 180-2, added in pieces of every size that splits them unevenly.
TEST(Sha256, GivesThePublishedDigestsWhateverThePieces) {
  struct Case {
    std::string message;
    std::size_t repeat;
    std::size_t piece;
    const char* digest;
  };
  const std::string twoBlocks = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  const Case cases[] = {
      {"", 1, 1, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", 1, 1, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {twoBlocks, 1, 55, "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"a", 1000000, 1, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {std::string(1000000, 'a'), 1, 65537,
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.digest);
    Sha256 hash;
    for (std::size_t i = 0; i < c.repeat; ++i) {
      for (std::size_t at = 0; at < c.message.size(); at += c.piece)
        hash.Add(c.message.data() + at, std::min(c.piece, c.message.size() - at));
    }
    Sha256::Digest digest{};
    ASSERT_EQ(hash.Finish(digest), 0u);
    EXPECT_EQ(Hex(digest), c.digest);
  }
}

}  // namespace
}  // namespace swivex
