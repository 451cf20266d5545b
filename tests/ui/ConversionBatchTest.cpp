#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/Exceptions.h"
#include "platform/FileIdentity.h"
#include "platform/SystemFileIdentities.h"
#include "platform/SystemFiles.h"
#include "tests/support/AsciiText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "ui/ConversionBatch.h"

namespace swivex::testing {
namespace {

bool NoLeadByte(unsigned char) { return false; }

constexpr PathSyntax kWindowsPaths{'\\', NoLeadByte};

// Names compared as Windows compares them, for the letters that these tests use.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return AsciiLower(std::string(a)) == AsciiLower(std::string(b));
}

// The names of these tests lead to no file: they are told apart by their spelling alone.
class NoFiles final : public FileIdentities {
 public:
  std::optional<FileIdentity> IdentityOf(const std::string&) override { return std::nullopt; }
};

BatchNames WindowsNames() {
  static NoFiles noFiles;
  return {kWindowsPaths, &noFiles, SameIgnoringCase};
}

ConversionBatch WindowsBatch(const std::vector<std::string>& files) {
  return ConversionBatch::ByFileType(files, WindowsNames());
}
constexpr char kConverted[] = "File has been converted successfully!";

std::string ErrorText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& raised) {
    return raised.Message();
  }
}

ConversionOutcome Failing(const char* message) {
  return ConversionOutcome::Failed(std::make_exception_ptr(EReadError(message)));
}

// What becomes of a file that the batch starts: its conversion's outcome, or an error that its
// start raises.
struct Turn {
  ConversionOutcome outcome = ConversionOutcome::Cancelled();
  std::exception_ptr startError = nullptr;
};

Turn Ends(ConversionOutcome outcome) { return {std::move(outcome)}; }

template <typename Error>
Turn StartRaises(Error error) {
  return {ConversionOutcome::Cancelled(), std::make_exception_ptr(error)};
}

// Plays the turns, in order, on the files that the batch starts; returns those files.
std::vector<std::string> HandOut(ConversionBatch& batch, const std::vector<Turn>& turns) {
  std::vector<std::string> started;
  auto turn = turns.begin();
  const auto start = [&](const BatchFile& file) {
    started.push_back(file.source);
    if (turn == turns.end()) throw std::logic_error("a file is left over");
    if (turn->startError) std::rethrow_exception((turn++)->startError);
  };
  while (batch.StartNext(start)) batch.Finish((turn++)->outcome);
  EXPECT_TRUE(turn == turns.end()) << "a turn is left over";
  return started;
}

// The file that the batch starts next, if any.
std::optional<BatchFile> StartedNext(ConversionBatch& batch) {
  std::optional<BatchFile> started;
  batch.StartNext([&](const BatchFile& file) { started = file; });
  return started;
}

