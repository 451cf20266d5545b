#include <gtest/gtest.h>

#include <string>

#include "common/Exceptions.h"
#include "resources/about/AboutResources.h"
#include "tests/support/TestFiles.h"
#include "ui/JpegResource.h"

namespace swivex::testing {
namespace {

TEST(JpegResource, ProgramHoldsTheAboutPictureFileAsItIs) {
  EXPECT_EQ(JpegResourceBytes(SWIVEX_ABOUT_PICTURE),
            ReadBytes(std::string(SWIVEX_ABOUT_FOLDER) + "AboutPicture.jpg"));
}

TEST(JpegResource, MissingResourceRaises) {
  EXPECT_THROW(JpegResourceBytes(SWIVEX_ABOUT_PICTURE + 1), Exception);
}

}  // namespace
}  // namespace swivex::testing
