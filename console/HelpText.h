#pragma once

namespace swivex::console {

// What --help prints. The help page (help/swivexc.html) and README's "Use" section show the
// same commands and examples.
inline constexpr char kHelpText[] = R"(swivexc - projectors and movie facts from the command line

usage:
  swivexc build MOVIE... [-o OUT] [--linux] [--stub FILE] [--force]
      Makes a projector of each movie: the player stub, the movie and the trailer. The
      projector goes beside the movie with the extension .exe, or to OUT: the projector's
      name for a single movie, otherwise a folder. The stub is Viewhost.exe beside swivexc,
      or FILE. A projector plays its movie in a browser window with the Flash player it
      carries. With --linux it is a projector for Linux: the stub is viewhost beside swivexc
      (the Linux build has it), the projector has no extension and may be run (mode 0755),
      and it opens its page with xdg-open.
  swivexc extract FILE|FOLDER... [-o DIR] [-r] [--force]
      Writes the movie of each projector beside it with the extension .swf, or into DIR.
      A folder stands for the files in it, and with -r for those in its folders too (in DIR
      the folders are repeated). Prints a line per file: ok, skipped (found, not a
      projector) or failed with the reason; a named file that is no projector fails.
  swivexc info FILE... [--json]
      Tells of each movie or projector: the kind, the stub size and movie length, the
      signature and compression, version, declared length, frame size, rate and count,
      ActionScript 3, network access, the number of pictures and the SHA-256 of the movie.
      With --json, one JSON object per line per file (see the help page for the fields).
  swivexc pictures FILE [-o DIR] [--force]
      Writes the pictures of a movie or projector into DIR (by default NAME-pictures beside
      FILE), each named by its character id: JPEG as .jpg, PNG and GIF as they are, lossless
      bitmaps as .png.
  swivexc --help | --version

An existing file is never replaced unless --force is given; then it is replaced only once the
new file is complete. A file given to the command, or written by it, is never replaced by it.
Ctrl+C stops the command, leaving the file at hand as it was; a second Ctrl+C ends it at once.
Exit code: 0 when every file succeeded, 1 when any failed, 2 for a mistake in the command line,
130 when stopped (143 after SIGTERM). Progress shows on standard error for files over 64 MiB
when it is a terminal.

examples:
  swivexc build intro.swf                   makes intro.exe beside intro.swf
  swivexc build a.swf b.swf -o projectors   makes projectors/a.exe and projectors/b.exe
  swivexc build --linux intro.swf           makes intro, a projector for Linux
  swivexc extract old -r -o movies          the movies of every projector under old/
  swivexc info intro.exe --json             the facts of a projector's movie as JSON
  swivexc pictures intro.swf -o art         art/1.jpg, art/5.png, ...
)";

}  // namespace swivex::console
