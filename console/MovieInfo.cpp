#include "console/MovieInfo.h"

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"
#include "console/JsonText.h"
#include "console/MovieFile.h"
#include "platform/Sha256.h"

namespace swivex::console {

namespace {

std::string Hex(const Sha256::Digest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

const char* Signature(swf::Compression compression) {
  switch (compression) {
    case swf::Compression::kZlib:
      return "CWS";
    case swf::Compression::kLzma:
      return "ZWS";
    case swf::Compression::kNone:
      break;
  }
  return "FWS";
}

const char* CompressionName(swf::Compression compression) {
  switch (compression) {
    case swf::Compression::kZlib:
      return "zlib";
    case swf::Compression::kLzma:
      return "lzma";
    case swf::Compression::kNone:
      break;
  }
  return "none";
}

bool ActionScript3(const MovieInfo& info) {
  return info.summary.fileAttributes && info.summary.fileAttributes->actionScript3;
}

bool UsesNetwork(const MovieInfo& info) {
  return info.summary.fileAttributes && info.summary.fileAttributes->useNetwork;
}

std::string FormatJson(const std::string& path, const MovieInfo& info, LeadByteTest isLeadByte) {
  const swf::SwfHeader& header = info.summary.header;
  JsonObject object;
  object.Add("file", JsonString(path, isLeadByte));
  object.Add("kind", JsonString(info.stubSize ? "projector" : "movie"));
  object.Add("stub_size", info.stubSize ? std::to_string(*info.stubSize) : "null");
  object.Add("movie_length", std::to_string(info.movieLength));
  object.Add("signature", JsonString(Signature(header.compression)));
  object.Add("compression", JsonString(CompressionName(header.compression)));
  object.Add("version", std::to_string(header.version));
  object.Add("declared_length", std::to_string(header.declaredLength));
  object.Add("frame_width", JsonNumber(header.WidthPixels()));
  object.Add("frame_height", JsonNumber(header.HeightPixels()));
  object.Add("frame_rate", JsonNumber(header.FramesPerSecond()));
  object.Add("frame_count", std::to_string(header.frameCount));
  object.Add("actionscript3", ActionScript3(info) ? "true" : "false");
  object.Add("use_network", UsesNetwork(info) ? "true" : "false");
  object.Add("picture_count", std::to_string(info.summary.pictures.size()));
  object.Add("sha256", JsonString(info.sha256));
  return object.Text() + "\n";
}

std::string FormatText(const std::string& path, const MovieInfo& info) {
  const swf::SwfHeader& header = info.summary.header;
  std::string text = path + "\n";
  const auto line = [&](const char* name, const std::string& value) {
    text.append("  ").append(name).append(": ").append(value).append("\n");
  };
  if (info.stubSize) {
    line("kind", "projector");
    line("stub size", std::to_string(*info.stubSize) + " bytes");
  } else {
    line("kind", "movie");
  }
  line("movie length", std::to_string(info.movieLength) + " bytes");
  line("signature", std::string(Signature(header.compression)) +
                        " (compression: " + CompressionName(header.compression) + ")");
  line("version", std::to_string(header.version));
  line("declared length", std::to_string(header.declaredLength) + " bytes");
  line("frame size",
       JsonNumber(header.WidthPixels()) + " x " + JsonNumber(header.HeightPixels()) + " pixels");
  line("frame rate", JsonNumber(header.FramesPerSecond()) + " frames per second");
  line("frame count", std::to_string(header.frameCount));
  line("ActionScript 3", ActionScript3(info) ? "yes" : "no");
  line("network access", UsesNetwork(info) ? "yes" : "no");
  line("pictures", std::to_string(info.summary.pictures.size()));
  line("SHA-256", info.sha256);
  return text;
}

}  // namespace

MovieInfo ReadMovieInfo(const std::string& path, Files& files, ConversionProgress* progress) {
  MovieFile movie = OpenMovieFile(path, files);
  MovieInfo info;
  if (movie.projector) info.stubSize = movie.projector->offset;
  info.movieLength = movie.length;

  Sha256 hash;
  MovieBytes bytes(movie, &hash, progress);
  swf::MovieReader reader(bytes);
  info.summary = reader.Walk();
  // Whatever follows the movie's data inside its stored length, and a compressed stream's
  // padding, are part of the bytes that the hash stands for.
  bytes.ReadRest();
  movie.file.Close();

  Sha256::Digest digest{};
  if (const ErrorCode error = hash.Finish(digest))
    throw Exception("Cannot compute the SHA-256 hash. " + SystemErrorText(error, files));
  info.sha256 = Hex(digest);
  return info;
}

std::string FormatInfo(const std::string& path, const MovieInfo& info, bool json,
                       LeadByteTest isLeadByte) {
  return json ? FormatJson(path, info, isLeadByte) : FormatText(path, info);
}

}  // namespace swivex::console
