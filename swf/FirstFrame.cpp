#include "swf/FirstFrame.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "swf/LittleEndian.h"
#include "swf/SwfError.h"
#include "swf/TagBody.h"
#include "swf/UncompressedMovie.h"
#include "winsupport/AsciiCase.h"

namespace swivex::swf {
namespace {

constexpr std::uint16_t kEndTag = 0;
constexpr std::uint16_t kShowFrameTag = 1;
constexpr std::uint16_t kDoActionTag = 12;

constexpr std::uint8_t kActionEnd = 0x00;
constexpr std::uint8_t kActionGetUrl = 0x83;
constexpr std::uint8_t kActionConstantPool = 0x88;
constexpr std::uint8_t kActionDefineFunction2 = 0x8E;
constexpr std::uint8_t kActionPush = 0x96;
constexpr std::uint8_t kActionGetUrl2 = 0x9A;
constexpr std::uint8_t kActionDefineFunction = 0x9B;
// Action codes from this one on carry a 16-bit length and that many bytes.
constexpr std::uint8_t kFirstActionWithLength = 0x80;

// The kinds of value that ActionPush pushes, by their type byte.
enum PushType : std::uint8_t {
  kPushString = 0,
  kPushFloat = 1,
  kPushNull = 2,
  kPushUndefined = 3,
  kPushRegister = 4,
  kPushBoolean = 5,
  kPushDouble = 6,
  kPushInteger = 7,
  kPushConstant8 = 8,
  kPushConstant16 = 9,
};

// The fields of one action record, front to back; one that runs past the record's end is an
// error naming the record.
class ActionFields {
 public:
  ActionFields(const std::vector<std::uint8_t>& bytes, std::uint64_t offset)
      : bytes_(bytes), offset_(offset) {}

  bool AtEnd() const { return at_ == bytes_.size(); }

  std::uint8_t U8() {
    Need(1);
    return bytes_[at_++];
  }
  std::uint16_t U16() {
    Need(2);
    const std::uint16_t value = LittleEndian16(bytes_.data() + at_);
    at_ += 2;
    return value;
  }
  void Skip(std::size_t count) {
    Need(count);
    at_ += count;
  }
  // A zero-ended string.
  std::string_view String() {
    std::size_t end = at_;
    while (end < bytes_.size() && bytes_[end] != 0) ++end;
    if (end == bytes_.size()) Fail();
    const std::string_view text(reinterpret_cast<const char*>(bytes_.data() + at_), end - at_);
    at_ = end + 1;
    return text;
  }

 private:
  void Need(std::size_t count) const {
    if (count > bytes_.size() - at_) Fail();
  }
  [[noreturn]] void Fail() const {
    throw ESwfError(offset_, "an action's fields run past the end of its record");
  }

  const std::vector<std::uint8_t>& bytes_;
  std::uint64_t offset_;
  std::size_t at_ = 0;
};

// Follows the actions of the first frame's DoAction tags for requests of full screen. Of the
// stack it knows only the two values on top, and those only while nothing but ActionPush has
// touched them: any other action may have changed them.
class FullScreenRequests {
 public:
  explicit FullScreenRequests(bool& asksFullScreen) : asks_(asksFullScreen) {}

  void Read(TagBody& body) {
    constants_.clear();
    Forget();
    while (body.Remaining() > 0) {
      const std::uint64_t offset = body.Offset();
      const std::uint8_t code = body.ReadU8("an action code");
      if (code == kActionEnd) return;
      record_.clear();
      if (code >= kFirstActionWithLength) {
        const std::uint16_t length = body.ReadU16("an action's length");
        body.Append(record_, length, "an action");
      }
      ActionFields fields(record_, offset);
      const std::uint16_t functionBody = Take(code, fields);
      // A function's body follows its definition: it runs only when called.
      if (functionBody > 0) {
        record_.clear();
        body.Append(record_, functionBody, "a function's body");
      }
    }
  }

