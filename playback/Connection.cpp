#include "playback/Connection.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "playback/PageRoutes.h"
#include "winsupport/Overloaded.h"

namespace swivex {

bool Connection::Open(Socket socket, std::uint64_t now) {
  void* memory = std::malloc(sizeof(Buffers));
  if (!memory) return false;
  buffers_.Reset(new (memory) Buffers);
  socket_ = socket;
  state_ = Reading{.received = 0, .deadline = now + kIdleMilliseconds};
  withoutTokenSince_ = now;
  return true;
}

std::optional<std::uint64_t> Connection::Deadline() const {
  if (const auto* reading = std::get_if<Reading>(&state_)) return reading->deadline;
  if (const auto* parsing = std::get_if<Parsing>(&state_)) return parsing->deadline;
  if (const auto* sending = std::get_if<Sending>(&state_)) return sending->deadline;
  return std::nullopt;
}

void Connection::Advance(ServerContext& context) {
  int pieces = kPiecesPerTurn;
  while (IsOpen()) {
    Step next = std::visit(
        Overloaded{[](Closed&) -> Step { return std::nullopt; },
                   [&](Reading& reading) { return ReadHead(context, reading); },
                   [&](Parsing& parsing) { return ParseHead(context, parsing); },
                   [&](Sending& sending) { return SendResponse(context, sending, pieces); },
                   [&](Holding&) { return HoldStream(context); }},
        state_);
    if (!next) return;
    if (std::holds_alternative<Closed>(*next)) return Close(context);
    state_ = std::move(*next);
  }
}

Connection::Step Connection::ReadHead(ServerContext& context, const Reading& reading) {
  char* received = buffers_.Get()->received;
  const std::span<char> room(received + reading.received, kMostRequestHead - reading.received);
  std::size_t done = 0;
  const Transfer transfer = context.system.Receive(socket_, room, done);
  if (transfer == Transfer::Ended) return Closed{};
  if (transfer == Transfer::WouldBlock) return std::nullopt;
  return Parsing{.received = reading.received + done, .deadline = reading.deadline};
}

Connection::Step Connection::ParseHead(ServerContext& context, const Parsing& parsing) {
  HttpRequest request;
  switch (ParseRequestHead({buffers_.Get()->received, parsing.received}, request)) {
    case HeadParse::Incomplete:
      return Reading{.received = parsing.received, .deadline = parsing.deadline};
    case HeadParse::TooLarge:
      return Respond(context, HttpRequest{}, parsing.received, AnswerStatus(431, true));
    case HeadParse::Malformed:
      return Respond(context, HttpRequest{}, parsing.received, AnswerStatus(400, true));
    case HeadParse::Complete:
      break;
  }
  Route route;
  RouteRequest(request, context.content.address, route);
  if (route.namesToken) withoutTokenSince_.reset();
  if (route.resource == Resource::Tell) context.tells.Add(route.tell);
  return Respond(context, request, parsing.received,
                 AnswerRequest(request, route, context.content, context.files));
}

// The head goes first; a HEAD request gets nothing more.
Connection::Step Connection::Respond(ServerContext& context, const HttpRequest& request,
                                     std::size_t received, Response response) {
  BoundedText& head = buffers_.Get()->head;
  head = BoundedText();
  WriteResponseHead(response.head, head);
  if (request.method == Method::Head) response.body = EmptyBody{};
  // Counted until the connection closes, while its body is the held stream.
  if (std::holds_alternative<HeldStream>(response.body)) {
    ++context.streams.open;
    context.streams.everOpened = true;
  }
  return Sending{.pending = {head.CStr(), head.Length()},
                 .body = std::move(response.body),
                 .closeAfter = response.head.close,
                 .answered = request.headLength,
                 .received = received,
                 .deadline = context.now + kIdleMilliseconds};
}

Connection::Step Connection::SendResponse(ServerContext& context, Sending& sending, int& pieces) {
  while (true) {
    if (sending.pending.empty()) {
      if (pieces == 0) return std::nullopt;  // the rest in a later turn
      --pieces;
      switch (NextPiece(context, sending)) {
        case Piece::Ready:
          break;
        case Piece::End:
          return AfterResponse(context, sending);
        case Piece::Failed:  // the client sees the body end short of its length
          return Closed{};
      }
    }
    std::size_t done = 0;
    const Transfer transfer = context.system.Send(socket_, sending.pending, done);
    if (transfer == Transfer::Ended) return Closed{};
    if (transfer == Transfer::WouldBlock) return std::nullopt;
    sending.pending = sending.pending.subspan(done);
    sending.deadline = context.now + kIdleMilliseconds;
  }
}

// Makes the body's next piece pending, if it has one.
Connection::Piece Connection::NextPiece(ServerContext& context, Sending& sending) {
  char* piece = buffers_.Get()->piece;
  return std::visit(
      Overloaded{[](EmptyBody&) { return Piece::End; }, [](HeldStream&) { return Piece::End; },
                 [&](MemoryBody& memory) {
                   if (memory.bytes.empty()) return Piece::End;
                   sending.pending = std::exchange(memory.bytes, {});
                   return Piece::Ready;
                 },
                 [&](FileBody& file) {
                   if (file.left == 0) return Piece::End;
                   const auto count =
                       static_cast<std::uint32_t>(std::min<std::uint64_t>(file.left, kPiece));
                   FileError error = context.files.Seek(file.file.file, file.offset);
                   if (error == file_errors::kNone) error = ReadExactly(file.file, piece, count);
                   if (error != file_errors::kNone) return Piece::Failed;
                   file.offset += count;
                   file.left -= count;
                   sending.pending = {piece, count};
                   return Piece::Ready;
                 },
                 [&](InflatedBody& inflated) {
                   if (inflated.left == 0) return Piece::End;
                   const std::size_t room = std::min<std::uint64_t>(inflated.left, kPiece);
                   std::size_t filled = 0;
                   if (!inflated.inflater.Next({reinterpret_cast<unsigned char*>(piece), room},
                                               filled) ||
                       filled == 0)
                     return Piece::Failed;
                   inflated.left -= filled;
                   sending.pending = {piece, filled};
                   return Piece::Ready;
                 }},
      sending.body);
}

// The response is sent: the page's stream is held, or the connection closes, or it reads the
// next request, which may have arrived already behind this one.
Connection::Step Connection::AfterResponse(ServerContext& context, const Sending& sending) {
  if (std::holds_alternative<HeldStream>(sending.body)) return Holding{};
  if (sending.closeAfter) return Closed{};
  char* received = buffers_.Get()->received;
  const std::size_t next = sending.received - sending.answered;
  std::memmove(received, received + sending.answered, next);
  const std::uint64_t deadline = context.now + kIdleMilliseconds;
  if (next > 0) return Parsing{.received = next, .deadline = deadline};
  return Reading{.received = 0, .deadline = deadline};
}

// The page sends nothing on its stream; what arrives is dropped, the end closes it.
Connection::Step Connection::HoldStream(ServerContext& context) {
  std::size_t done = 0;
  if (context.system.Receive(socket_, buffers_.Get()->piece, done) == Transfer::Ended)
    return Closed{};
  return std::nullopt;
}

bool Connection::HoldsStream() const {
  if (std::holds_alternative<Holding>(state_)) return true;
  const Sending* sending = std::get_if<Sending>(&state_);
  return sending && std::holds_alternative<HeldStream>(sending->body);
}

void Connection::Close(ServerContext& context) {
  if (!IsOpen()) return;
  if (HoldsStream()) {
    --context.streams.open;
    context.streams.lastClosedAt = context.now;
  }
  context.system.Close(socket_);
  socket_ = kNoSocket;
  state_ = Closed{};
  buffers_.Reset();
  withoutTokenSince_.reset();
}

}  // namespace swivex
