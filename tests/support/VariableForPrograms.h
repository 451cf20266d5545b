#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace swivex::testing {

// An environment variable as a test sets it for the programs it starts (unset for nullptr), and
// as it was again afterwards.
class VariableForPrograms {
 public:
  VariableForPrograms(const char* name, const char* value) : name_(name) {
    if (const char* saved = std::getenv(name)) saved_ = saved;
    Set(name_, value);
  }
  VariableForPrograms(const VariableForPrograms&) = delete;
  VariableForPrograms& operator=(const VariableForPrograms&) = delete;
  ~VariableForPrograms() { Set(name_, saved_ ? saved_->c_str() : nullptr); }

  // PATH with `folder` in front of the folders it names now.
  static std::string PathWithFirst(const std::string& folder) {
    const char* path = std::getenv("PATH");
    return folder + ":" + (path != nullptr ? path : "");
  }

 private:
  static void Set(const char* name, const char* value) {
    value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
  }

  const char* name_;
  std::optional<std::string> saved_;
};

}  // namespace swivex::testing
