#include "common/ProgramFolder.h"
#include "console/Commands.h"
#include "console/OutputFolder.h"
#include "console/OutputNames.h"
#include "console/ProgressLine.h"
#include "projector/Conversions.h"

namespace swivex::console {

namespace {

// -o names the projector itself when one movie is built and the name is no folder; otherwise
// the folder the projectors go to.
bool OutputIsOneFile(const CommandLine& line, ConsoleSystem& system) {
  if (!line.output || line.inputs.size() != 1) return false;
  const std::string& output = *line.output;
  if (NamePart(output, system.files.Syntax()).empty()) return false;
  return system.folders.KindOf(output) != PathKind::kFolder;
}

}  // namespace

void RunBuild(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  const std::string stub = line.stub ? *line.stub : ProgramFolder(system.files) + kPlayerStubName;
  const bool oneFile = OutputIsOneFile(line, system);
  const std::string folder = oneFile || !line.output ? "" : *line.output;
  const ExistingTarget existing = line.force ? ExistingTarget::kReplace : ExistingTarget::kRefuse;
  for (const std::string& movie : line.inputs) {
    const std::string target =
        oneFile ? *line.output : TargetFor(movie, ".exe", folder, system.files.Syntax());
    try {
      EnsureFolder(folder, system);
      ProgressLine progress(system.console, target);
      BuildProjector(stub, movie, target, system.files, {&progress, existing});
      outcomes.Ok(movie, target);
    } catch (const ETargetExists& error) {
      outcomes.Failed(movie, error.Message() + " (--force replaces it)");
    } catch (const Exception& error) {
      outcomes.Failed(movie, error.Message());
    }
  }
}

}  // namespace swivex::console
