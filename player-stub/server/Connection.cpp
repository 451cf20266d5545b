#include "player-stub/server/Connection.h"

#include <algorithm>
#include <cstring>

#include "player-stub/server/ContentTypes.h"
#include "player-stub/server/ResponseHead.h"

namespace swivex {

namespace {

constexpr char kPageContentType[] = "text/html; charset=utf-8";
constexpr char kEventStreamContentType[] = "text/event-stream";

// Statuses after which the connection is not worth keeping: the client is not a page of ours,
// or what it sent cannot be read on from.
bool EndsConnection(int status) {
  return status == 400 || status == 403 || status == 405 || status == 431;
}

std::span<const char> AsChars(std::span<const unsigned char> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

bool Connection::Open(Socket socket, std::uint64_t now) {
  buffers_.Reset(static_cast<Buffers*>(std::malloc(sizeof(Buffers))));
  if (!buffers_) return false;
  socket_ = socket;
  state_ = State::Reading;
  deadline_ = now + kIdleMilliseconds;
  receivedLength_ = 0;
  answeredLength_ = 0;
  closeAfter_ = false;
  return true;
}

std::optional<std::uint64_t> Connection::Deadline() const {
  if (state_ == State::Reading || state_ == State::Sending) return deadline_;
  return std::nullopt;
}

void Connection::OnReadable(ServerContext& context) {
  if (state_ == State::Holding) {
    // The page sends nothing on its stream; what arrives is dropped, the end closes it.
    std::size_t done = 0;
    if (context.system.Receive(socket_, buffers_.Get()->piece, done) == Transfer::Ended)
      Close(context);
    return;
  }
  if (state_ != State::Reading) return;
  std::size_t done = 0;
  char* received = buffers_.Get()->received;
  const std::span<char> room(received + receivedLength_, kMostRequestHead - receivedLength_);
  switch (context.system.Receive(socket_, room, done)) {
    case Transfer::Ended:
      return Close(context);
    case Transfer::WouldBlock:
      return;
    case Transfer::Moved:
      receivedLength_ += done;
      return ReadRequest(context);
  }
}

// A head that takes longer than the idle time to arrive is closed with the connection: the
// deadline is not moved by each byte of it.
void Connection::ReadRequest(ServerContext& context) {
  HttpRequest request;
  switch (ParseRequestHead({buffers_.Get()->received, receivedLength_}, request)) {
    case HeadParse::Incomplete:
      return;
    case HeadParse::TooLarge:
      return AnswerStatus(context, 431, true, false);
    case HeadParse::Malformed:
      return AnswerStatus(context, 400, true, false);
    case HeadParse::Complete:
      answeredLength_ = request.headLength;
      return Answer(context, request);
  }
}

void Connection::Answer(ServerContext& context, const HttpRequest& request) {
  Route route;
  RouteRequest(request, context.content.address, route);
  const bool close = !request.keepAlive;
  const bool headOnly = request.method == Method::Head;
  if (route.status != 200)
    return AnswerStatus(context, route.status, close || EndsConnection(route.status), headOnly);
  const ServedContent& content = context.content;
  switch (route.resource) {
    case Resource::Page: {
      ResponseHead head{.contentType = kPageContentType, .contentLength = content.page.size()};
      memory_ = content.page;
      return StartResponse(context, head, Body::Memory, close, headOnly);
    }
    case Resource::PlayerFile:
      return AnswerPlayerFile(context, request, content.address.playerFiles[route.playerFile]);
    case Resource::Movie:
      return AnswerFile(context, request, content.projector, content.movie.offset,
                        content.movie.length, kSwfContentType);
    case Resource::BesideFile:
      return AnswerBesideFile(context, request, route.path);
    case Resource::Events: {
      ResponseHead head{.contentType = kEventStreamContentType, .eventStream = true};
      if (!headOnly) {  // counted until the connection closes, while its body is the stream
        ++context.streams.open;
        context.streams.everOpened = true;
      }
      return StartResponse(context, head, Body::Held, false, headOnly);
    }
    case Resource::None:
      break;
  }
  AnswerStatus(context, 404, close, headOnly);
}

void Connection::AnswerStatus(ServerContext& context, int status, bool close, bool headOnly) {
  ResponseHead head{.status = status};
  StartResponse(context, head, Body::None, close, headOnly);
}

void Connection::AnswerFile(ServerContext& context, const HttpRequest& request, OpenStubFile file,
                            std::uint64_t offset, std::uint64_t size, const char* contentType) {
  const bool close = !request.keepAlive;
  const bool headOnly = request.method == Method::Head;
  ByteSpan span;
  // A ranged request that names no version of the file (If-Range) cannot be checked against
  // ours: it gets every byte.
  const RangeAnswer range = request.range.empty() || request.hasIfRange
                                ? RangeAnswer::Whole
                                : ParseByteRange(request.range, size, span);
  ResponseHead head{.contentType = contentType, .acceptsRanges = true, .wholeSize = &size};
  if (range == RangeAnswer::Unsatisfiable) {
    head.status = 416;
    head.contentType = nullptr;
    return StartResponse(context, head, Body::None, close, headOnly);
  }
  if (range == RangeAnswer::Part) {
    head.status = 206;
    head.part = &span;
  } else {
    head.wholeSize = nullptr;
    span = {0, size - 1};
  }
  head.contentLength = range == RangeAnswer::Part ? span.Length() : size;
  file_ = file;
  fileOffset_ = offset + span.first;
  bodyLeft_ = head.contentLength;
  StartResponse(context, head, Body::File, close, headOnly);
}

void Connection::AnswerBesideFile(ServerContext& context, const HttpRequest& request,
                                  const ServedPath& path) {
  const bool headOnly = request.method == Method::Head;
  StubFile opened = kNoStubFile;
  std::uint64_t size = 0;
  if (context.files.OpenBelow(context.content.folder, path.CStr(), opened) != stub_errors::kNone)
    return AnswerStatus(context, 404, !request.keepAlive, headOnly);
  ownFile_.Reset({&context.files, opened});
  if (context.files.FileSize(opened, size) != stub_errors::kNone) {
    ownFile_.Reset();
    return AnswerStatus(context, 404, !request.keepAlive, headOnly);
  }
  AnswerFile(context, request, ownFile_.Get(), 0, size, ContentTypeOf(path.View()));
}

void Connection::AnswerPlayerFile(ServerContext& context, const HttpRequest& request,
                                  const PlayerFile& file) {
  ResponseHead head{.contentType = file.contentType};
  Body body = Body::Memory;
  if (request.acceptsGzip) {
    head.gzip = true;
    head.contentLength = file.gzip.size();
    memory_ = AsChars(file.gzip);
  } else {
    head.contentLength = PlainSizeOf(file.gzip);
    inflater_.emplace(file.gzip);
    bodyLeft_ = head.contentLength;
    body = Body::Inflated;
  }
  StartResponse(context, head, body, !request.keepAlive, request.method == Method::Head);
}

void Connection::StartResponse(ServerContext& context, const ResponseHead& head, Body body,
                               bool close, bool headOnly) {
  head_ = StubText();
  ResponseHead written = head;
  written.close = close;
  WriteResponseHead(written, head_);
  pending_ = {head_.CStr(), head_.Length()};
  body_ = headOnly ? Body::None : body;
  closeAfter_ = close;
  state_ = State::Sending;
  deadline_ = context.now + kIdleMilliseconds;
}

void Connection::OnWritable(ServerContext& context) {
  for (int pieces = 0; state_ == State::Sending;) {
    if (pending_.empty()) {
      if (pieces == kPiecesPerRound || !NextPiece(context)) return;
      ++pieces;
      continue;
    }
    std::size_t done = 0;
    switch (context.system.Send(socket_, pending_, done)) {
      case Transfer::Ended:
        return Close(context);
      case Transfer::WouldBlock:
        return;
      case Transfer::Moved:
        pending_ = pending_.subspan(done);
        deadline_ = context.now + kIdleMilliseconds;
        break;
    }
  }
}

// Makes the next piece of the body pending. False when there is none: the response is complete,
// the stream is held, or reading failed and the connection closed (the client sees the body
// end short of its length).
bool Connection::NextPiece(ServerContext& context) {
  switch (body_) {
    case Body::None:
      break;
    case Body::Held:
      state_ = State::Holding;
      return false;
    case Body::Memory:
      pending_ = memory_;
      body_ = Body::None;
      if (!pending_.empty()) return true;
      break;
    case Body::File: {
      if (bodyLeft_ == 0) break;
      const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(bodyLeft_, kPiece));
      StubError error = context.files.Seek(file_.file, fileOffset_);
      char* piece = buffers_.Get()->piece;
      if (error == stub_errors::kNone) error = ReadExactly(file_, piece, count);
      if (error != stub_errors::kNone) {
        Close(context);
        return false;
      }
      fileOffset_ += count;
      bodyLeft_ -= count;
      pending_ = {piece, count};
      return true;
    }
    case Body::Inflated: {
      if (bodyLeft_ == 0) break;
      const std::size_t room = std::min<std::uint64_t>(bodyLeft_, kPiece);
      char* piece = buffers_.Get()->piece;
      std::size_t filled = 0;
      if (!inflater_->Next({reinterpret_cast<unsigned char*>(piece), room}, filled) ||
          filled == 0) {
        Close(context);
        return false;
      }
      bodyLeft_ -= filled;
      pending_ = {piece, filled};
      return true;
    }
  }
  Finish(context);
  return false;
}

// The response is sent: the connection closes, or waits for the next request, which may have
// arrived already behind this one.
void Connection::Finish(ServerContext& context) {
  if (closeAfter_) return Close(context);
  ownFile_.Reset();
  inflater_.reset();
  body_ = Body::None;
  char* received = buffers_.Get()->received;
  std::memmove(received, received + answeredLength_, receivedLength_ - answeredLength_);
  receivedLength_ -= answeredLength_;
  answeredLength_ = 0;
  state_ = State::Reading;
  deadline_ = context.now + kIdleMilliseconds;
  if (receivedLength_ > 0) ReadRequest(context);
}

void Connection::Close(ServerContext& context) {
  if (body_ == Body::Held) {
    --context.streams.open;
    context.streams.lastClosedAt = context.now;
  }
  context.system.Close(socket_);
  socket_ = kNoSocket;
  state_ = State::Closed;
  buffers_.Reset();
  ownFile_.Reset();
  inflater_.reset();
  body_ = Body::None;
  pending_ = {};
  memory_ = {};
}

}  // namespace swivex
