#include "player-stub/SwfPlayer.h"

#include <windows.h>
// shellapi.h and shlwapi.h build on windows.h.
#include <shellapi.h>
#include <shlwapi.h>

#include "playback/SystemErrorText.h"
#include "winsupport/ComApartment.h"

namespace swivex {

namespace {

// ShellExecute's own error numbers, in the words of the matching system message where one
// exists.
void AppendShellErrorText(BoundedText& text, INT_PTR result) {
  switch (result) {
    case 0:
    case SE_ERR_OOM:
      return AppendSystemErrorText(text, ERROR_OUTOFMEMORY);
    case SE_ERR_FNF:
    case SE_ERR_PNF:
    case SE_ERR_ACCESSDENIED:
    case ERROR_BAD_FORMAT:
      return AppendSystemErrorText(text, static_cast<DWORD>(result));
    case SE_ERR_SHARE:
      return AppendSystemErrorText(text, ERROR_SHARING_VIOLATION);
    case SE_ERR_DLLNOTFOUND:
      return AppendSystemErrorText(text, ERROR_MOD_NOT_FOUND);
    default:
      text.Append("The program did not start (shell error ")
          .Append(static_cast<unsigned long>(result))
          .Append(")");
  }
}

}  // namespace

bool IsSwfPlayerRegistered() {
  char executable[MAX_PATH];
  DWORD size = sizeof executable;
  // Without ASSOCF_INIT_IGNOREUNKNOWN newer systems name their "Open with" picker for an
  // extension that nothing has claimed.
  const HRESULT found = ::AssocQueryStringA(ASSOCF_INIT_IGNOREUNKNOWN, ASSOCSTR_EXECUTABLE, ".swf",
                                            "open", executable, &size);
  // E_POINTER: a program is registered, under a path longer than the buffer.
  return found == S_OK || found == E_POINTER;
}

OpenResult OpenWithSwfPlayer(const BoundedText& moviePath, BoundedText& failure) {
  // Shell extensions that an open may load expect a single-threaded apartment.
  const win::ComApartment apartment;
  // The shell returns a number above 32 on success, otherwise one of the SE_ERR_ codes.
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteA(nullptr, "open", moviePath.CStr(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return OpenResult::Opened;
  if (result == SE_ERR_NOASSOC || result == SE_ERR_ASSOCINCOMPLETE) return OpenResult::NoPlayer;
  failure.Append("Cannot open \"")
      .Append(moviePath)
      .Append("\" with the program registered for .swf files. ");
  AppendShellErrorText(failure, result);
  failure.Append(".");
  return OpenResult::Failed;
}

}  // namespace swivex