TEST(ConversionBatch, ConvertsInOrderPassingOverFilesItCannotConvertAndSumsUpEachFile) {
  struct Case {
    const char* name;
    std::vector<std::string> files;
    std::vector<Turn> turns;
    std::vector<std::string> started;
    std::string summary;
  };
  const Case cases[] = {
      {"mixed",
       {"C:\\m\\a.swf", "C:\\m\\notes.txt", "C:\\d\\b.EXE", "C:\\m\\c.exe"},
       {Ends(ConversionOutcome::Converted(kConverted)), Ends(Failing("Stream read error")),
        Ends(ConversionOutcome::Converted("Unknown type of executable flash file!"))},
       {"C:\\m\\a.swf", "C:\\d\\b.EXE", "C:\\m\\c.exe"},
       "a.swf: File has been converted successfully!\r\n"
       "notes.txt: Cannot convert \"C:\\m\\notes.txt\". Only movies (.swf) and projectors (.exe) "
       "can be converted.\r\n"
       "b.EXE: Stream read error.\r\n"
       "c.exe: Unknown type of executable flash file!"},
      {"a cancel ends the batch",
       {"C:\\m\\a.swf", "C:\\m\\b.swf", "C:\\m\\c.swf", "C:\\m\\d.txt"},
       {Ends(ConversionOutcome::Converted(kConverted)), Ends(ConversionOutcome::Cancelled())},
       {"C:\\m\\a.swf", "C:\\m\\b.swf"},
       "a.swf: File has been converted successfully!\r\n"
       "b.swf: The conversion was cancelled.\r\n"
       "c.swf: Not converted.\r\n"
       "d.txt: Not converted."},
      {"an error as a file starts fails that file alone",
       {"C:\\m\\a.swf", "C:\\m\\b.exe", "C:\\m\\c.swf", "C:\\m\\d.swf"},
       {StartRaises(std::bad_alloc()),
        StartRaises(std::runtime_error("Cannot load \"C:\\windows\\system32\\bcrypt.dll\"")),
        StartRaises(42), Ends(ConversionOutcome::Converted(kConverted))},
       {"C:\\m\\a.swf", "C:\\m\\b.exe", "C:\\m\\c.swf", "C:\\m\\d.swf"},
       "a.swf: Not enough memory.\r\n"
       "b.exe: Cannot load \"C:\\windows\\system32\\bcrypt.dll\"\r\n"
       "c.swf: Unknown error.\r\n"
       "d.swf: File has been converted successfully!"},
      {"a file whose target is another file of the batch is not converted",
       {"C:\\m\\intro.swf", "C:\\m\\intro.exe", "C:\\m\\b.swf"},
       {Ends(ConversionOutcome::Converted(kConverted))},
       {"C:\\m\\b.swf"},
       "intro.swf: would replace \"intro.exe\", which is also being converted.\r\n"
       "intro.exe: would replace \"intro.swf\", which is also being converted.\r\n"
       "b.swf: File has been converted successfully!"},
      {"in either order and any letter case, also after a file of another type",
       {"C:\\m\\CLIP.EXE", "C:\\m\\clip.txt", "C:\\m\\clip.Swf"},
       {},
       {},
       "CLIP.EXE: would replace \"clip.Swf\", which is also being converted.\r\n"
       "clip.txt: Cannot convert \"C:\\m\\clip.txt\". Only movies (.swf) and projectors (.exe) can "
       "be converted.\r\n"
       "clip.Swf: would replace \"CLIP.EXE\", which is also being converted."},
      {"the same name in another folder, or the same file twice, is no other file",
       {"C:\\m\\intro.swf", "C:\\d\\intro.exe", "C:\\m\\intro.swf"},
       {Ends(ConversionOutcome::Converted(kConverted)),
        Ends(ConversionOutcome::Converted(kConverted)),
        Ends(ConversionOutcome::Converted(kConverted))},
       {"C:\\m\\intro.swf", "C:\\d\\intro.exe", "C:\\m\\intro.swf"},
       "intro.swf: File has been converted successfully!\r\n"
       "intro.exe: File has been converted successfully!\r\n"
       "intro.swf: File has been converted successfully!"},
      {"nothing to convert",
       {"C:\\m\\x", "C:\\m\\y.jpg"},
       {},
       {},
       "x: Cannot convert \"C:\\m\\x\". Only movies (.swf) and projectors (.exe) can be "
       "converted.\r\n"
       "y.jpg: Cannot convert \"C:\\m\\y.jpg\". Only movies (.swf) and projectors (.exe) can be "
       "converted."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConversionBatch batch = WindowsBatch(c.files);
    EXPECT_EQ(HandOut(batch, c.turns), c.started);
    const BatchConclusion conclusion = batch.Conclude();
    EXPECT_EQ(conclusion.message, c.summary);
    EXPECT_FALSE(conclusion.error);
  }
}

// The progress window's "3 of 300": files of other types, and files whose start failed, count.
TEST(ConversionBatch, CountsTheConvertingFileAmongAllFiles) {
  ConversionBatch batch = WindowsBatch(
      {"C:\\m\\a.swf", "C:\\m\\notes.txt", "C:\\m\\b.exe", "C:\\m\\c.swf", "C:\\m\\d.swf"});
  std::vector<std::pair<std::size_t, std::size_t>> positions;
  const auto start = [&](const BatchFile& file) {
    positions.emplace_back(batch.Position().number, batch.Position().count);
    if (file.source == "C:\\m\\b.exe") throw std::bad_alloc();
  };
  while (batch.StartNext(start)) batch.Finish(ConversionOutcome::Converted(kConverted));
  EXPECT_EQ(positions,
            (std::vector<std::pair<std::size_t, std::size_t>>{{1, 5}, {3, 5}, {4, 5}, {5, 5}}));
}

std::string Refused(const std::string& name, const std::string& other) {
  return name + ": would replace \"" + other + "\", which is also being converted.";
}

// Converts the first `converted` files; the next one converts as `joining` join.
bool JoinWhileConverting(ConversionBatch& batch, std::size_t converted,
                         const std::vector<std::string>& joining) {
  for (std::size_t i = 0; i <= converted; ++i) {
    EXPECT_TRUE(StartedNext(batch));
    if (i < converted) batch.Finish(ConversionOutcome::Converted(kConverted));
  }
  return batch.Add(joining);
}

// The files in C:\m that `names` lists, separated by blanks.
std::vector<std::string> InFolder(const std::string& names) {
  std::vector<std::string> files;
  std::istringstream list(names);
  for (std::string name; list >> name;) files.push_back("C:\\m\\" + name);
  return files;
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

// Files that join while the batch runs (handed over by another Swivex) come after its others and
// count, and meet the batch's rule against the files converted, converting and waiting. The
// converting file is cancelled when it would replace one; that cancel fails it, the batch goes on.
TEST(ConversionBatch, FilesThatJoinComeAfterTheOthersAndNeverReplaceOne) {
  const std::string ok = std::string(": ") + kConverted;
  struct Case {
    const char* name;
    const char* files;
    std::size_t converted;  // before the others join; the next converts
    const char* joining;
    bool cancelsConverting;
    const char* startedAfter;
    std::string summary;
  };
  const Case cases[] = {
      {"a movie converts as its projector joins", "a.swf", 0, "a.exe", true, "",
       Lines({Refused("a.swf", "a.exe"), Refused("a.exe", "a.swf")})},
      {"a projector converts as its movie joins", "b.swf A.EXE c.swf", 1, "a.swf", true, "c.swf",
       Lines({"b.swf" + ok, Refused("A.EXE", "a.swf"), "c.swf" + ok, Refused("a.swf", "A.EXE")})},
      {"a projector joins after its movie", "a.swf b.swf", 1, "a.exe", false, "",
       Lines({"a.swf" + ok, "b.swf" + ok, Refused("a.exe", "a.swf")})},
      {"a movie joins after its projector", "a.exe b.swf", 1, "a.swf", false, "",
       Lines({"a.exe" + ok, "b.swf" + ok, Refused("a.swf", "a.exe")})},
      {"a projector joins while its movie waits", "b.swf a.swf", 0, "a.exe", false, "",
       Lines({"b.swf" + ok, Refused("a.swf", "a.exe"), Refused("a.exe", "a.swf")})},
      {"a movie joins while its projector waits", "b.swf a.exe", 0, "a.swf", false, "",
       Lines({"b.swf" + ok, Refused("a.exe", "a.swf"), Refused("a.swf", "a.exe")})},
      {"files that replace none of the batch", "a.swf", 0, "b.exe x.txt", false, "b.exe",
       Lines({"a.swf" + ok, "b.exe" + ok,
              "x.txt: Cannot convert \"C:\\m\\x.txt\". Only movies (.swf) and projectors (.exe) "
              "can be converted."})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConversionBatch batch = WindowsBatch(InFolder(c.files));
    const std::vector<std::string> joining = InFolder(c.joining);
    EXPECT_EQ(JoinWhileConverting(batch, c.converted, joining), c.cancelsConverting);
    EXPECT_EQ(batch.Position().number, c.converted + 1);
    EXPECT_EQ(batch.Position().count, InFolder(c.files).size() + joining.size());
    batch.Finish(c.cancelsConverting ? ConversionOutcome::Cancelled()
                                     : ConversionOutcome::Converted(kConverted));
    const std::vector<std::string> startedAfter = InFolder(c.startedAfter);
    EXPECT_EQ(HandOut(batch, std::vector<Turn>(startedAfter.size(),
                                               Ends(ConversionOutcome::Converted(kConverted)))),
              startedAfter);
    EXPECT_EQ(batch.Conclude().message, c.summary);
  }
}

// A hard link in another folder is a second name of a file: the batch compares what names lead to.
TEST(ConversionBatch, KnowsAFileByAnyOfItsNames) {
  TempFolder folder;
  std::filesystem::create_directory(folder.Path() / "other");
  const std::string link = (folder.Path() / "other" / "link.exe").string();
  WriteBytes(folder / "a.swf", {'F', 'W', 'S'});
  WriteBytes(folder / "a.exe", {'M', 'Z'});
  std::filesystem::create_hard_link(folder / "a.exe", link);
  SystemFiles files;
  SystemFileIdentities identities;
  ConversionBatch batch =
      ConversionBatch::ByFileType({folder / "a.swf"}, {files.Syntax(), &identities, SameFileName});
  EXPECT_TRUE(JoinWhileConverting(batch, 0, {link}));
  batch.Finish(ConversionOutcome::Cancelled());
  EXPECT_FALSE(StartedNext(batch));
  EXPECT_EQ(batch.Conclude().message,
            Lines({Refused("a.swf", "link.exe"), Refused("link.exe", "a.swf")}));
}

TEST(ConversionBatch, FilesAreConvertedAsTheirTypeSays) {
  ConversionBatch batch = WindowsBatch({"C:\\m\\A.Swf", "C:\\m\\b.exe"});
  EXPECT_EQ(StartedNext(batch)->kind, ConversionKind::SwfToExe);
  batch.Finish(ConversionOutcome::Converted(kConverted));
  EXPECT_EQ(StartedNext(batch)->kind, ConversionKind::ExeToSwf);
}

// One file, dropped or chosen through a menu command, ends as the menu commands always did.
TEST(ConversionBatch, OneFilesConclusionIsItsOwnMessageOrError) {
  {
    ConversionBatch menu =
        ConversionBatch::Single("C:\\m\\movie.bin", ConversionKind::SwfToExe, WindowsNames());
    EXPECT_EQ(StartedNext(menu)->kind, ConversionKind::SwfToExe)
        << "the command's kind, not the type's";
    menu.Finish(ConversionOutcome::Converted(kConverted));
    EXPECT_EQ(menu.Conclude().message, kConverted);
  }
  {
    ConversionBatch cancelled = WindowsBatch({"C:\\m\\a.exe"});
    HandOut(cancelled, {Ends(ConversionOutcome::Cancelled())});
    EXPECT_EQ(cancelled.Conclude().message, "The conversion was cancelled.");
  }
  {
    // The error report itself, to be raised again: the error box shows it as before.
    ConversionBatch failed = WindowsBatch({"C:\\m\\a.swf"});
    HandOut(failed, {Ends(ConversionOutcome::Failed(std::make_exception_ptr(
                        EFOpenError("Cannot open file \"C:\\m\\a.swf\". File not found"))))});
    const BatchConclusion conclusion = failed.Conclude();
    ASSERT_TRUE(conclusion.error);
    EXPECT_THROW(std::rethrow_exception(conclusion.error), EFOpenError);
    EXPECT_EQ(ErrorText(conclusion.error), "Cannot open file \"C:\\m\\a.swf\". File not found");
  }
  {
    ConversionBatch other = WindowsBatch({"C:\\m\\notes.txt"});
    EXPECT_FALSE(StartedNext(other));
    const BatchConclusion conclusion = other.Conclude();
    EXPECT_THROW(std::rethrow_exception(conclusion.error), EUnsupportedFile);
    EXPECT_EQ(ErrorText(conclusion.error),
              "Cannot convert \"C:\\m\\notes.txt\". Only movies (.swf) and projectors (.exe) can "
              "be converted");
  }
}

TEST(ConversionBatch, StopLeavesTheRestUnconverted) {
  ConversionBatch batch = WindowsBatch({"C:\\m\\a.swf", "C:\\m\\b.swf"});
  StartedNext(batch);
  batch.Finish(ConversionOutcome::Converted(kConverted));
  batch.Stop();
  EXPECT_FALSE(StartedNext(batch));
  EXPECT_EQ(batch.Conclude().message,
            "a.swf: File has been converted successfully!\r\nb.swf: Not converted.");
}

}  // namespace
}  // namespace swivex::testing
