#include "ui/ConversionBatch.h"

#include "common/ExceptionText.h"
#include "common/FileNames.h"
#include "projector/ConversionProgress.h"
#include "shell/ErrorBoxText.h"

namespace swivex {

namespace {

constexpr char kNotConverted[] = "Not converted.";

}  // namespace

EUnsupportedFile::EUnsupportedFile(const std::string& path)
    : Exception("Cannot convert \"" + path +
                "\". Only movies (.swf) and projectors (.exe) can be converted") {}

ETargetInBatch::ETargetInBatch(const std::string& other)
    : Exception("would replace \"" + other + "\", which is also being converted") {}

ConversionBatch ConversionBatch::Single(std::string source, ConversionKind kind,
                                        const PathSyntax& syntax, SameNameTest sameName) {
  return ConversionBatch({{std::move(source), kind}}, syntax, sameName);
}

ConversionBatch ConversionBatch::ByFileType(const std::vector<std::string>& sources,
                                            const PathSyntax& syntax, SameNameTest sameName) {
  ConversionBatch batch({}, syntax, sameName);
  batch.Add(sources);
  return batch;
}

void ConversionBatch::Add(const std::vector<std::string>& sources) {
  for (const std::string& source : sources)
    files_.push_back({source, ConversionForFile(source, syntax_)});
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

// The next file that can be converted; the files before it that cannot fail.
const BatchFile* ConversionBatch::Next() {
  while (!stopped_ && outcomes_.size() < files_.size()) {
    const std::size_t index = outcomes_.size();
    const BatchFile& file = files_[index];
    std::exception_ptr refusal;
    if (!file.kind) {
      refusal = std::make_exception_ptr(EUnsupportedFile(file.source));
    } else if (const BatchFile* other = OtherFileAtTarget(index)) {
      refusal = std::make_exception_ptr(ETargetInBatch(NameOf(other->source)));
    } else {
      return &file;
    }
    outcomes_.push_back(ConversionOutcome::Failed(refusal));
  }
  return nullptr;
}

const BatchFile* ConversionBatch::OtherFileAtTarget(std::size_t index) const {
  const std::string target = ConversionTarget(*files_[index].kind, files_[index].source, syntax_);
  for (std::size_t other = 0; other < files_.size(); ++other) {
    if (other != index && sameName_(files_[other].source, target)) return &files_[other];
  }
  return nullptr;
}

std::string ConversionBatch::NameOf(const std::string& path) const {
  return path.substr(FolderPart(path, syntax_).size());
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
  std::string line = NameOf(files_[index].source) + ": ";
  if (index >= outcomes_.size()) return line + kNotConverted;
  const ConversionOutcome& outcome = outcomes_[index];
  switch (outcome.ending) {
    case ConversionOutcome::Ending::Converted:
      return line + outcome.message;
    case ConversionOutcome::Ending::Failed:
      return line + ErrorBoxText(ExceptionText(outcome.error), syntax_.isLeadByte);
    case ConversionOutcome::Ending::Cancelled:
      return line + kCancelledMessage;
  }
  return line;
}

}  // namespace swivex
