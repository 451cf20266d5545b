#include "console/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace swivex::console {

namespace {

enum Option : unsigned {
  kOutputOption = 1,
  kStubOption = 2,
  kRecursiveOption = 4,
  kJsonOption = 8,
  kForceOption = 16,
  kLinuxOption = 32,
};

struct CommandForm {
  std::string_view name;
  Command command;
  unsigned options;  // the Options it takes
  std::size_t fewestInputs;
  std::size_t mostInputs;
  std::string_view synopsis;
};

constexpr std::size_t kAny = static_cast<std::size_t>(-1);

constexpr std::array<CommandForm, 5> kForms{{
    {"build", Command::kBuild, kOutputOption | kLinuxOption | kStubOption | kForceOption, 1, kAny,
     "swivexc build MOVIE... [-o OUT] [--linux] [--stub FILE] [--force]"},
    {"extract", Command::kExtract, kOutputOption | kRecursiveOption | kForceOption, 1, kAny,
     "swivexc extract FILE|FOLDER... [-o DIR] [-r] [--force]"},
    {"info", Command::kInfo, kJsonOption, 1, kAny, "swivexc info FILE... [--json]"},
    {"pictures", Command::kPictures, kOutputOption | kForceOption, 1, 1,
     "swivexc pictures FILE [-o DIR] [--force]"},
    {"web", Command::kWeb, kOutputOption | kForceOption, 1, kAny,
     "swivexc web MOVIE... [-o DIR] [--force]"},
}};

const CommandForm* FindForm(std::string_view name) {
  const auto found = std::find_if(kForms.begin(), kForms.end(),
                                  [&](const CommandForm& form) { return form.name == name; });
  return found == kForms.end() ? nullptr : &*found;
}

const CommandForm& FormOf(Command command) {
  return *std::find_if(kForms.begin(), kForms.end(),
                       [&](const CommandForm& form) { return form.command == command; });
}

struct OptionForm {
  std::string_view spelling;
  Option option;
};

constexpr std::array<OptionForm, 6> kOptionForms{{
    {"-o", kOutputOption},
    {"--stub", kStubOption},
    {"-r", kRecursiveOption},
    {"--json", kJsonOption},
    {"--force", kForceOption},
    {"--linux", kLinuxOption},
}};

bool LooksLikeOption(std::string_view argument) {
  return argument.size() > 1 && argument.front() == '-';
}

CommandLine Only(Command command) {
  CommandLine line;
  line.command = command;
  return line;
}

class Parser {
 public:
  explicit Parser(std::span<const std::string> arguments) : arguments_(arguments) {}

  CommandLine Parse() {
    for (const std::string& argument : arguments_) {
      if (argument == "--") break;
      if (argument == "--help" || argument == "-h") return Only(Command::kHelp);
      if (argument == "--version") return Only(Command::kVersion);
    }
    if (arguments_.empty()) throw EUsageError("no command given", std::nullopt);
    const std::string& name = arguments_.front();
    form_ = FindForm(name);
    if (form_ == nullptr) {
      throw EUsageError(LooksLikeOption(name) ? "a command comes first, not the option " + name
                                              : "unknown command \"" + name + "\"",
                        std::nullopt);
    }
    result_.command = form_->command;
    ReadRest();
    CheckInputCount();
    return result_;
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw EUsageError(message, form_->command);
  }

  void ReadRest() {
    bool filesOnly = false;
    for (next_ = 1; next_ < arguments_.size(); ++next_) {
      const std::string& argument = arguments_[next_];
      if (!filesOnly && argument == "--") {
        filesOnly = true;
      } else if (!filesOnly && LooksLikeOption(argument)) {
        ReadOption(argument);
      } else {
        result_.inputs.push_back(argument);
      }
    }
  }

  void ReadOption(const std::string& spelling) {
    const auto found =
        std::find_if(kOptionForms.begin(), kOptionForms.end(),
                     [&](const OptionForm& form) { return form.spelling == spelling; });
    if (found == kOptionForms.end()) Fail("unknown option " + spelling);
    if ((form_->options & found->option) == 0)
      Fail("the option " + spelling + " does not go with " + std::string(form_->name));
    if ((seen_ & found->option) != 0) Fail("the option " + spelling + " is given twice");
    seen_ |= found->option;
    switch (found->option) {
      case kOutputOption:
        result_.output = Value(spelling);
        break;
      case kStubOption:
        result_.stub = Value(spelling);
        break;
      case kRecursiveOption:
        result_.recursive = true;
        break;
      case kJsonOption:
        result_.json = true;
        break;
      case kForceOption:
        result_.force = true;
        break;
      case kLinuxOption:
        result_.forLinux = true;
        break;
    }
  }

  // The argument after an option that takes one, whatever it looks like: "-o -out" names the
  // folder "-out". An empty value names nothing and is refused.
  std::string Value(const std::string& spelling) {
    if (++next_ == arguments_.size()) Fail("the option " + spelling + " needs a value");
    if (arguments_[next_].empty()) Fail("the option " + spelling + " needs a value, not \"\"");
    return arguments_[next_];
  }

  void CheckInputCount() const {
    const std::size_t count = result_.inputs.size();
    if (count < form_->fewestInputs) Fail(std::string(form_->name) + " needs a file");
    if (count > form_->mostInputs)
      Fail(std::string(form_->name) + " takes one file, not " + std::to_string(count));
  }

  std::span<const std::string> arguments_;
  const CommandForm* form_ = nullptr;
  CommandLine result_;
  std::size_t next_ = 0;
  unsigned seen_ = 0;
};

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
  return Parser(arguments).Parse();
}

std::string UsageLine(Command command) {
  if (command == Command::kHelp || command == Command::kVersion)
    return "swivexc build|extract|info|pictures|web ... | --help | --version";
  return std::string(FormOf(command).synopsis);
}

}  // namespace swivex::console
