#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "playback/PageToken.h"

namespace swivex::testing {
namespace {

// A system whose random source gives known bytes, as many as it holds.
class KnownRandomness final : public ServerSystem {
 public:
  explicit KnownRandomness(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  bool Listen(Socket&, unsigned&) override { return false; }
  bool Accept(Socket, Socket&) override { return false; }
  Transfer Receive(Socket, std::span<char>, std::size_t&) override { return Transfer::Ended; }
  Transfer Send(Socket, std::span<const char>, std::size_t&) override { return Transfer::Ended; }
  void ShutDown(Socket) override {}
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

TEST(PageToken, IsEveryRandomByteOf128BitsAsTwoLowerCaseDigits) {
  KnownRandomness system({0x00, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef, 0xf0, 0x0f, 0x10,
                          0x7f, 0x80, 0xfe, 0xff});
  PageToken token;
  ASSERT_TRUE(token.Make(system));
  EXPECT_EQ(token.View(), "000123456789abcdeff00f107f80feff");
}

}  // namespace
}  // namespace swivex::testing
