#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Exceptions.h"
#include "ui/ConversionBatch.h"

namespace swivex::testing {
namespace {

bool NoLeadByte(unsigned char) { return false; }

constexpr PathSyntax kWindowsPaths{'\\', NoLeadByte};
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

// Hands the outcomes, in order, to the files that the batch gives out; returns those files.
std::vector<std::string> HandOut(ConversionBatch& batch,
                                 const std::vector<ConversionOutcome>& outcomes) {
  std::vector<std::string> converted;
  for (const ConversionOutcome& outcome : outcomes) {
    const BatchFile* file = batch.Next();
    if (file == nullptr) break;
    converted.push_back(file->source);
    batch.Finish(outcome);
  }
  if (batch.Next() != nullptr) ADD_FAILURE() << "a file is left over";
  return converted;
}

TEST(ConversionBatch, ConvertsInOrderPassingOverOtherTypesAndSumsUpEachFile) {
  struct Case {
    const char* name;
    std::vector<std::string> files;
    std::vector<ConversionOutcome> outcomes;
    std::vector<std::string> converted;
    std::string summary;
  };
  const Case cases[] = {
      {"mixed",
       {"C:\\m\\a.swf", "C:\\m\\notes.txt", "C:\\d\\b.EXE", "C:\\m\\c.exe"},
       {ConversionOutcome::Converted(kConverted), Failing("Stream read error"),
        ConversionOutcome::Converted("Unknown type of executable flash file!")},
       {"C:\\m\\a.swf", "C:\\d\\b.EXE", "C:\\m\\c.exe"},
       "a.swf: File has been converted successfully!\r\n"
       "notes.txt: Cannot convert \"C:\\m\\notes.txt\". Only movies (.swf) and projectors (.exe) "
       "can be converted.\r\n"
       "b.EXE: Stream read error.\r\n"
       "c.exe: Unknown type of executable flash file!"},
      {"a cancel ends the batch",
       {"C:\\m\\a.swf", "C:\\m\\b.swf", "C:\\m\\c.swf", "C:\\m\\d.txt"},
       {ConversionOutcome::Converted(kConverted), ConversionOutcome::Cancelled()},
       {"C:\\m\\a.swf", "C:\\m\\b.swf"},
       "a.swf: File has been converted successfully!\r\n"
       "b.swf: The conversion was cancelled.\r\n"
       "c.swf: Not converted.\r\n"
       "d.txt: Not converted."},
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
    ConversionBatch batch = ConversionBatch::ByFileType(c.files, kWindowsPaths);
    EXPECT_EQ(HandOut(batch, c.outcomes), c.converted);
    const BatchConclusion conclusion = batch.Conclude();
    EXPECT_EQ(conclusion.message, c.summary);
    EXPECT_FALSE(conclusion.error);
  }
}

TEST(ConversionBatch, FilesAreConvertedAsTheirTypeSays) {
  ConversionBatch batch =
      ConversionBatch::ByFileType({"C:\\m\\A.Swf", "C:\\m\\b.exe"}, kWindowsPaths);
  EXPECT_EQ(batch.Next()->kind, ConversionKind::SwfToExe);
  batch.Finish(ConversionOutcome::Converted(kConverted));
  EXPECT_EQ(batch.Next()->kind, ConversionKind::ExeToSwf);
}

// One file, dropped or chosen through a menu command, ends as the menu commands always did.
TEST(ConversionBatch, OneFilesConclusionIsItsOwnMessageOrError) {
  {
    ConversionBatch menu =
        ConversionBatch::Single("C:\\m\\movie.bin", ConversionKind::SwfToExe, kWindowsPaths);
    EXPECT_EQ(menu.Next()->kind, ConversionKind::SwfToExe) << "the command's kind, not the type's";
    menu.Finish(ConversionOutcome::Converted(kConverted));
    EXPECT_EQ(menu.Conclude().message, kConverted);
  }
  {
    ConversionBatch cancelled = ConversionBatch::ByFileType({"C:\\m\\a.exe"}, kWindowsPaths);
    HandOut(cancelled, {ConversionOutcome::Cancelled()});
    EXPECT_EQ(cancelled.Conclude().message, "The conversion was cancelled.");
  }
  {
    // The error report itself, to be raised again: the error box shows it as before.
    ConversionBatch failed = ConversionBatch::ByFileType({"C:\\m\\a.swf"}, kWindowsPaths);
    HandOut(failed, {ConversionOutcome::Failed(std::make_exception_ptr(
                        EFOpenError("Cannot open file \"C:\\m\\a.swf\". File not found")))});
    const BatchConclusion conclusion = failed.Conclude();
    ASSERT_TRUE(conclusion.error);
    EXPECT_THROW(std::rethrow_exception(conclusion.error), EFOpenError);
    EXPECT_EQ(ErrorText(conclusion.error), "Cannot open file \"C:\\m\\a.swf\". File not found");
  }
  {
    ConversionBatch other = ConversionBatch::ByFileType({"C:\\m\\notes.txt"}, kWindowsPaths);
    EXPECT_EQ(other.Next(), nullptr);
    const BatchConclusion conclusion = other.Conclude();
    EXPECT_THROW(std::rethrow_exception(conclusion.error), EUnsupportedFile);
    EXPECT_EQ(ErrorText(conclusion.error),
              "Cannot convert \"C:\\m\\notes.txt\". Only movies (.swf) and projectors (.exe) can "
              "be converted");
  }
}

TEST(ConversionBatch, StopLeavesTheRestUnconverted) {
  ConversionBatch batch =
      ConversionBatch::ByFileType({"C:\\m\\a.swf", "C:\\m\\b.swf"}, kWindowsPaths);
  batch.Next();
  batch.Finish(ConversionOutcome::Converted(kConverted));
  batch.Stop();
  EXPECT_EQ(batch.Next(), nullptr);
  EXPECT_EQ(batch.Conclude().message,
            "a.swf: File has been converted successfully!\r\nb.swf: Not converted.");
}

}  // namespace
}  // namespace swivex::testing
