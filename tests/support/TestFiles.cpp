#include "tests/support/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace swivex::testing {

Bytes RandomBytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes bytes(count);
  for (auto& b : bytes) b = static_cast<unsigned char>(byte(generator));
  return bytes;
}

void WriteBytes(const std::string& name, const Bytes& bytes) {
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write test file " + name);
}

Bytes ReadBytes(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read test file " + name);
  // In one read where the size is known: a byte at a time, a program of megabytes takes seconds
  // under the sanitizers.
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  file.seekg(0);
  if (size < 0 || !file) {
    file.clear();
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  Bytes bytes(static_cast<std::size_t>(size));
  file.read(reinterpret_cast<char*>(bytes.data()), size);
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

bool Exists(const std::string& name) { return std::filesystem::exists(name); }

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

Bytes Concat(const Bytes& a, const Bytes& b) {
  Bytes joined(a);
  joined.insert(joined.end(), b.begin(), b.end());
  return joined;
}

Bytes ProjectorTrailer(std::uint32_t movieLength) {
  return {0x56,
          0x34,
          0x12,
          0xFA,
          static_cast<unsigned char>(movieLength),
          static_cast<unsigned char>(movieLength >> 8),
          static_cast<unsigned char>(movieLength >> 16),
          static_cast<unsigned char>(movieLength >> 24)};
}

}  // namespace swivex::testing
