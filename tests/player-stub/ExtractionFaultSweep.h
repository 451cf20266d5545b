#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include "playback/FileSystem.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {

// Where a fault sweep runs the extraction: a system, a projector named intro.exe and the
// folder Swivex in its temporary folder.
class ExtractionWorld {
 public:
  virtual ~ExtractionWorld() = default;

  // Puts `projector` in place and, if given, `copyBefore` as the folder's "intro.swf"; with
  // none, the folder does not exist. Nothing is left of earlier runs.
  virtual void Prepare(const Bytes& projector, const std::optional<Bytes>& copyBefore) = 0;
  virtual FileSystem& System() = 0;
  virtual Bytes Projector() = 0;
  // Every file in the copy folder by name.
  virtual std::map<std::string, Bytes> CopyFolder() = 0;
};

struct SweepScenario {
  const char* name;
  std::optional<Bytes> copyBefore;
  const char* expectedCopy;  // the name under which the movie ends up
};

struct SweepCounts {
  std::size_t calls = 0;  // the calls of a run without faults: the failure points
  std::size_t runs = 0;   // the runs with one fault each
  std::string callNames;  // those calls in order, for the record
};

// Runs the extraction of `movie` once without faults, then once for every call k of that run
// with call k failing: with an error, and for reads and writes also with a short transfer and
// with none. Checks every run: failure with a message (a short transfer must still save the
// movie), the projector and every file that was there before unchanged, no file in the folder
// but those and a complete copy, every file closed.
SweepCounts SweepFaults(ExtractionWorld& world, const Bytes& movie, const SweepScenario& scenario);

// A projector as Swivex builds it: stub bytes, the movie, the marker 56 34 12 FA and the
// movie's length, little-endian.
Bytes ProjectorOf(const Bytes& movie);

}  // namespace swivex::testing
