#include "common/FileNames.h"
#include "console/Commands.h"
#include "console/MovieFile.h"
#include "console/OutputFolder.h"
#include "console/OutputNames.h"
#include "console/ProgressLine.h"
#include "projector/Conversions.h"
#include "projector/TargetFile.h"
#include "swf/MovieReader.h"
#include "swf/PictureFile.h"
#include "swf/PictureLimits.h"

namespace swivex::console {

namespace {

// Writes every picture of the walk into one folder as "<character id><extension>", going on
// after a picture that cannot be written.
class PictureWriter final : public swf::PictureVisitor {
 public:
  PictureWriter(const std::string& folder, ExistingTarget existing, ConsoleSystem& system,
                Outcomes& outcomes)
      : folder_(folder), existing_(existing), system_(system), outcomes_(outcomes) {}

  bool Wants(const swf::PictureInfo&) override { return true; }

  void Take(swf::Picture picture) override {
    const std::string what = swf::DescribePicture(picture.info);
    try {
      const swf::PictureFile file = swf::ToPictureFile(picture);
      const std::string target =
          InFolder(folder_, std::to_string(picture.info.characterId) + file.extension,
                   system_.files.Syntax());
      Write(target, file.bytes);
      outcomes_.Ok(what, file.alphaDropped ? target + " (without its alpha plane)" : target);
      ++written_;
    } catch (const ETargetExists& error) {
      outcomes_.Failed(what, error.Message() + " (--force replaces it)");
    } catch (const Exception& error) {
      outcomes_.Failed(what, error.Message());
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
  unsigned written_ = 0;
};

}  // namespace

void RunPictures(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  const std::string& input = line.inputs.front();
  // Beside the movie by default: "intro.swf" -> "intro-pictures".
  const std::string folder =
      line.output.value_or(ReplaceExtension(input, "-pictures", system.files.Syntax()));
  const ExistingTarget existing = line.force ? ExistingTarget::kReplace : ExistingTarget::kRefuse;
  PictureWriter writer(folder, existing, system, outcomes);
  try {
    MovieFile movie = OpenMovieFile(input, system.files);
    ProgressLine progress(system.console, input);
    MovieBytes bytes(movie, nullptr, &progress);
    swf::MovieReader reader(bytes);
    const swf::MovieSummary summary = reader.Walk(&writer);
    movie.file.Close();
    outcomes.Print(input + ": " + std::to_string(writer.Written()) + " of " +
                   std::to_string(summary.pictures.size()) + " pictures written to " + folder);
  } catch (const Exception& error) {
    outcomes.Failed(input, error.Message());
  }
}

}  // namespace swivex::console
