// Move-only owners for GDI handles. Each owner gives its handle back exactly
// once; copying is deleted because a copied owner would free the handle twice.
// Owners that depend on each other (a bitmap selected into a context) must be
// declared so that they are destroyed in reverse order of acquisition: the
// selection first, then the bitmap, then the context.
#pragma once

#include <windows.h>

#include <utility>

namespace corvale {

// A pen, brush, bitmap or font, deleted with DeleteObject.
template <typename Handle>
class GdiObject {
   public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) DeleteObject(handle_);
        handle_ = handle;
    }

   private:
    Handle handle_ = nullptr;
};

using GdiBitmap = GdiObject<HBITMAP>;
using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiFont = GdiObject<HFONT>;

// A memory device context from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDc {
   public:
    MemoryDc() = default;
    explicit MemoryDc(HDC dc) : dc_(dc) {}
    ~MemoryDc() { reset(); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDc& operator=(MemoryDc&& other) noexcept {
        if (this != &other) reset(std::exchange(other.dc_, nullptr));
        return *this;
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset(HDC dc = nullptr) {
        if (dc_ != nullptr) DeleteDC(dc_);
        dc_ = dc;
    }

   private:
    HDC dc_ = nullptr;
};

// A window's device context from GetDC (nullptr = the screen), given back
// with ReleaseDC.
class WindowDc {
   public:
    WindowDc() = default;
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { reset(); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
        window_ = nullptr;
        dc_ = nullptr;
    }

   private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// An object selected into a context; restore() (or destruction) selects the
// object it displaced back, so the owner of ours can delete it safely.
class SelectedObject {
   public:
    SelectedObject() = default;
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), displaced_(SelectObject(dc, object)) {
        if (displaced_ == nullptr || displaced_ == HGDI_ERROR) {
            dc_ = nullptr;
            displaced_ = nullptr;
        }
    }
    ~SelectedObject() { restore(); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), displaced_(std::exchange(other.displaced_, nullptr)) {}
    SelectedObject& operator=(SelectedObject&& other) noexcept {
        if (this != &other) {
            restore();
            dc_ = std::exchange(other.dc_, nullptr);
            displaced_ = std::exchange(other.displaced_, nullptr);
        }
        return *this;
    }

    explicit operator bool() const { return dc_ != nullptr; }
    HGDIOBJ displaced() const { return displaced_; }
    void restore() {
        if (dc_ != nullptr) SelectObject(dc_, displaced_);
        dc_ = nullptr;
        displaced_ = nullptr;
    }

   private:
    HDC dc_ = nullptr;
    HGDIOBJ displaced_ = nullptr;
};

// BeginPaint on construction, EndPaint on destruction, so a window that
// threw while painting stops asking to be painted.
class PaintSession {
   public:
    explicit PaintSession(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintSession() { EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    PaintSession(PaintSession&&) = delete;
    PaintSession& operator=(PaintSession&&) = delete;

    HDC dc() const { return dc_; }

   private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// SaveDC on construction, RestoreDC on destruction: clip regions, stretch
// modes and selections made in between go away together.
class SavedDcState {
   public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (saved_ != 0) RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    SavedDcState(SavedDcState&&) = delete;
    SavedDcState& operator=(SavedDcState&&) = delete;

   private:
    HDC dc_;
    int saved_;
};

}  // namespace corvale
