// Feeds ExtractMovie arbitrary files. Whatever the file, the operation returns a result message
// or raises an error report, never modifies its source, and leaves a target only after it said
// the conversion succeeded; that target is then exactly the bytes in front of the trailer.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/Exceptions.h"
#include "platform/SystemFiles.h"
#include "projector/Conversions.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A fresh folder under the temporary folder, removed with everything in it when the object
// goes: a fuzzer that ends normally leaves nothing behind, however often it is run.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "swivex-fuzz-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) std::abort();
    path_ = name;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// libFuzzer ends a run through exit(), which destroys this static owner and so the folder.
const std::string& FuzzFolder() {
  static const ScratchFolder folder;
  return folder.Path();
}

Bytes Read(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& name) { return ::access(name.c_str(), F_OK) == 0; }

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bundle = FuzzFolder() + "/bundle.exe";
  const std::string target = FuzzFolder() + "/bundle.swf";
  const Bytes input(data, data + size);
  {
    std::ofstream file(bundle, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  ::unlink(target.c_str());

  swivex::SystemFiles files;
  std::string result;
  try {
    result = swivex::ExtractMovie(bundle, target, files);
  } catch (const swivex::Exception& error) {
    Check(std::strlen(error.what()) > 0, "an error report has text");
  }

  Check(Read(bundle) == input, "the source is unchanged");
  if (result == swivex::kConvertedMessage) {
    Check(Exists(target), "a target exists after success");
    const Bytes movie = Read(target);
    Check(size >= movie.size() + 8, "the movie lies in front of the trailer");
    Check(std::equal(movie.begin(), movie.end(), input.end() - 8 - movie.size()),
          "the movie is the bytes in front of the trailer");
  } else {
    Check(!Exists(target), "no target without success");
  }
  return 0;
}
