#include "playback/SaverServing.h"

#include <string_view>

#include "playback/MovieName.h"

namespace swivex {

namespace {

std::string_view ViewOf(const BoundedText& text) { return {text.CStr(), text.Length()}; }

}  // namespace

SaverServing::SaverServing(ServerSystem& network, FileSystem& files)
    : files_(files), network_(network), server_(network, files) {}

bool SaverServing::Fail(BoundedText& failure, const char* sentence) {
  failure.Append(sentence);
  return false;
}

bool SaverServing::Start(const char* moviePath, std::span<const PlayerFile> player, bool sound,
                         BoundedText& failure) {
  if (player.empty())
    return Fail(failure, "The Flash player's files are missing from the program.");
  FileError error = OpenFileForReading(files_, moviePath, movie_);
  std::uint64_t size = 0;
  if (error == file_errors::kNone) error = files_.FileSize(movie_.Get().file, size);
  if (error != file_errors::kNone) {
    failure.Append("Cannot read the movie from \"").Append(moviePath).Append("\". ");
    files_.AppendErrorText(failure, error);
    return Fail(failure, ".");
  }
  if (size > UINT32_MAX) {
    failure.Append("The movie \"").Append(moviePath).Append("\" is larger than 4 GB.");
    return false;
  }
  if (!token_.Make(network_))
    return Fail(failure, "The system gives no random numbers for the page's secret address.");
  unsigned port = 0;
  if (!server_.Listen(port))
    return Fail(failure, "No port on 127.0.0.1 can be opened for the movie's page.");

  AppendMovieName(title_, moviePath, files_);
  movieName_.Append(title_).Append(".swf");
  TextBuffer page(pageStorage_, sizeof pageStorage_);
  if (!WriteSaverPage(ViewOf(title_), ViewOf(movieName_), sound, page))
    return Fail(failure, "The movie's page does not fit in its room.");
  content_ = {.address = {.token = token_.View(),
                          .port = port,
                          .movieName = ViewOf(movieName_),
                          .playerFiles = player},
              .page = page.View(),
              .projector = movie_.Get(),
              .movie = {0, static_cast<std::uint32_t>(size)},
              .icon = {}};  // a screen saver's window shows no icon
  server_.Serve(content_);
  AppendPageUrl(content_.address, address_);
  return true;
}

PageTells SaverServing::Round(std::uint32_t milliseconds) {
  server_.Round(milliseconds);
  return server_.TakeTells();
}

}  // namespace swivex
