#include <algorithm>

#include "common/FileFailure.h"
#include "console/Commands.h"
#include "console/OutputFolder.h"
#include "console/OutputNames.h"
#include "console/ProgressLine.h"
#include "projector/Conversions.h"
#include "projector/EmbeddedMovie.h"
#include "projector/ProjectorTrailer.h"

namespace swivex::console {

namespace {

constexpr char kNotProjector[] = "not a projector";

class Extraction {
 public:
  Extraction(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes)
      : line_(line), system_(system), outcomes_(outcomes), syntax_(system.files.Syntax()) {}

  void Input(const std::string& input) {
    const std::string target = line_.output.value_or("");
    if (system_.folders.KindOf(input) == PathKind::kFolder) {
      WalkFolder(input, target);
    } else {
      File(input, target);
    }
  }

 private:
  // The files of `folder` in name order, then with -r its folders, each mirrored inside
  // `targetFolder` when there is one.
  void WalkFolder(const std::string& folder, const std::string& targetFolder) {
    FolderListing listing = system_.folders.List(folder);
    if (listing.error != 0) {
      outcomes_.Failed(folder,
                       FileFailureText("Cannot list folder", folder, listing.error, system_.files));
      return;
    }
    std::sort(listing.entries.begin(), listing.entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    for (const FolderEntry& entry : listing.entries) {
      if (entry.kind == PathKind::kFile) File(InFolder(folder, entry.name, syntax_), targetFolder);
    }
    if (!line_.recursive) return;
    for (const FolderEntry& entry : listing.entries) {
      if (entry.kind != PathKind::kFolder) continue;
      const std::string inner =
          targetFolder.empty() ? "" : InFolder(targetFolder, entry.name, syntax_);
      WalkFolder(InFolder(folder, entry.name, syntax_), inner);
    }
  }

  void File(const std::string& file, const std::string& targetFolder) {
    const std::string target = TargetFor(file, ".swf", targetFolder, syntax_);
    try {
      if (!IsProjector(file)) {
        outcomes_.Skipped(file, kNotProjector);
        return;
      }
      EnsureFolder(targetFolder, system_);
      ProgressLine progress(system_.console, target);
      const ExistingTarget existing =
          line_.force ? ExistingTarget::kReplace : ExistingTarget::kRefuse;
      if (ExtractMovie(file, target, system_.files, {&progress, existing}) ==
          kUnknownProjectorMessage) {
        outcomes_.Skipped(file, kNotProjector);  // changed since it was looked at
        return;
      }
      outcomes_.Ok(file, target);
    } catch (const ETargetExists& error) {
      outcomes_.Failed(file, error.Message() + " (--force replaces it)");
    } catch (const Exception& error) {
      outcomes_.Failed(file, error.Message());
    }
  }

  // A file too short for the trailer is no projector here, though the window's conversion
  // reads such a file from its start and may find it truncated: in a folder of many files a
  // short one is simply something else.
  bool IsProjector(const std::string& file) {
    FileStream stream = FileStream::OpenRead(file, system_.files);
    const bool projector = stream.Size() >= kTrailerSize && FindEmbeddedMovie(stream).has_value();
    stream.Close();
    return projector;
  }

  const CommandLine& line_;
  ConsoleSystem& system_;
  Outcomes& outcomes_;
  PathSyntax syntax_;
};

}  // namespace

void RunExtract(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  Extraction extraction(line, system, outcomes);
  for (const std::string& input : line.inputs) extraction.Input(input);
}

}  // namespace swivex::console
