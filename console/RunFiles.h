#pragma once

#include <map>
#include <string>

#include "platform/FileIdentity.h"

namespace swivex::console {

// The files of one run that none of its conversions may replace, --force or not: the files it
// converts, and those it has written. A name stands for the file it leads to, however it is
// spelled.
class RunFiles {
 public:
  // `result` is what the command writes, as its messages name it: "projector", "movie", ...
  RunFiles(FileIdentities& identities, std::string result)
      : identities_(identities), result_(std::move(result)) {}

  // A file that the run converts; a name that leads to no file adds nothing.
  void AddSource(const std::string& source);
  // Raises Exception when `target`, written for `source`, would replace a file of the run:
  // 'The movie would replace "b.swf", which is also being converted', 'The movie would replace
  // "out/a.swf", which this run made from "old/a.exe"', or for `source` itself 'The projector
  // would replace "movie", which it is made from'. `source` need not name a file.
  void CheckTarget(const std::string& source, const std::string& target);
  // `target` holds what the run made from `source` now.
  void AddWritten(const std::string& source, const std::string& target);

 private:
  FileIdentities& identities_;
  std::string result_;
  std::map<FileIdentity, std::string> sources_;  // the name each was given by
  std::map<FileIdentity, std::string> written_;  // the source each was made from
};

}  // namespace swivex::console
