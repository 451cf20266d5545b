#include "ui/ConversionBatch.h"

#include "common/FileNames.h"
#include "projector/ConversionProgress.h"
#include "shell/ErrorBoxText.h"

namespace swivex {

namespace {

constexpr char kNotConverted[] = "Not converted.";

// The text that the error boundary would show for the error.
std::string MessageOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& raised) {
    return raised.what();
  } catch (...) {
    return "Unknown error.";
  }
}

}  // namespace

EUnsupportedFile::EUnsupportedFile(const std::string& path)
    : Exception("Cannot convert \"" + path +
                "\". Only movies (.swf) and projectors (.exe) can be converted") {}

ConversionBatch ConversionBatch::Single(std::string source, ConversionKind kind,
                                        const PathSyntax& syntax) {
  return ConversionBatch({{std::move(source), kind}}, syntax);
}

ConversionBatch ConversionBatch::ByFileType(const std::vector<std::string>& sources,
                                            const PathSyntax& syntax) {
  std::vector<BatchFile> files;
  for (const std::string& source : sources)
    files.push_back({source, ConversionForFile(source, syntax)});
  return ConversionBatch(std::move(files), syntax);
}

bool ConversionBatch::StartNext(const std::function<void(const BatchFile&)>& start) {
  while (const BatchFile* file = Next()) {
    try {
      start(*file);
      return true;
    } catch (...) {
      Finish(ConversionOutcome::Failed(std::current_exception()));
    }
  }
  return false;
}

// The next file of a type that converts; the files of other types before it fail.
const BatchFile* ConversionBatch::Next() {
  while (!stopped_ && outcomes_.size() < files_.size()) {
    const BatchFile& file = files_[outcomes_.size()];
    if (file.kind) return &file;
    outcomes_.push_back(
        ConversionOutcome::Failed(std::make_exception_ptr(EUnsupportedFile(file.source))));
  }
  return nullptr;
}

void ConversionBatch::Finish(ConversionOutcome outcome) {
  if (outcome.ending == ConversionOutcome::Ending::Cancelled) stopped_ = true;
  outcomes_.push_back(std::move(outcome));
}

BatchConclusion ConversionBatch::Conclude() const {
  if (files_.size() == 1 && outcomes_.size() == 1) {
    const ConversionOutcome& outcome = outcomes_.front();
    switch (outcome.ending) {
      case ConversionOutcome::Ending::Converted:
        return {outcome.message, nullptr};
      case ConversionOutcome::Ending::Failed:
        return {{}, outcome.error};
      case ConversionOutcome::Ending::Cancelled:
        return {kCancelledMessage, nullptr};
    }
  }
  std::string summary;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    if (i > 0) summary += "\r\n";
    summary += Line(i);
  }
  return {summary, nullptr};
}

std::string ConversionBatch::Line(std::size_t index) const {
  const std::string& source = files_[index].source;
  std::string line = source.substr(FolderPart(source, syntax_).size()) + ": ";
  if (index >= outcomes_.size()) return line + kNotConverted;
  const ConversionOutcome& outcome = outcomes_[index];
  switch (outcome.ending) {
    case ConversionOutcome::Ending::Converted:
      return line + outcome.message;
    case ConversionOutcome::Ending::Failed:
      return line + ErrorBoxText(MessageOf(outcome.error), syntax_.isLeadByte);
    case ConversionOutcome::Ending::Cancelled:
      return line + kCancelledMessage;
  }
  return line;
}

}  // namespace swivex
