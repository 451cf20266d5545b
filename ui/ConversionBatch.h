#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/Exceptions.h"
#include "platform/FileNameComparison.h"
#include "platform/PathSyntax.h"
#include "projector/ConversionKind.h"

namespace swivex {

// Raised for a file given to convert that is neither a movie nor a projector; nothing is
// created for it.
class EUnsupportedFile : public Exception {
 public:
  explicit EUnsupportedFile(const std::string& path);
};

// Raised for a file whose target is another file of its batch, named `other` (intro.swf with
// intro.exe): converting it would replace a file that was given to convert. Neither is
// converted, whichever comes first.
class ETargetInBatch : public Exception {
 public:
  explicit ETargetInBatch(const std::string& other);
};

// How one conversion ended.
struct ConversionOutcome {
  enum class Ending { Converted, Failed, Cancelled };

  static ConversionOutcome Converted(std::string message) {
    return {Ending::Converted, std::move(message), nullptr};
  }
  static ConversionOutcome Failed(std::exception_ptr error) {
    return {Ending::Failed, {}, std::move(error)};
  }
  static ConversionOutcome Cancelled() { return {Ending::Cancelled, {}, nullptr}; }

  Ending ending;
  std::string message;       // the result message of a conversion that ran to its end
  std::exception_ptr error;  // the error report of one that failed, as it was raised
};

// What the user is told once a batch has ended: a text for the message dialog, or an error
// report for the error box.
struct BatchConclusion {
  std::string message;
  std::exception_ptr error;
};

// Where a batch is: the file being converted, counted from 1 among all the batch's files, and
// how many files the batch has.
struct BatchPosition {
  std::size_t number;
  std::size_t count;
};

// A file given to convert and the conversion chosen for it; none for a file of another type.
struct BatchFile {
  std::string source;
  std::optional<ConversionKind> kind;
};

// Files converted one after the other, in the order given, with one conclusion for them all.
// The files are full paths; `sameName` says whether two of them name one file.
class ConversionBatch {
 public:
  // One file, and the conversion that a menu command chose for it whatever its type.
  static ConversionBatch Single(std::string source, ConversionKind kind, const PathSyntax& syntax,
                                SameNameTest sameName);
  // Files dropped on the window or named on the command line, each converted as its type says.
  static ConversionBatch ByFileType(const std::vector<std::string>& sources,
                                    const PathSyntax& syntax, SameNameTest sameName);

  // Files that join the batch while it runs, converted after its others as their type says.
  void Add(const std::vector<std::string>& sources);

  // Hands the next file to `start`, which begins its conversion, and returns true; the file's
  // outcome comes later through Finish. A file of another type is passed over, its outcome an
  // EUnsupportedFile, as is a file whose target is another file of the batch, its outcome an
  // ETargetInBatch; a file whose start raises an error (out of memory, no thread) fails with
  // that error. The next file is tried after any of them. False once every file has had its
  // turn, or after a cancel or Stop.
  bool StartNext(const std::function<void(const BatchFile&)>& start);
  // The outcome of the file that StartNext started last. A cancel ends the batch.
  void Finish(ConversionOutcome outcome);
  // Ends the batch before the files that have not had their turn.
  void Stop() { stopped_ = true; }
  // Of the file that StartNext started last, while it converts.
  BatchPosition Position() const { return {outcomes_.size() + 1, files_.size()}; }

  // One file's conclusion is what the menu commands show: its result message, its error report
  // or the cancel message. Several files' is one line per file: its name, ": " and its result
  // message or error text (as the error box shows it), or "Not converted." for the files after
  // a cancel.
  BatchConclusion Conclude() const;

 private:
  ConversionBatch(std::vector<BatchFile> files, const PathSyntax& syntax, SameNameTest sameName)
      : files_(std::move(files)), syntax_(syntax), sameName_(sameName) {}
  const BatchFile* Next();
  // The batch's other file that the file's conversion would write, if any.
  const BatchFile* OtherFileAtTarget(std::size_t index) const;
  std::string NameOf(const std::string& path) const;
  std::string Line(std::size_t index) const;

  std::vector<BatchFile> files_;
  std::vector<ConversionOutcome> outcomes_;  // of the files that had their turn, in order
  PathSyntax syntax_;
  SameNameTest sameName_;
  bool stopped_ = false;
};

}  // namespace swivex
