#pragma once

namespace swivex {

// True if the byte starts a double-byte character in the ANSI code page.
using LeadByteTest = bool (*)(unsigned char byte);

// How the system spells file names: the byte that separates folders ("\\" on Windows, "/"
// elsewhere) and which bytes start a double-byte character, whose trail byte may equal "\\".
struct PathSyntax {
  char separator;
  LeadByteTest isLeadByte;
  // True where ":" ends a drive's name ("C:intro.swf"), as on Windows; elsewhere ":" is one
  // more character of a name.
  bool driveColon = true;
};

}  // namespace swivex
