#include "app/FirstSwivex.h"

#include <algorithm>
#include <optional>

#include "ui/HandedFiles.h"
#include "ui/MainFrmIds.h"

namespace swivex {

namespace {

constexpr DWORD kPatienceMs = 10'000;
constexpr DWORD kRetryMs = 100;
constexpr UINT kAnswerMs = 5'000;

// "Local\" is the session's own namespace; the user's name keeps another user's Swivex, run in
// this session, out of it.
std::string MutexName() {
  char user[257] = {};
  DWORD size = sizeof(user);
  if (!::GetUserNameA(user, &size)) user[0] = '\0';
  return std::string("Local\\Swivex.FirstWindow.") + user;
}

// The TOKEN_USER of a process, or nothing if it cannot be asked.
std::vector<BYTE> UserOf(HANDLE process) {
  win::UniqueKernelObject token;
  if (!::OpenProcessToken(process, TOKEN_QUERY, token.Receive())) return {};
  DWORD size = 0;
  ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  if (size == 0 || !::GetTokenInformation(token.Get(), TokenUser, user.data(), size, &size))
    return {};
  return user;
}

PSID SidOf(std::vector<BYTE>& user) { return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid; }

// Another user's window on this desktop is left alone.
bool RunsForThisUser(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  const win::UniqueKernelObject process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return false;
  std::vector<BYTE> theirs = UserOf(process.Get());
  std::vector<BYTE> ours = UserOf(::GetCurrentProcess());
  return !theirs.empty() && !ours.empty() && ::EqualSid(SidOf(theirs), SidOf(ours));
}

// Offers the message to each Swivex window of this user until one takes it.
bool SendToSwivexWindow(const std::string& message) {
  COPYDATASTRUCT data{kHandedFilesTag, static_cast<DWORD>(message.size()),
                      const_cast<char*>(message.data())};
  for (HWND window = ::FindWindowExA(nullptr, nullptr, mainform::kClassName, nullptr);
       window != nullptr;
       window = ::FindWindowExA(nullptr, window, mainform::kClassName, nullptr)) {
    if (!RunsForThisUser(window)) continue;
    DWORD_PTR taken = FALSE;
    if (::SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                              SMTO_ABORTIFHUNG, kAnswerMs, &taken) != 0 &&
        taken == TRUE) {
      return true;
    }
  }
  return false;
}

}  // namespace

FirstSwivex::FirstSwivex() : mutex_(::CreateMutexA(nullptr, FALSE, MutexName().c_str())) {
  // Without the mutex there is no telling which Swivex is the first: this one stays alone.
  first_ = !mutex_ || TakeFirstPlace(0);
}

FirstSwivex::~FirstSwivex() {
  if (first_ && mutex_) ::ReleaseMutex(mutex_.Get());
}

bool FirstSwivex::TakeFirstPlace(DWORD waitMs) {
  const DWORD result = ::WaitForSingleObject(mutex_.Get(), waitMs);
  // An abandoned mutex is the first Swivex's, ended without giving its place up.
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

std::vector<std::string> FirstSwivex::HandOver(std::vector<std::string> files,
                                               const PathSyntax& syntax) {
  const std::vector<std::string> messages = PackHandedFiles(files);
  // A name that the first Swivex would refuse (one that the system could not expand) is converted
  // here, with the others.
  const bool acceptable = std::ranges::all_of(messages, [&](const std::string& message) {
    return UnpackHandedFiles(message, syntax).has_value();
  });
  if (!acceptable) return files;
  const ULONGLONG deadline = ::GetTickCount64() + kPatienceMs;
  std::size_t handed = 0;
  while (!first_ && handed < messages.size()) {
    if (SendToSwivexWindow(messages[handed])) {
      ++handed;
      continue;
    }
    if (::GetTickCount64() >= deadline) break;
    // The pause before the next try ends at once when the first Swivex ends.
    first_ = TakeFirstPlace(kRetryMs);
  }
  files.erase(files.begin(), files.begin() + static_cast<std::ptrdiff_t>(
                                                 std::min(files.size(), handed * kMaxHandedFiles)));
  return files;
}

}  // namespace swivex
