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
                                        const BatchNames& names) {
  ConversionBatch batch(names);
  batch.Append(std::move(source), kind);
  return batch;
}

ConversionBatch ConversionBatch::ByFileType(const std::vector<std::string>& sources,
                                            const BatchNames& names) {
  ConversionBatch batch(names);
  // Files that all wait need no check as they come: the check as each one starts sees every pair.
  for (const std::string& source : sources)
    batch.Append(source, ConversionForFile(source, names.syntax));
  return batch;
}

void ConversionBatch::Append(std::string source, std::optional<ConversionKind> kind) {
  Entry entry{{std::move(source), kind}, {}, {}, nullptr};
  entry.source = KeyOf(entry.file.source);
  LookAtTarget(entry);
  entries_.push_back(std::move(entry));
}

ConversionBatch::FileKey ConversionBatch::KeyOf(const std::string& name) const {
  return {name, names_.identities->IdentityOf(name)};
}

bool ConversionBatch::Same(const FileKey& a, const FileKey& b) const {
  if (a.identity && b.identity) return *a.identity == *b.identity;
  return names_.sameName(a.name, b.name);
}

void ConversionBatch::LookAtTarget(Entry& entry) const {
  if (entry.file.kind)
    entry.target = KeyOf(ConversionTarget(*entry.file.kind, entry.file.source, names_.syntax));
}

bool ConversionBatch::Add(const std::vector<std::string>& sources) {
  bool cancelConverting = false;
  // The converting file's target may have been replaced a moment ago.
  if (converting_) LookAtTarget(entries_[outcomes_.size()]);
  for (const std::string& source : sources) {
    const std::size_t earlier = entries_.size();
    Append(source, ConversionForFile(source, names_.syntax));
    Entry& joining = entries_.back();
    if (!joining.file.kind) continue;
    for (std::size_t index = 0; index < earlier; ++index) {
      Entry& other = entries_[index];
      const bool replacesOther = Same(joining.target, other.source);
      const bool replacedByOther = other.file.kind && Same(joining.source, other.target);
      if (!replacesOther && !replacedByOther) continue;
      if (!joining.refusal) joining.refusal = WouldReplace(other);
      if (replacedByOther && converting_ && index == outcomes_.size()) {
        other.refusal = WouldReplace(joining);
        cancelConverting = true;
      }
    }
  }
  return cancelConverting;
}

std::exception_ptr ConversionBatch::WouldReplace(const Entry& other) const {
  return std::make_exception_ptr(ETargetInBatch(NameOf(other.file.source)));
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
  while (!stopped_ && outcomes_.size() < entries_.size()) {
    const std::size_t index = outcomes_.size();
    Entry& entry = entries_[index];
    std::exception_ptr refusal = entry.refusal;
    if (!entry.file.kind) {
      refusal = std::make_exception_ptr(EUnsupportedFile(entry.file.source));
    } else if (!refusal) {
      // An earlier conversion may have written it since the file came.
      LookAtTarget(entry);
      if (const Entry* other = OtherFileAtTarget(index)) refusal = WouldReplace(*other);
    }
    if (!refusal) {
      converting_ = true;
      return &entry.file;
    }
    outcomes_.push_back(ConversionOutcome::Failed(refusal));
  }
  return nullptr;
}

const ConversionBatch::Entry* ConversionBatch::OtherFileAtTarget(std::size_t index) const {
  for (std::size_t other = 0; other < entries_.size(); ++other) {
    if (other != index && Same(entries_[index].target, entries_[other].source))
      return &entries_[other];
  }
  return nullptr;
}

std::string ConversionBatch::NameOf(const std::string& path) const {
  return path.substr(FolderPart(path, names_.syntax).size());
}

void ConversionBatch::Finish(ConversionOutcome outcome) {
  Entry& entry = entries_[outcomes_.size()];
  converting_ = false;
  // What the conversion wrote is now at its target.
  LookAtTarget(entry);
  if (outcome.ending == ConversionOutcome::Ending::Cancelled) {
    if (entry.refusal) {
      outcome = ConversionOutcome::Failed(entry.refusal);
    } else {
      stopped_ = true;
    }
  }
  outcomes_.push_back(std::move(outcome));
}

BatchConclusion ConversionBatch::Conclude() const {
  if (entries_.size() == 1 && outcomes_.size() == 1) {
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
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (i > 0) summary += "\r\n";
    summary += Line(i);
  }
  return {summary, nullptr};
}

std::string ConversionBatch::Line(std::size_t index) const {
  std::string line = NameOf(entries_[index].file.source) + ": ";
  if (index >= outcomes_.size()) return line + kNotConverted;
  const ConversionOutcome& outcome = outcomes_[index];
  switch (outcome.ending) {
    case ConversionOutcome::Ending::Converted:
      return line + outcome.message;
    case ConversionOutcome::Ending::Failed:
      return line + ErrorBoxText(ExceptionText(outcome.error), names_.syntax.isLeadByte);
    case ConversionOutcome::Ending::Cancelled:
      return line + kCancelledMessage;
  }
  return line;
}

}  // namespace swivex
