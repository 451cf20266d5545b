#pragma once

#include <windows.h>
// shellapi.h builds on windows.h.
#include <shellapi.h>

#include "winsupport/UniqueHandle.h"

namespace swivex::win {

// The kinds of handle that the programs own, each with its "no handle" value and its release.

// Files and other objects that CreateFileA opens: INVALID_HANDLE_VALUE when there is none.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Release(Handle handle) noexcept { ::CloseHandle(handle); }
};

// Processes, threads, events: null when there is none.
struct KernelObjectTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle handle) noexcept { ::CloseHandle(handle); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Release(Handle handle) noexcept { ::FindClose(handle); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle key) noexcept { ::RegCloseKey(key); }
};

template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle object) noexcept { ::DeleteObject(object); }
};

// A device context of its own (CreateCompatibleDC), as opposed to a window's (GetDC).
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle dc) noexcept { ::DeleteDC(dc); }
};

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle memory) noexcept { ::GlobalFree(memory); }
};

struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle memory) noexcept { ::LocalFree(memory); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle menu) noexcept { ::DestroyMenu(menu); }
};

// Libraries that LoadLibraryExA loaded.
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle module) noexcept { ::FreeLibrary(module); }
};

struct AcceleratorTableTraits {
  using Handle = HACCEL;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle table) noexcept { ::DestroyAcceleratorTable(table); }
};

struct HookTraits {
  using Handle = HHOOK;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle hook) noexcept { ::UnhookWindowsHookEx(hook); }
};

// The files of a drop on a window (WM_DROPFILES).
struct DropTraits {
  using Handle = HDROP;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle drop) noexcept { ::DragFinish(drop); }
};

// A COM object's interface, released through it.
template <typename Interface>
struct ComInterfaceTraits {
  using Handle = Interface*;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle object) noexcept { object->Release(); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueKey = UniqueHandle<RegistryKeyTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;
using UniqueLocal = UniqueHandle<LocalMemoryTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueAccelerators = UniqueHandle<AcceleratorTableTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueHook = UniqueHandle<HookTraits>;
using UniqueDrop = UniqueHandle<DropTraits>;
template <typename Interface>
using UniqueInterface = UniqueHandle<ComInterfaceTraits<Interface>>;

}  // namespace swivex::win
