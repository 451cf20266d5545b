// A stand-in for a DLL planted beside a program: copied into the program's folder under the name
// of a system DLL. Loaded into a process, it appends one line to "<its file name>.loaded" beside
// itself, fields separated by '|': the process's program; "in a call of the program" when code
// of the program's own file is on the stack, else "before the program ran"; then "imported" and
// every module of the process whose import table names it, or else "requested" and the module
// that asked the loader for it (the first on the stack that is not the loader's own).
#include <windows.h>
#include <winternl.h>

#include <string>

#include "tests/support/AsciiText.h"
#include "winsupport/SystemDllSearch.h"

namespace {

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH * 3];
  const DWORD length = ::GetModuleFileNameA(module, path, sizeof path);
  return std::string(path, length < sizeof path ? length : 0);
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

std::string PathOf(const BYTE* image) {
  return ModulePath(reinterpret_cast<HMODULE>(const_cast<BYTE*>(image)));
}

template <typename T>
const T* At(const BYTE* image, DWORD offset) {
  return reinterpret_cast<const T*>(image + offset);
}

// Whether the import table of the module mapped at `image` names `dllName` (lower case).
bool Imports(const BYTE* image, const std::string& dllName) {
  const auto* dos = At<IMAGE_DOS_HEADER>(image, 0);
  const auto* nt = At<IMAGE_NT_HEADERS>(image, static_cast<DWORD>(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return false;
  for (const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(image, directory.VirtualAddress);
       entry->Name != 0; ++entry) {
    if (swivex::testing::AsciiLower(At<char>(image, entry->Name)) == dllName) return true;
  }
  return false;
}

// GCC 12 takes the segment read inside NtCurrentTeb for an access out of bounds.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const PEB* CurrentPeb() { return NtCurrentTeb()->ProcessEnvironmentBlock; }
#pragma GCC diagnostic pop

// Each module of the process, from the loader's own list: this runs under the loader lock, where
// enumerating modules through the system's functions is not safe.
template <typename Visit>
void ForEachModule(Visit visit) {
  const PEB* peb = CurrentPeb();
  const LIST_ENTRY* head = &peb->Ldr->InMemoryOrderModuleList;
  for (const LIST_ENTRY* link = head->Flink; link != head; link = link->Flink) {
    const auto* entry = CONTAINING_RECORD(link, LDR_DATA_TABLE_ENTRY, InMemoryOrderLinks);
    if (entry->DllBase != nullptr) visit(static_cast<const BYTE*>(entry->DllBase));
  }
}

std::string Importers(const std::string& dllName) {
  std::string importers;
  ForEachModule([&](const BYTE* image) {
    if (Imports(image, dllName)) importers.append("|").append(PathOf(image));
  });
  return importers;
}

bool IsLoaderModule(const std::string& path, HMODULE self) {
  const std::string name = swivex::testing::AsciiLower(BaseName(path));
  return path == ModulePath(self) || name == "ntdll.dll" || name == "kernelbase.dll" ||
         name == "kernel32.dll";
}

// The return addresses on this thread's stack, innermost first.
struct Stack {
  void* frames[62] = {};
  USHORT count = ::RtlCaptureStackBackTrace(0, 62, frames, nullptr);
};

bool Contains(const BYTE* image, const void* address) {
  const auto* nt =
      At<IMAGE_NT_HEADERS>(image, static_cast<DWORD>(At<IMAGE_DOS_HEADER>(image, 0)->e_lfanew));
  const auto* pc = static_cast<const BYTE*>(address);
  return pc >= image && pc < image + nt->OptionalHeader.SizeOfImage;
}

std::string OwnerOf(const void* address) {
  std::string owner;
  ForEachModule([&](const BYTE* image) {
    if (Contains(image, address)) owner = PathOf(image);
  });
  return owner;
}

// The module whose code, below the loader's frames, is asking for this load.
std::string Requester(const Stack& stack, HMODULE self) {
  for (USHORT i = 0; i < stack.count; ++i) {
    const std::string owner = OwnerOf(stack.frames[i]);
    if (!owner.empty() && !IsLoaderModule(owner, self)) return owner;
  }
  return "(unknown)";
}

// Whether code of the program's own file called on the way here. While the process starts, the
// walk runs on past the loader into the starting thread's saved context, which holds the
// program's entry point: that address alone is no call of the program's.
bool ProgramOnStack(const Stack& stack) {
  const auto* program = reinterpret_cast<const BYTE*>(::GetModuleHandleA(nullptr));
  const auto* nt =
      At<IMAGE_NT_HEADERS>(program, static_cast<DWORD>(At<IMAGE_DOS_HEADER>(program, 0)->e_lfanew));
  const BYTE* entryPoint = program + nt->OptionalHeader.AddressOfEntryPoint;
  for (USHORT i = 0; i < stack.count; ++i)
    if (Contains(program, stack.frames[i]) && stack.frames[i] != entryPoint) return true;
  return false;
}

void Record(HMODULE self) {
  const std::string path = ModulePath(self);
  const Stack stack;
  const std::string importers = Importers(swivex::testing::AsciiLower(BaseName(path)));
  const std::string when =
      ProgramOnStack(stack) ? "|in a call of the program" : "|before the program ran";
  const std::string how =
      importers.empty() ? "|requested|" + Requester(stack, self) : "|imported" + importers;
  const std::string line = ModulePath(nullptr) + when + how + "\r\n";
  const HANDLE record = ::CreateFileA((path + ".loaded").c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (record == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(record, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(record);
}

}  // namespace

// Wine's own DLLs call planted DLLs as they would the system's: its user32.dll imports three
// functions of version.dll and calls them at start-up, its uxtheme.dll draws with msimg32.dll.
// The recorder passes those calls on to the system's DLL, loaded by its full path, so that the
// process it was loaded into keeps working. (Exported under their names by PlantedDllRecorder.def.)
namespace {

template <typename Signature>
Signature* SystemFunction(const char* dll, const char* name) {
  const HMODULE system = swivex::win::LoadFromSystemFolder(dll);  // kept to the end
  return reinterpret_cast<Signature*>(reinterpret_cast<void (*)()>(::GetProcAddress(system, name)));
}

}  // namespace

extern "C" DWORD WINAPI PassOnGetFileVersionInfoSizeW(LPCWSTR file, LPDWORD handle) {
  static auto* const real = SystemFunction<decltype(PassOnGetFileVersionInfoSizeW)>(
      "version.dll", "GetFileVersionInfoSizeW");
  return real(file, handle);
}

extern "C" BOOL WINAPI PassOnGetFileVersionInfoW(LPCWSTR file, DWORD handle, DWORD size,
                                                 LPVOID data) {
  static auto* const real =
      SystemFunction<decltype(PassOnGetFileVersionInfoW)>("version.dll", "GetFileVersionInfoW");
  return real(file, handle, size, data);
}

extern "C" BOOL WINAPI PassOnVerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer,
                                            PUINT length) {
  static auto* const real =
      SystemFunction<decltype(PassOnVerQueryValueW)>("version.dll", "VerQueryValueW");
  return real(block, subBlock, buffer, length);
}

extern "C" BOOL WINAPI PassOnAlphaBlend(HDC target, int x, int y, int width, int height, HDC source,
                                        int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                        BLENDFUNCTION blend) {
  static auto* const real = SystemFunction<decltype(PassOnAlphaBlend)>("msimg32.dll", "AlphaBlend");
  return real(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
              blend);
}

extern "C" BOOL WINAPI PassOnGradientFill(HDC target, PTRIVERTEX vertices, ULONG vertexCount,
                                          PVOID mesh, ULONG meshCount, ULONG mode) {
  static auto* const real =
      SystemFunction<decltype(PassOnGradientFill)>("msimg32.dll", "GradientFill");
  return real(target, vertices, vertexCount, mesh, meshCount, mode);
}

extern "C" BOOL WINAPI PassOnTransparentBlt(HDC target, int x, int y, int width, int height,
                                            HDC source, int sourceX, int sourceY, int sourceWidth,
                                            int sourceHeight, UINT colour) {
  static auto* const real =
      SystemFunction<decltype(PassOnTransparentBlt)>("msimg32.dll", "TransparentBlt");
  return real(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
              colour);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Record(self);
  return TRUE;
}
