#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace swivex::testing {

using Bytes = std::vector<unsigned char>;

Bytes RandomBytes(std::size_t count, std::uint32_t seed);
void WriteBytes(const std::string& name, const Bytes& bytes);
Bytes ReadBytes(const std::string& name);
bool Exists(const std::string& name);
Bytes Concat(const Bytes& a, const Bytes& b);
// The bytes as a string, to compare with text that a program sends or writes.
inline std::string AsText(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }
// A projector's trailer: the marker 56 34 12 FA and the movie's length, little-endian.
Bytes ProjectorTrailer(std::uint32_t movieLength);
// The names of the files and folders in `folder`, sorted.
std::vector<std::string> NamesIn(const std::string& folder);

}  // namespace swivex::testing
