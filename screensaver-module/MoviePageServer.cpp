#include "screensaver-module/MoviePageServer.h"

#include <array>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "playback/BoundedText.h"
#include "playback/PlayerFileList.h"
#include "playback/PlayerFiles.h"
#include "playback/SaverServing.h"
#include "playback/SystemServer.h"
#include "playback/WindowsFileSystem.h"

namespace swivex::glowdrift {

namespace {

// Short rounds: the thread looks at its stop flag between two, so the server stops within one.
constexpr std::uint32_t kRoundMilliseconds = 25;

}  // namespace

struct MoviePageServer::Serving {
  explicit Serving(HWND owner) : window(owner) {}

  // The thread's work: rounds until stopped, each followed by what the page told.
  void ServeRounds() {
    while (!stop) {
      const PageTells tells = serving.Round(kRoundMilliseconds);
      if (tells.Has(PageTell::FirstFrame)) ::PostMessageA(window, kPageFirstFrameMessage, 0, 0);
      if (tells.Has(PageTell::Input)) ::PostMessageA(window, kPageInputMessage, 0, 0);
      if (tells.Has(PageTell::Quit)) ::PostMessageA(window, kPageQuitMessage, 0, 0);
    }
  }

  HWND window;
  SystemServer network;
  WindowsFileSystem files;
  std::array<PlayerFile, SWIVEX_PLAYER_FILE_COUNT> player;
  SaverServing serving{network, files};
  std::atomic<bool> stop{false};
  std::thread rounds;
};

MoviePageServer::MoviePageServer(const std::string& moviePath, SaverPageSettings settings,
                                 HWND window)
    : serving_(std::make_unique<Serving>(window)) {
  BoundedText failure;
  // The player's files are the module's own resources, as they are the stub's.
  if (!serving_->serving.Start(moviePath.c_str(), FindCarriedPlayerFiles(serving_->player),
                               settings.sound, failure))
    throw std::runtime_error(std::string("The screen saver cannot play its movie. ") +
                             failure.CStr());
  serving_->rounds = std::thread([serving = serving_.get()] { serving->ServeRounds(); });
}

MoviePageServer::~MoviePageServer() {
  serving_->stop = true;
  serving_->rounds.join();
}

// Written once before the thread starts, and only read after.
const char* MoviePageServer::Address() const { return serving_->serving.Address().CStr(); }

}  // namespace swivex::glowdrift
