#include "screensaver-module/SaverLife.h"

#include "winsupport/Overloaded.h"

namespace swivex::glowdrift {

namespace {

MouseWakeFilter FilterFrom(const std::optional<MouseWakeFilter::Point>& pointer) {
  return pointer ? MouseWakeFilter(pointer->x, pointer->y) : MouseWakeFilter();
}

}  // namespace

SaverLife::SaverLife(std::optional<MouseWakeFilter::Point> pointer, std::uint32_t lastInputTick)
    : wake_(FilterFrom(pointer)), lastPointer_(pointer), lastInputTick_(lastInputTick) {}

SaverTurn SaverLife::Take(Milliseconds sinceStart, const SaverEvent& event) {
  using namespace saver_event;
  return std::visit(
      Overloaded{
          [&](const BrowserStarted&) {
            stage_ = Stage::AwaitingFirstFrame;
            movieTried_ = true;
            browserStarted_ = sinceStart;
            return SaverTurn::GoOn;
          },
          [&](const FirstFrame&) {
            if (stage_ == Stage::AwaitingFirstFrame) stage_ = Stage::Playing;
            return SaverTurn::GoOn;
          },
          [&](const BrowserGone&) { return BrowserPlays() ? GiveTheMovieUp() : SaverTurn::GoOn; },
          [&](const KeyOrButton&) { return Input(sinceStart); },
          [&](const PointerAt& pointer) { return Pointer(sinceStart, pointer.x, pointer.y); },
          [&](const PageInput&) { return Input(sinceStart); },
          [&](const PageQuit&) { return SaverTurn::End; },
          [&](const Suspend&) { return SaverTurn::End; },
          [&](const SessionEnd&) { return SaverTurn::End; },
          [&](const ActivationLost&) {
            // The saver's windows give the keyboard to the browser on purpose. The pictures
            // alone step aside for another program: keys would no longer reach them.
            return BrowserPlays() ? SaverTurn::GoOn : SaverTurn::End;
          },
          [&](const PrimaryLeft&) {
            primaryLeft_ = sinceStart;
            return SaverTurn::GoOn;
          },
          [&](const Look& look) { return LookAt(sinceStart, look); },
      },
      event);
}

SaverTurn SaverLife::Input(Milliseconds sinceStart) const {
  return movieTried_ && sinceStart < kGrace ? SaverTurn::GoOn : SaverTurn::End;
}

SaverTurn SaverLife::Pointer(Milliseconds sinceStart, int x, int y) {
  if (movieTried_ && sinceStart < kGrace) {
    wake_ = MouseWakeFilter(x, y);  // where a settling mouse comes to rest is the new start
    return SaverTurn::GoOn;
  }
  return wake_.IsRealMove(x, y) ? SaverTurn::End : SaverTurn::GoOn;
}

SaverTurn SaverLife::LookAt(Milliseconds sinceStart, const saver_event::Look& look) {
  // The pictures alone cover every monitor and see all input themselves.
  if (!BrowserPlays()) return SaverTurn::GoOn;
  if (stage_ == Stage::AwaitingFirstFrame && sinceStart - browserStarted_ >= kFirstFrameDeadline)
    return GiveTheMovieUp();
  const bool pointerMoved =
      lastPointer_ && (look.x != lastPointer_->x || look.y != lastPointer_->y);
  lastPointer_ = MouseWakeFilter::Point{look.x, look.y};
  // The tick may have wrapped (every 49.7 days): only a change tells.
  const bool inputSeen = look.lastInputTick != lastInputTick_;
  lastInputTick_ = look.lastInputTick;
  if (sinceStart < kGrace) {
    wake_ = MouseWakeFilter(look.x, look.y);
    return SaverTurn::GoOn;
  }
  if (wake_.IsRealMove(look.x, look.y)) return SaverTurn::End;
  if (primaryLeft_ && sinceStart - *primaryLeft_ < kGrace) return SaverTurn::GoOn;
  // Input that left the pointer where it was is a key, a button or the wheel; input that moved
  // it, but not far, is a pointer that twitched.
  return inputSeen && !pointerMoved ? SaverTurn::End : SaverTurn::GoOn;
}

SaverTurn SaverLife::GiveTheMovieUp() {
  stage_ = Stage::Pictures;
  primaryLeft_.reset();
  return SaverTurn::ShowPictures;
}

}  // namespace swivex::glowdrift
