#pragma once

#include <windows.h>

#include <utility>

#include "app/UniqueHandle.h"

namespace swivex::glowdrift {

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }

using UniqueBitmap = UniqueHandle<HBITMAP, &DeleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, &DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &DeleteGdiObject>;
using MemoryDc = UniqueHandle<HDC, &DeleteMemoryDc>;

// An object selected into a DC; the DC's previous object goes back in when this goes away, so
// that the object can be deleted afterwards.
class SelectedObject {
 public:
  SelectedObject() = default;
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectedObject(SelectedObject&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)),
        previous_(std::exchange(other.previous_, nullptr)) {}
  SelectedObject& operator=(SelectedObject&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { Restore(); }

 private:
  void Restore() {
    if (dc_ && previous_) ::SelectObject(dc_, previous_);
    dc_ = nullptr;
  }

  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Limits drawing on a DC to a rectangle until this goes away, when the DC's earlier state
// (clipping included) comes back.
class ClipToRect {
 public:
  ClipToRect(HDC dc, const RECT& area) : dc_(dc), saved_(::SaveDC(dc)) {
    ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  }
  ClipToRect(const ClipToRect&) = delete;
  ClipToRect& operator=(const ClipToRect&) = delete;
  ~ClipToRect() {
    if (saved_) ::RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

// The DC of one WM_PAINT, from BeginPaint to EndPaint.
class PaintSession {
 public:
  explicit PaintSession(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  ~PaintSession() { ::EndPaint(window_, &paint_); }

  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// An off-screen picture of a window's size: the frame is drawn here and copied to the window in
// one piece, so that it never flickers.
class BackBuffer {
 public:
  // The buffer's DC, with a bitmap of at least the given size that suits the reference DC.
  HDC Prepare(HDC reference, int width, int height);

 private:
  // Declared in this order so that the bitmap is deselected before it is deleted, and deleted
  // before its DC.
  MemoryDc dc_;
  UniqueBitmap bitmap_;
  SelectedObject selection_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace swivex::glowdrift
