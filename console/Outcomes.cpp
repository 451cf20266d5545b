#include "console/Outcomes.h"

#include "console/JsonText.h"
#include "console/Utf8Output.h"

namespace swivex::console {

void Outcomes::Ok(const std::string& file, const std::string& target) {
  Print("ok: " + file + " -> " + target);
}

void Outcomes::Skipped(const std::string& file, const std::string& reason) {
  Print("skipped: " + file + " (" + reason + ")");
}

std::string Outcomes::ErrorObject(const std::string& file, const std::string& error) const {
  JsonObject object;
  object.Add("file", JsonString(file, isLeadByte_));
  object.Add("error", JsonString(error, isLeadByte_));
  return object.Text();
}

void Outcomes::Failed(const std::string& file, const std::string& error) {
  anyFailed_ = true;
  Print(json_ ? ErrorObject(file, error) : "failed: " + file + ": " + error);
}

void Outcomes::Cancelled(const std::string& file) {
  Print(json_ ? ErrorObject(file, "cancelled") : "cancelled: " + file);
}

void Outcomes::Print(const std::string& line) {
  WriteUtf8(console_, ConsoleStream::kOutput, line + "\n");
}

}  // namespace swivex::console
