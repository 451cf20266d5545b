#pragma once

namespace swivex::console {

// What --help prints. The help page (help/swivexc.html) and README's "Use" section show the
// same commands and examples.
inline constexpr char kHelpText[] =
    R"(swivexc - projectors, web folders and movie facts from the command line

usage:
  swivexc build MOVIE... [-o OUT] [--linux] [--stub FILE] [--force]
      Makes a projector of each movie: the player stub, the movie and the trailer. The
      projector goes beside the movie with the extension .exe, or to OUT: the projector's
      name for a single movie, otherwise a folder. The stub is Viewhost.exe beside swivexc,
      or FILE. A projector plays its movie in a browser window with the Flash player it
      carries. With --linux it is a projector for Linux: the stub is viewhost beside swivexc
      (the Linux build has it) or in ../lib/swivex/ from swivexc's folder (where the Linux
      package puts it), the projector has no extension and may be run (mode 0755), and it
      opens its page with xdg-open.
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
  swivexc web MOVIE... [-o DIR] [--force]
      Writes a folder for each movie or projector that plays its movie from a web server:
      index.html (the projector's page), the Flash player's files (ruffle.js, its core, its
      .wasm file and licences.html, the player's licences) and the movie. The folder goes
      beside the movie as NAME-web, or is DIR for a single movie, otherwise DIR/NAME. Any
      static web server will do, also one on http://localhost such as
      python3 -m http.server, if it sends .wasm files as application/wasm; opened from the
      disk (file://) the page cannot load the player. Files that the movie loads from beside
      itself are not copied: put them into the folder.
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
  swivexc web intro.exe -o site/intro       site/intro/index.html and what it plays
)";

}  // namespace swivex::console
