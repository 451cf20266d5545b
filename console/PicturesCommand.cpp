#include "common/FileNames.h"
#include "console/Commands.h"
#include "console/FileTurn.h"
#include "console/MovieFile.h"
#include "console/OutputFolder.h"
#include "console/OutputNames.h"
#include "console/ProgressLine.h"
#include "console/RunFiles.h"
#include "projector/Conversions.h"
#include "projector/TargetFile.h"
#include "swf/MovieReader.h"
#include "swf/PictureFile.h"
#include "swf/PictureLimits.h"

namespace swivex::console {

namespace {

// Writes every picture of the walk into one folder as "<character id><extension>", going on
// after a picture that cannot be written. Two pictures of one id (a damaged movie) do not
// replace one another.
class PictureWriter final : public swf::PictureVisitor {
 public:
  PictureWriter(const std::string& folder, ExistingTarget existing, ConsoleSystem& system,
                Outcomes& outcomes)
      : folder_(folder),
        existing_(existing),
        system_(system),
        outcomes_(outcomes),
        run_(system.identities, "picture") {}

  bool Wants(const swf::PictureInfo&) override { return true; }

  void Take(swf::Picture picture) override {
    if (system_.stops.Requested() != StopRequest::kNone) throw EConversionCancelled();
    const std::string what = swf::DescribePicture(picture.info);
    try {
      const swf::PictureFile file = swf::ToPictureFile(picture);
      const std::string target =
          InFolder(folder_, std::to_string(picture.info.characterId) + file.extension,
                   system_.files.Syntax());
      run_.CheckTarget(what, target);
      Write(target, file.bytes);
      run_.AddWritten(what, target);
      outcomes_.Ok(what, file.alphaDropped ? target + " (without its alpha plane)" : target);
      ++written_;
    } catch (...) {
      outcomes_.Failed(what, FailureText(std::current_exception()));
    }
  }

  // Fails that picture alone: the walk goes on with the next.
  void Refuse(const swf::PictureInfo& picture, const swf::ESwfError& reason) override {
    outcomes_.Failed(swf::DescribePicture(picture), reason.Message());
  }

  unsigned Written() const { return written_; }

 private:
  void Write(const std::string& target, const std::vector<std::uint8_t>& bytes) {
    // Made with the first picture, so that a movie without any, or one that cannot be read,
    // leaves no empty folder behind.
    EnsureFolder(folder_, system_);
    TargetFile file(target, system_.files, existing_);
    file.Stream().WriteExact(bytes.data(), bytes.size());
    file.Commit();
  }

  const std::string& folder_;
  ExistingTarget existing_;
  ConsoleSystem& system_;
  Outcomes& outcomes_;
  RunFiles run_;
  unsigned written_ = 0;
};

// "3 of 4 pictures written to art"; without a picture written, the folder was never made and
// the line does not name it.
std::string PicturesSummary(unsigned written, std::size_t found, const std::string& folder) {
  if (found == 0) return "no pictures";
  if (written == 0) return "no pictures written (0 of " + std::to_string(found) + ")";
  return std::to_string(written) + " of " + std::to_string(found) + " pictures written to " +
         folder;
}

}  // namespace

void RunPictures(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  const std::string& input = line.inputs.front();
  // Beside the movie by default: "intro.swf" -> "intro-pictures".
  const std::string folder =
      line.output.value_or(ReplaceExtension(input, "-pictures", system.files.Syntax()));
  const ExistingTarget existing = line.force ? ExistingTarget::kReplace : ExistingTarget::kRefuse;
  PictureWriter writer(folder, existing, system, outcomes);
  TakeTurn(input, outcomes, system.stops, [&] {
    MovieFile movie = OpenMovieFile(input, system.files);
    ProgressLine progress(system.console, system.stops, input);
    MovieBytes bytes(movie, nullptr, &progress);
    swf::MovieReader reader(bytes);
    const swf::MovieSummary summary = reader.Walk(&writer);
    movie.file.Close();
    outcomes.Print(input + ": " +
                   PicturesSummary(writer.Written(), summary.pictures.size(), folder));
  });
}

}  // namespace swivex::console
