#include "common/Exceptions.h"
#include "common/ProgramFolder.h"
#include "console/Commands.h"
#include "console/FileTurn.h"
#include "console/OutputFolder.h"
#include "console/OutputNames.h"
#include "console/ProgressLine.h"
#include "console/RunFiles.h"
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

// The stub beside swivexc; the Linux stub also where the Linux package installs it, in
// lib/swivex beside the folder of swivexc (/usr/lib/swivex/viewhost for /usr/bin/swivexc). When
// neither is there, the failure names the one beside swivexc.
std::string DefaultStub(bool forLinux, ConsoleSystem& system) {
  const std::string folder = ProgramFolder(system.files);
  if (!forLinux) return folder + kPlayerStubName;
  const std::string beside = folder + kLinuxPlayerStubName;
  const char separator = system.files.Syntax().separator;
  const std::string installed =
      folder + ".." + separator + "lib" + separator + "swivex" + separator + kLinuxPlayerStubName;
  if (system.folders.KindOf(beside) == PathKind::kMissing &&
      system.folders.KindOf(installed) == PathKind::kFile)
    return installed;
  return beside;
}

// A Linux package carries the Linux stub alone: building for Windows there needs the Windows stub
// named, which the words say before any movie is tried.
void RefuseMissingWindowsStub(const std::string& stub, ConsoleSystem& system) {
  if (system.folders.KindOf(stub) != PathKind::kMissing) return;
  if (system.folders.KindOf(DefaultStub(true, system)) != PathKind::kFile) return;
  throw Exception("There is no Windows player stub (" + stub +
                  ") beside this swivexc, only the Linux one: add --linux to build projectors "
                  "for Linux, or name a Windows stub with --stub FILE.");
}

}  // namespace

void RunBuild(const CommandLine& line, ConsoleSystem& system, Outcomes& outcomes) {
  // A projector for Linux has the Linux stub, no extension, and may be run.
  const std::string extension = line.forLinux ? "" : ".exe";
  const std::string stub = line.stub ? *line.stub : DefaultStub(line.forLinux, system);
  if (!line.stub && !line.forLinux) RefuseMissingWindowsStub(stub, system);
  const bool oneFile = OutputIsOneFile(line, system);
  const std::string folder = oneFile || !line.output ? "" : *line.output;
  const ExistingTarget existing = line.force ? ExistingTarget::kReplace : ExistingTarget::kRefuse;
  RunFiles run(system.identities, "projector");
  for (const std::string& movie : line.inputs) run.AddSource(movie);
  for (const std::string& movie : line.inputs) {
    const std::string target =
        oneFile ? *line.output : TargetFor(movie, extension, folder, system.files.Syntax());
    const bool goOn = TakeTurn(movie, outcomes, system.stops, [&] {
      run.CheckTarget(movie, target);
      EnsureFolder(folder, system);
      ProgressLine progress(system.console, system.stops, target);
      BuildProjector(stub, movie, target, system.files, {&progress, existing, line.forLinux});
      run.AddWritten(movie, target);
      outcomes.Ok(movie, target);
    });
    if (!goOn) return;
  }
}

}  // namespace swivex::console
