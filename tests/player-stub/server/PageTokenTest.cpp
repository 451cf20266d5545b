#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "player-stub/server/PageToken.h"

namespace swivex::testing {
namespace {

// A system whose random source gives known bytes, as many as it holds, or nothing at all.
class KnownRandomness final : public ServerSystem {
 public:
  explicit KnownRandomness(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  bool Listen(Socket&, unsigned&) override { return false; }
  bool Accept(Socket, Socket&) override { return false; }
  Transfer Receive(Socket, std::span<char>, std::size_t&) override { return Transfer::Ended; }
  Transfer Send(Socket, std::span<const char>, std::size_t&) override { return Transfer::Ended; }
  void Close(Socket) override {}
  void Wait(std::span<SocketWait>, std::uint32_t) override {}
  std::uint64_t NowMilliseconds() override { return 0; }
  bool FillRandom(std::span<unsigned char> bytes) override {
    if (bytes.size() > bytes_.size()) return false;
    std::copy_n(bytes_.begin(), bytes.size(), bytes.begin());
    return true;
  }

 private:
  std::vector<unsigned char> bytes_;
};

struct TokenCase {
  const char* name;
  std::vector<unsigned char> random;
  const char* token;  // nullptr: no token can be made
};

TEST(PageToken, IsEveryRandomByteOf128BitsAsTwoLowerCaseDigits) {
  const TokenCase cases[] = {
      {"every digit",
       {0x00, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef, 0xf0, 0x0f, 0x10, 0x7f, 0x80, 0xfe,
        0xff},
       "000123456789abcdeff00f107f80feff"},
      {"no randomness", {}, nullptr},
      {"15 random bytes", std::vector<unsigned char>(15, 0x5a), nullptr},
  };
  for (const TokenCase& tried : cases) {
    KnownRandomness system(tried.random);
    PageToken token;
    EXPECT_EQ(token.Make(system), tried.token != nullptr) << tried.name;
    if (tried.token != nullptr) {
      EXPECT_EQ(token.View(), std::string_view(tried.token)) << tried.name;
    }
  }
}

}  // namespace
}  // namespace swivex::testing
