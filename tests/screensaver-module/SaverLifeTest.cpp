#include <gtest/gtest.h>

#include <vector>

#include "screensaver-module/SaverLife.h"

namespace swivex::glowdrift {
namespace {

using namespace saver_event;
using std::chrono::milliseconds;

constexpr SaverTurn kGoOn = SaverTurn::GoOn;
constexpr SaverTurn kEnd = SaverTurn::End;
constexpr SaverTurn kPictures = SaverTurn::ShowPictures;

struct Step {
  int atMs;  // since the saver started
  SaverEvent event;
  SaverTurn turn;
};

struct LifeCase {
  const char* what;
  std::vector<Step> steps;
};

// Every case starts with the pointer at 500,400 and the last input's tick at 1000.
TEST(SaverLife, EndsOnInputAndGivesTheMovieUpWhenItDoesNotPlay) {
  const LifeCase cases[] = {
      // The drifting pictures alone, as before there was a movie to play.
      {"pictures: a key at once", {{0, KeyOrButton{}, kEnd}}},
      {"pictures: the pointer to the tolerance's edge, then past it",
       {{0, PointerAt{508, 392}, kGoOn}, {0, PointerAt{500, 409}, kEnd}}},
      {"pictures: another program takes the keyboard", {{5000, ActivationLost{}, kEnd}}},
      {"pictures: input elsewhere is theirs to see", {{5000, Look{1001, 500, 400}, kGoOn}}},
      {"pictures: a page that quits", {{5000, PageQuit{}, kEnd}}},

      // A browser plays the movie from the start.
      {"movie: a key in the grace second, then at its end",
       {{0, BrowserStarted{}, kGoOn}, {999, KeyOrButton{}, kGoOn}, {1000, KeyOrButton{}, kEnd}}},
      {"movie: the page's input in the grace second, then at its end",
       {{0, BrowserStarted{}, kGoOn}, {999, PageInput{}, kGoOn}, {1000, PageInput{}, kEnd}}},
      {"movie: a mouse that settles in the grace second starts from where it rests",
       {{0, BrowserStarted{}, kGoOn},
        {500, PointerAt{600, 400}, kGoOn},
        {1200, PointerAt{608, 400}, kGoOn},
        {1300, PointerAt{609, 400}, kEnd}}},
      {"movie: looks in the grace second move the start and take the tick",
       {{0, BrowserStarted{}, kGoOn},
        {900, Look{1200, 700, 300}, kGoOn},
        {1100, Look{1200, 708, 300}, kGoOn},
        {1150, Look{1200, 700, 291}, kEnd}}},
      {"movie: the pointer seen beyond the tolerance without a tick",
       {{0, BrowserStarted{}, kGoOn},
        {1500, Look{1000, 508, 400}, kGoOn},
        {1550, Look{1000, 491, 400}, kEnd}}},
      {"movie: input that twitched the pointer, then input that left it",
       {{0, BrowserStarted{}, kGoOn},
        {1500, Look{1001, 503, 398}, kGoOn},
        {1550, Look{1001, 503, 398}, kGoOn},
        {1600, Look{1002, 503, 398}, kEnd}}},
      {"movie: a key elsewhere leaves the pointer and changes the tick",
       {{0, BrowserStarted{}, kGoOn}, {1500, Look{1001, 500, 400}, kEnd}}},
      {"movie: the tick that wraps past zero still changes",
       {{0, BrowserStarted{}, kGoOn}, {1500, Look{0, 500, 400}, kEnd}}},
      {"movie: the tick in the second after leaving the primary monitor, then at its end",
       {{0, BrowserStarted{}, kGoOn},
        {3000, FirstFrame{}, kGoOn},
        {3000, PrimaryLeft{}, kGoOn},
        {3999, Look{1001, 500, 400}, kGoOn},
        {4000, Look{1001, 500, 400}, kGoOn},
        {4000, Look{1002, 500, 400}, kEnd}}},
      {"movie: the pointer beyond the tolerance in the second after leaving the primary monitor",
       {{0, BrowserStarted{}, kGoOn},
        {3000, PrimaryLeft{}, kGoOn},
        {3100, Look{1000, 500, 409}, kEnd}}},
      {"movie: the browser takes the keyboard",
       {{0, BrowserStarted{}, kGoOn}, {1500, ActivationLost{}, kGoOn}}},
      {"movie: fscommand(\"quit\") even in the grace second",
       {{0, BrowserStarted{}, kGoOn}, {500, PageQuit{}, kEnd}}},
      {"movie: a suspend", {{0, BrowserStarted{}, kGoOn}, {0, Suspend{}, kEnd}}},
      {"movie: the session's end", {{0, BrowserStarted{}, kGoOn}, {200, SessionEnd{}, kEnd}}},
      {"movie: no first frame by ten seconds after the browser's start",
       {{200, BrowserStarted{}, kGoOn},
        {10199, Look{1000, 500, 400}, kGoOn},
        {10200, Look{1000, 500, 400}, kPictures},
        {10250, Look{1001, 500, 400}, kGoOn},
        {10300, ActivationLost{}, kEnd}}},
      {"movie: a first frame in time keeps it playing",
       {{0, BrowserStarted{}, kGoOn},
        {9999, FirstFrame{}, kGoOn},
        {60000, Look{1000, 500, 400}, kGoOn},
        {60000, FirstFrame{}, kGoOn}}},
      {"movie: a browser gone after its first frame",
       {{0, BrowserStarted{}, kGoOn},
        {3000, FirstFrame{}, kGoOn},
        {4000, BrowserGone{}, kPictures},
        {4100, BrowserGone{}, kGoOn},
        {4200, PointerAt{500, 409}, kEnd}}},
      {"movie: the pictures that take over keep the grace second",
       {{0, BrowserStarted{}, kGoOn},
        {300, BrowserGone{}, kPictures},
        {500, KeyOrButton{}, kGoOn},
        {1000, KeyOrButton{}, kEnd}}},
  };
  for (const LifeCase& test : cases) {
    SCOPED_TRACE(test.what);
    SaverLife life(MouseWakeFilter::Point{500, 400}, 1000);
    for (std::size_t index = 0; index < test.steps.size(); ++index) {
      const Step& step = test.steps[index];
      EXPECT_EQ(life.Take(milliseconds(step.atMs), step.event), step.turn) << "step " << index;
    }
  }
}

}  // namespace
}  // namespace swivex::glowdrift
