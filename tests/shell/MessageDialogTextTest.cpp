#include <gtest/gtest.h>

#include "shell/MessageDialogText.h"

namespace swivex::testing {
namespace {

TEST(MessageDialogClipboardText, FramesCaptionTextAndButtonsWithDividers) {
  const std::string divider = "---------------------------\r\n";
  ASSERT_EQ(divider.size(), 29u);
  EXPECT_EQ(
      MessageDialogClipboardText("Swivex 1.0", "File has been converted successfully!", {"OK"}),
      divider + "Swivex 1.0\r\n" + divider + "File has been converted successfully!\r\n" + divider +
          "OK   \r\n" + divider);
}

TEST(MessageDialogClipboardText, KeepsTheTextAsItIsAndDropsAccessKeyMarksFromButtons) {
  const std::string divider(27, '-');
  const std::string text = "two\tcolumns\nand & lines";
  EXPECT_EQ(MessageDialogClipboardText("A & B", text, {"&Yes", "&No", "Can&&cel"}),
            divider + "\r\nA & B\r\n" + divider + "\r\n" + text + "\r\n" + divider +
                "\r\nYes   No   Cancel   \r\n" + divider + "\r\n");
}

TEST(MessageDialogClipboardText, EmptyTextStillHasItsLine) {
  const std::string divider = std::string(27, '-') + "\r\n";
  EXPECT_EQ(MessageDialogClipboardText("", "", {"OK"}),
            divider + "\r\n" + divider + "\r\n" + divider + "OK   \r\n" + divider);
}

}  // namespace
}  // namespace swivex::testing
