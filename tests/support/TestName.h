#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace swivex::testing {

// A case's title as GoogleTest takes it for a name, letters and digits with "_" for the rest:
// INSTANTIATE_TEST_SUITE_P(..., TitleAsName<Case>) for cases that have a `title`.
template <typename Case>
std::string TitleAsName(const ::testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char* c = info.param.title; *c != '\0'; ++c)
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}

}  // namespace swivex::testing
