#include <algorithm>
#include <vector>

#include "common/FileFailure.h"
#include "console/Commands.h"
#include "console/FileTurn.h"
#include "console/OutputFolder.h"
#include "console/OutputNames.h"
#include "console/ProgressLine.h"
#include "console/RunFiles.h"
#include "projector/ConversionProgress.h"
#include "projector/Conversions.h"
#include "projector/EmbeddedMovie.h"
#include "projector/ProjectorTrailer.h"

namespace swivex::console {

namespace {

constexpr char kNotProjector[] = "not a projector";

// What a look at a file's trailer found.
enum class Trailer { kProjector, kNone, kUnreadable };

// One file of the extraction, or a folder that could not be listed.
struct Turn {
  std::string file;
  std::string targetFolder;
  bool named = false;  // given by the user, not found in a folder
  Trailer trailer = Trailer::kUnreadable;
  ErrorCode listingError = 0;
};

// Every file is found, and looked at, before the first is extracted: a file that another's
// movie would replace is then known in either order, and no folder's listing sees what the
// extraction wrote.
class Extraction {
 public:
  Extraction(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes)
      : line_(line),
        system_(system),
        outcomes_(outcomes),
        syntax_(system.files.Syntax()),
        run_(system.identities, "movie") {}

  void Run() {
    // A walk through many folders takes a while: a request to stop ends it, reported for the
    // file or folder being walked, and nothing is extracted.
    for (const std::string& input : line_.inputs) {
      if (!TakeTurn(input, outcomes_, system_.stops, [&] { Find(input); })) return;
    }
    for (const Turn& turn : turns_) {
      if (Converts(turn)) run_.AddSource(turn.file);
    }
    for (const Turn& turn : turns_) {
      if (!TakeTurn(turn.file, outcomes_, system_.stops, [&] { Extract(turn); })) return;
    }
  }

 private:
  void Find(const std::string& input) {
    const std::string target = line_.output.value_or("");
    if (system_.folders.KindOf(input) == PathKind::kFolder) {
      FindInFolder(input, target);
    } else {
      turns_.push_back({input, target, true, LookAtTrailer(input)});
    }
  }

  // The files of `folder` in name order, then with -r its folders, each mirrored inside
  // `targetFolder` when there is one.
  void FindInFolder(const std::string& folder, const std::string& targetFolder) {
    StopIfRequested();
    FolderListing listing = system_.folders.List(folder);
    if (listing.error != 0) {
      turns_.push_back({folder, targetFolder, false, Trailer::kUnreadable, listing.error});
      return;
    }
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    for (const FolderEntry& entry : listing.entries) {
      if (entry.kind != PathKind::kFile) continue;
      StopIfRequested();
      const std::string file = InFolder(folder, entry.name, syntax_);
      turns_.push_back({file, targetFolder, false, LookAtTrailer(file)});
    }
    if (!line_.recursive) return;
    for (const FolderEntry& entry : listing.entries) {
      if (entry.kind != PathKind::kFolder) continue;
      const std::string inner =
          targetFolder.empty() ? "" : InFolder(targetFolder, entry.name, syntax_);
      FindInFolder(InFolder(folder, entry.name, syntax_), inner);
    }
  }

  void StopIfRequested() {
    if (system_.stops.Requested() != StopRequest::kNone) throw EConversionCancelled();
  }

  // A file too short for the trailer is no projector here, though the window's conversion
  // reads such a file from its start and may find it truncated: in a folder of many files a
  // short one is simply something else. What cannot be read is tried again in its turn, which
  // then tells why.
  Trailer LookAtTrailer(const std::string& file) {
    try {
      FileStream stream = FileStream::OpenRead(file, system_.files);
      const bool projector = stream.Size() >= kTrailerSize && FindEmbeddedMovie(stream).has_value();
      stream.Close();
      return projector ? Trailer::kProjector : Trailer::kNone;
    } catch (...) {
      return Trailer::kUnreadable;
    }
  }

  // Whether the turn is to write a movie: a file found in a folder that is no projector may be
  // replaced by another's movie.
  static bool Converts(const Turn& turn) {
    return turn.listingError == 0 && (turn.named || turn.trailer != Trailer::kNone);
  }

  void Extract(const Turn& turn) {
    if (turn.listingError != 0)
      throw Exception(
          FileFailureText("Cannot list folder", turn.file, turn.listingError, system_.files));
    if (turn.trailer == Trailer::kNone) {
      NotProjector(turn);
      return;
    }
    const std::string target = TargetFor(turn.file, ".swf", turn.targetFolder, syntax_);
    run_.CheckTarget(turn.file, target);
    EnsureFolder(turn.targetFolder, system_);
    ProgressLine progress(system_.console, system_.stops, target);
    const ExistingTarget existing =
        line_.force ? ExistingTarget::kReplace : ExistingTarget::kRefuse;
    if (ExtractMovie(turn.file, target, system_.files, {&progress, existing}) ==
        kUnknownProjectorMessage) {
      NotProjector(turn);  // changed since it was looked at
      return;
    }
    run_.AddWritten(turn.file, target);
    outcomes_.Ok(turn.file, target);
  }

  // A file the user named was meant to be converted: that it was not is a failure. One found
  // in a folder is simply something else.
  void NotProjector(const Turn& turn) {
    if (turn.named) throw Exception(kNotProjector);
    outcomes_.Skipped(turn.file, kNotProjector);
  }

  const CommandLine& line_;
  ConsoleSystem& system_;
  Outcomes& outcomes_;
  PathSyntax syntax_;
  RunFiles run_;
  std::vector<Turn> turns_;
};

}  // namespace

void RunExtract(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  Extraction(line, system, outcomes).Run();
}

}  // namespace swivex::console