 private:
  using Value = std::optional<std::string>;

  // Returns the length of the function body that follows, if the action defines one.
  std::uint16_t Take(std::uint8_t code, ActionFields& fields) {
    switch (code) {
      case kActionGetUrl: {
        const std::string_view url = fields.String();
        Request(url, fields.String());
        break;
      }
      case kActionGetUrl2:
        if (top_ && below_) Request(*below_, *top_);
        Forget();
        break;
      case kActionPush:
        while (!fields.AtEnd()) {
          if (!PushNext(fields)) {
            Forget();
            break;
          }
        }
        break;
      case kActionConstantPool: {
        constants_.clear();
        for (std::uint16_t count = fields.U16(); count > 0; --count)
          constants_.emplace_back(fields.String());
        break;
      }
      case kActionDefineFunction:
        Forget();
        return DefineFunction(fields);
      case kActionDefineFunction2:
        Forget();
        return DefineFunction2(fields);
      default:
        Forget();
    }
    return 0;
  }

  void Request(std::string_view url, std::string_view target) {
    if (win::EqualsIgnoringCase(url, "fscommand:fullscreen"))
      asks_ = win::EqualsIgnoringCase(target, "true");
  }

  // Pushes the next value of an ActionPush; false for a type that no player knows, after which
  // the rest of the record cannot be read.
  bool PushNext(ActionFields& fields) {
    switch (fields.U8()) {
      case kPushString:
        Push(std::string(fields.String()));
        return true;
      case kPushBoolean:
        Push(fields.U8() != 0 ? "true" : "false");
        return true;
      case kPushConstant8:
        Push(Constant(fields.U8()));
        return true;
      case kPushConstant16:
        Push(Constant(fields.U16()));
        return true;
      case kPushNull:
      case kPushUndefined:
        Push(std::nullopt);
        return true;
      case kPushRegister:
        fields.Skip(1);
        Push(std::nullopt);
        return true;
      case kPushFloat:
      case kPushInteger:
        fields.Skip(4);
        Push(std::nullopt);
        return true;
      case kPushDouble:
        fields.Skip(8);
        Push(std::nullopt);
        return true;
      default:
        return false;
    }
  }

  Value Constant(std::uint16_t index) const {
    if (index >= constants_.size()) return std::nullopt;
    return constants_[index];
  }

  // DefineFunction: the name, the parameters' names, then the body's length.
  static std::uint16_t DefineFunction(ActionFields& fields) {
    fields.String();
    for (std::uint16_t count = fields.U16(); count > 0; --count) fields.String();
    return fields.U16();
  }

  // DefineFunction2: the name, the parameter count, the register count and the flags, each
  // parameter's register and name, then the body's length.
  static std::uint16_t DefineFunction2(ActionFields& fields) {
    fields.String();
    const std::uint16_t count = fields.U16();
    fields.Skip(3);
    for (std::uint16_t parameter = 0; parameter < count; ++parameter) {
      fields.Skip(1);
      fields.String();
    }
    return fields.U16();
  }

  void Push(Value value) {
    below_ = std::move(top_);
    top_ = std::move(value);
  }
  void Forget() {
    top_.reset();
    below_.reset();
  }

  bool& asks_;
  std::vector<std::string> constants_;
  Value top_;
  Value below_;
  std::vector<std::uint8_t> record_;
};

}  // namespace

FirstFrame ReadFirstFrame(ByteSource& file) {
  UncompressedMovie uncompressed(file);
  FirstFrame frame;
  frame.header = uncompressed.Header();
  MovieStream& movie = uncompressed.Stream();
  FullScreenRequests requests(frame.asksFullScreen);
  for (;;) {
    TagBody body = NextTag(movie);
    if (body.Code() == kEndTag || body.Code() == kShowFrameTag) return frame;
    if (body.Code() == kDoActionTag) requests.Read(body);
    body.SkipRest();
  }
}

}  // namespace swivex::swf
