#include "tests/e2e/driver/FileDrop.h"

#include <shlobj.h>

#include <cstring>

#include "tests/e2e/driver/Wait.h"
#include "tests/e2e/driver/WindowList.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {

namespace {

// DROPFILES, then each name with its terminating zero, then one more zero.
std::vector<char> DropBlock(const std::vector<std::string>& files) {
  DROPFILES header{};
  header.pFiles = sizeof(header);
  header.fWide = FALSE;
  std::vector<char> block(sizeof(header));
  std::memcpy(block.data(), &header, sizeof(header));
  for (const std::string& file : files)
    block.insert(block.end(), file.c_str(), file.c_str() + file.size() + 1);
  block.push_back('\0');
  return block;
}

}  // namespace

// A global memory handle means nothing in another process, so the block is written into the
// receiver's own memory. Page-aligned memory is what GlobalLock takes for fixed global memory
// (a pointer, not a handle); DragFinish cannot give it back to the heap and leaves it, a few
// bytes per drop in a process that a test ends anyway.
void DropFiles(HWND window, const std::vector<std::string>& files) {
  const std::vector<char> block = DropBlock(files);
  win::UniqueKernelObject process(
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, ProcessOf(window)));
  if (!process) throw DriverError("cannot open the process of \"" + TextOf(window) + "\"");
  void* remote = ::VirtualAllocEx(process.Get(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
  SIZE_T written = 0;
  if (remote == nullptr ||
      !::WriteProcessMemory(process.Get(), remote, block.data(), block.size(), &written) ||
      written != block.size())
    throw DriverError("cannot write the dropped names into the receiving process");
  if (!::PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0))
    throw DriverError("cannot post WM_DROPFILES");
}

}  // namespace swivex::e2e
