#include "screensaver-module/MoviePictures.h"

#include <exception>
#include <map>

#include "screensaver-module/PictureChoice.h"
#include "screensaver-module/PictureFit.h"
#include "swf/MovieReader.h"
#include "swf/PictureDecoding.h"

namespace swivex::glowdrift {

namespace {

// Decodes the ranked pictures as the walk meets them and keeps the best-ranked that decode.
class RankedDecoder final : public swf::PictureVisitor {
 public:
  explicit RankedDecoder(const std::vector<swf::PictureInfo>& ranked) {
    for (std::size_t rank = 0; rank < ranked.size(); ++rank)
      rankByOffset_[ranked[rank].tagOffset] = rank;
  }

  bool Wants(const swf::PictureInfo& fields) override {
    const auto found = rankByOffset_.find(fields.tagOffset);
    if (found == rankByOffset_.end()) return false;
    // A picture that ranks below every kept one could never be shown.
    return kept_.size() < kMostShownPictures || found->second < kept_.rbegin()->first;
  }

  void Take(swf::Picture picture) override {
    const std::size_t rank = rankByOffset_.at(picture.info.tagOffset);
    try {
      kept_[rank] =
          ShrinkAndPremultiply(swf::DecodePicture(picture, kMostDecodedPixels), kLongestKeptSide);
    } catch (const std::exception&) {
      return;  // damaged or too large for memory: the next ranked picture takes its place
    }
    if (kept_.size() > kMostShownPictures) kept_.erase(std::prev(kept_.end()));
  }

  // Not shown, like a picture that fails to decode.
  void Refuse(const swf::PictureInfo&, const swf::ESwfError&) override {}

  std::vector<BgraImage> Kept() && {
    std::vector<BgraImage> images;
    for (auto& [rank, image] : kept_) images.push_back(std::move(image));
    return images;
  }

 private:
  std::map<std::uint64_t, std::size_t> rankByOffset_;
  std::map<std::size_t, BgraImage> kept_;  // by rank
};

}  // namespace

// Both walks end at the movie's first defect, each keeping what it found before it: damage at
// the end of a movie, or in one of its tags, costs the saver no picture in front of it.
std::vector<BgraImage> ReadMoviePictures(const MovieOpener& open) {
  std::vector<swf::PictureInfo> ranked;
  {
    const std::unique_ptr<swf::ByteSource> movie = open();
    ranked = RankPictures(swf::MovieReader(*movie).WalkUntilDefect().pictures);
  }
  if (ranked.empty()) return {};
  RankedDecoder decoder(ranked);
  const std::unique_ptr<swf::ByteSource> movie = open();
  swf::MovieReader(*movie).WalkUntilDefect(&decoder);
  return std::move(decoder).Kept();
}

}  // namespace swivex::glowdrift
