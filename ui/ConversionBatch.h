#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/Exceptions.h"
#include "platform/FileIdentity.h"
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
// converted, whichever comes first; a file that joins the batch later meets the same rule
// against the files converted and converting.
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

// What a batch asks of the system about its files, which are named by full paths: how names are
// spelled, and whether two names lead to one file. Two names that both lead to a file are one
// file when the files' identities are (a hard link, a short name, a share and its mapped drive);
// a name that leads to none, such as a target not written yet, is compared by its spelling.
struct BatchNames {
  PathSyntax syntax;
  FileIdentities* identities;
  SameNameTest sameName;
};

// Files converted one after the other, in the order given, with one conclusion for them all.
class ConversionBatch {
 public:
  // One file, and the conversion that a menu command chose for it whatever its type.
  static ConversionBatch Single(std::string source, ConversionKind kind, const BatchNames& names);
  // Files dropped on the window or named on the command line, each converted as its type says.
  static ConversionBatch ByFileType(const std::vector<std::string>& sources,
                                    const BatchNames& names);

  // Files that join the batch while it runs, converted after its others as their type says. A
  // file whose target is the source of a file of the batch, or whose source is the target of
  // one, converted, converting or waiting, fails with ETargetInBatch at its turn. Returns true
  // when the converting file's target is the source of one that joins: its conversion is to be
  // cancelled, which leaves that source as it was, and the file then fails with ETargetInBatch
  // too, the batch going on.
  [[nodiscard]] bool Add(const std::vector<std::string>& sources);

  // Hands the next file to `start`, which begins its conversion, and returns true; the file's
  // outcome comes later through Finish. A file of another type is passed over, its outcome an
  // EUnsupportedFile, as is a file whose target is another file of the batch, its outcome an
  // ETargetInBatch; a file whose start raises an error (out of memory, no thread) fails with
  // that error. The next file is tried after any of them. False once every file has had its
  // turn, or after a cancel or Stop.
  bool StartNext(const std::function<void(const BatchFile&)>& start);
  // The outcome of the file that StartNext started last. A cancel ends the batch, unless Add
  // asked for it.
  void Finish(ConversionOutcome outcome);
  // Ends the batch before the files that have not had their turn.
  void Stop() { stopped_ = true; }
  // Of the file that StartNext started last, while it converts.
  BatchPosition Position() const { return {outcomes_.size() + 1, entries_.size()}; }

  // One file's conclusion is what the menu commands show: its result message, its error report
  // or the cancel message. Several files' is one line per file: its name, ": " and its result
  // message or error text (as the error box shows it), or "Not converted." for the files after
  // a cancel.
  BatchConclusion Conclude() const;

 private:
  // A name, and the file that it led to when it was last looked at.
  struct FileKey {
    std::string name;
    std::optional<FileIdentity> identity;
  };
  struct Entry {
    BatchFile file;
    // Looked at as the file came: the files of a batch are never replaced.
    FileKey source;
    // Looked at again as the file starts, converts and ends: its conversion writes it.
    FileKey target;
    // Why the file fails at its turn, or, for the converting file, why it was cancelled.
    std::exception_ptr refusal;
  };

  explicit ConversionBatch(const BatchNames& names) : names_(names) {}
  void Append(std::string source, std::optional<ConversionKind> kind);
  FileKey KeyOf(const std::string& name) const;
  bool Same(const FileKey& a, const FileKey& b) const;
  void LookAtTarget(Entry& entry) const;
  const BatchFile* Next();
  // The batch's other file that the file's conversion would write, if any.
  const Entry* OtherFileAtTarget(std::size_t index) const;
  // The refusal of a file that would replace `other`.
  std::exception_ptr WouldReplace(const Entry& other) const;
  std::string NameOf(const std::string& path) const;
  std::string Line(std::size_t index) const;

  std::vector<Entry> entries_;
  std::vector<ConversionOutcome> outcomes_;  // of the files that had their turn, in order
  BatchNames names_;
  bool converting_ = false;  // the file after the last outcome converts
  bool stopped_ = false;
};

}  // namespace swivex
