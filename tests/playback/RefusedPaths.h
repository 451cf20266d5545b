#pragma once

#include <array>
#include <string_view>

namespace swivex::testing {

// Paths after "/TOKEN/" that name no file beside a projector, each in the spelling a request
// would send, and why it is refused. The server answers each with 404, whatever lies there.
struct RefusedPath {
  std::string_view encoded;
  std::string_view why;
};

// One byte longer than the longest path that the server opens, 1,024 bytes.
inline constexpr std::array<char, 1025> kOverlongPath = [] {
  std::array<char, 1025> path{};
  path.fill('a');
  return path;
}();

inline constexpr RefusedPath kRefusedPaths[] = {
    {"../secret.txt", "the parent folder"},
    {"%2e%2e/secret.txt", "the parent folder, escaped"},
    {"sub/../../secret.txt", "out through a subfolder"},
    {"sub/..", "a parent name at the end"},
    {"./notes.xml", "a current-folder name"},
    {".hidden", "a hidden file"},
    {"..notes", "a name that begins with two dots"},
    {".ssh/id_rsa", "a file in a hidden folder"},
    {"sub/.git/config", "a hidden folder in a subfolder"},
    {"%2Essh/id_rsa", "a hidden folder, escaped"},
    {"/etc/passwd", "an absolute path"},
    {"%2Fetc%2Fpasswd", "an absolute path, escaped"},
    {"sub//data.txt", "an empty name"},
    {"sub/", "a folder"},
    {"C:/windows/win.ini", "a drive letter"},
    {"C%3A%5Cwindows%5Cwin.ini", "a drive letter with backslashes, escaped"},
    {"notes.xml:secret", "a stream"},
    {"notes.xml::$DATA", "the default stream"},
    {"..%5Csecret.txt", "a backslash"},
    {"sub%5Cdata.txt", "a backslash as a separator"},
    {"CON", "a device"},
    {"con.txt", "a device with an extension"},
    {"sub/NUL", "a device in a subfolder"},
    {"Nul%20.swf", "a device name with a space before its extension"},
    {"aux", "a device"},
    {"PRN.xml", "a device"},
    {"COM1", "a serial port"},
    {"lpt9.txt", "a printer port"},
    {"COM%C2%B9", "a serial port numbered with a superscript"},
    {"CONIN$", "the console's input"},
    {"conout$.txt", "the console's output"},
    {"notes.xml.", "a name ending in a dot"},
    {"notes.xml%20", "a name ending in a space"},
    {"notes.xml%00.swf", "a NUL byte"},
    {"notes%0Axml", "a control character"},
    {"notes%7Fxml", "a DEL character"},
    {{kOverlongPath.data(), kOverlongPath.size()}, "one byte longer than the longest path"},
    {"no%zzescape", "a malformed escape"},
    {"trailing%2", "a cut-off escape"},
    {"star*.xml", "a wildcard"},
    {"quote%22.xml", "a quote"},
};

}  // namespace swivex::testing
