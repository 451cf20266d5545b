#include <cstdint>
#include <memory>
#include <vector>

#include "common/FileNames.h"
#include "console/Commands.h"
#include "console/FileTurn.h"
#include "console/MovieFile.h"
#include "console/OutputFolder.h"
#include "console/OutputNames.h"
#include "console/ProgressLine.h"
#include "console/RunFiles.h"
#include "playback/GzipInflater.h"
#include "playback/PlayerPage.h"
#include "projector/TargetFile.h"
#include "swf/MovieReader.h"

namespace swivex::console {

namespace {

constexpr char kPageName[] = "index.html";

// Where one movie's folder goes: beside the movie as NAME-web; with -o, that folder itself for
// one movie, and a folder NAME in it for each of several.
std::string WebFolderFor(const CommandLine& line, const std::string& movie,
                         const PathSyntax& syntax) {
  if (!line.output) return ReplaceExtension(movie, "-web", syntax);
  if (line.inputs.size() == 1) return *line.output;
  return InFolder(*line.output, NamePart(ReplaceExtension(movie, "", syntax), syntax), syntax);
}

// A file that is no movie would make a page that plays nothing: its header is read first, and
// the file is left at the movie's first byte again.
void CheckIsMovie(MovieFile& movie) {
  {
    MovieBytes bytes(movie, nullptr, nullptr);
    swf::MovieReader header(bytes);
  }
  if (movie.projector) {
    movie.file.Seek(static_cast<std::int64_t>(movie.projector->offset) -
                    static_cast<std::int64_t>(movie.file.Size()));
  } else {
    movie.file.Rewind();
  }
}

// Writes a player's file as a web server serves it: unpacked.
void WritePlain(const PlayerFile& file, FileStream& target) {
  GzipInflater inflater(file.gzip);
  std::vector<unsigned char> piece(64 * 1024);
  std::size_t filled = 0;
  do {
    if (!inflater.Next(piece, filled))
      throw Exception("The player's file " + std::string(file.name) +
                      " in this program is damaged, or there is not enough memory to unpack it");
    target.WriteExact(piece.data(), filled);
  } while (filled != 0);
}

// One movie's folder: the movie, the player's files and the page. Every file is written beside
// its place first, and none takes its place before all are complete, the page last: a failure
// or a cancel leaves every file there as it was, and no folder of its own.
void WriteWebFolder(const std::string& input, const std::string& folder, const CommandLine& line,
                    ConsoleSystem& system, RunFiles& run) {
  if (system.player.empty())
    throw Exception("The Flash player's files are missing from this program");
  const PathSyntax syntax = system.files.Syntax();
  MovieFile movie = OpenMovieFile(input, system.files);
  CheckIsMovie(movie);

  std::string title = NamePart(ReplaceExtension(input, "", syntax), syntax);
  if (title.empty()) title = "movie";
  const std::string movieName = title + ".swf";
  std::vector<char> pageStorage(kPlayerPageCapacity);
  TextBuffer page(pageStorage.data(), pageStorage.size());
  if (!WriteWebPage(title, movieName, page))
    throw Exception("The movie's name is too long for its page");

  std::vector<std::string> targets = {InFolder(folder, movieName, syntax)};
  for (const PlayerFile& file : system.player)
    targets.push_back(InFolder(folder, file.name, syntax));
  targets.push_back(InFolder(folder, kPageName, syntax));
  for (const std::string& target : targets) run.CheckTarget(input, target);

  MadeFolders made(system);
  made.Ensure(folder);
  const ExistingTarget existing = line.force ? ExistingTarget::kReplace : ExistingTarget::kRefuse;
  std::vector<std::unique_ptr<TargetFile>> files;
  for (const std::string& target : targets)
    files.push_back(std::make_unique<TargetFile>(target, system.files, existing));

  ProgressLine progress(system.console, system.stops, folder);
  FileStream& movieCopy = files.front()->Stream();
  movieCopy.FollowWrites(&progress, movie.length);
  movieCopy.CopyExactly(movie.file, movie.length);
  movie.file.Close();
  for (std::size_t index = 0; index < system.player.size(); ++index)
    WritePlain(system.player[index], files[index + 1]->Stream());
  const std::string_view text = page.View();
  files.back()->Stream().WriteExact(text.data(), text.size());
  if (progress.CancelRequested()) throw EConversionCancelled();

  for (const std::unique_ptr<TargetFile>& file : files) file->Commit();
  for (const std::string& target : targets) run.AddWritten(input, target);
  made.Keep();
}

}  // namespace

void RunWeb(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  RunFiles run(system.identities, "web folder");
  for (const std::string& movie : line.inputs) run.AddSource(movie);
  for (const std::string& movie : line.inputs) {
    const std::string folder = WebFolderFor(line, movie, system.files.Syntax());
    const bool goOn = TakeTurn(movie, outcomes, system.stops, [&] {
      WriteWebFolder(movie, folder, line, system, run);
      outcomes.Ok(movie, folder);
    });
    if (!goOn) return;
  }
}

}  // namespace swivex::console
