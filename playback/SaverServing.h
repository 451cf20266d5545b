#pragma once

#include <cstdint>
#include <span>

#include "playback/BoundedText.h"
#include "playback/FileAccess.h"
#include "playback/FileSystem.h"
#include "playback/LocalServer.h"
#include "playback/PageRoutes.h"
#include "playback/PageToken.h"
#include "playback/PlayerFiles.h"
#include "playback/PlayerPage.h"
#include "playback/Response.h"
#include "playback/ServerSystem.h"

namespace swivex {

// The screen saver's page for a movie file of its own, served on 127.0.0.1 with the same rules as
// a projector's page but with nothing beside the movie: the page, the player's files and the
// movie alone (the movie lies in the system folder, or in the user's own). Its owner runs the
// rounds and reads what the page tells. Too large for the stack: it lives on the heap.
class SaverServing {
 public:
  SaverServing(ServerSystem& network, FileSystem& files);
  SaverServing(const SaverServing&) = delete;
  SaverServing& operator=(const SaverServing&) = delete;

  // Opens the movie at `moviePath`, makes the token, listens at a port of its own and writes the
  // page, silent unless `sound`. False with the reason, a sentence, in `failure` if it cannot
  // serve.
  bool Start(const char* moviePath, std::span<const PlayerFile> player, bool sound,
             BoundedText& failure);
  // The page's address, "http://127.0.0.1:PORT/TOKEN/", once started.
  const BoundedText& Address() const { return address_; }
  // Waits up to `milliseconds` for the page's requests, answers what it can and returns what the
  // page told meanwhile.
  PageTells Round(std::uint32_t milliseconds);

 private:
  bool Fail(BoundedText& failure, const char* sentence);

  FileSystem& files_;
  ServerSystem& network_;
  LocalServer server_;
  PageToken token_;
  UniqueOpenedFile movie_;
  BoundedText title_;
  BoundedText movieName_;
  char pageStorage_[kPlayerPageCapacity];
  ServedContent content_;
  BoundedText address_;
};

}  // namespace swivex
