// Small owners for GDI objects and drawing contexts, so that every object
// made for a paint is deleted and every selection undone, in the right order.
#pragma once

#include <windows.h>

namespace gdi {

template <typename T>
class Obj {
public:
    explicit Obj(T h = nullptr) : m_h(h) {}
    ~Obj() { Reset(); }
    Obj(const Obj&) = delete;
    Obj& operator=(const Obj&) = delete;
    Obj(Obj&& o) noexcept : m_h(o.m_h) { o.m_h = nullptr; }
    Obj& operator=(Obj&& o) noexcept
    {
        if (this != &o) {
            Reset();
            m_h = o.m_h;
            o.m_h = nullptr;
        }
        return *this;
    }
    T get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(T h = nullptr)
    {
        if (m_h)
            DeleteObject(m_h);
        m_h = h;
    }
    T Release()
    {
        T h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    T m_h;
};

// Selects an object into a context and puts the old one back on scope exit.
class Select {
public:
    Select(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? SelectObject(dc, obj) : nullptr) {}
    ~Select()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
    }
    Select(const Select&) = delete;
    Select& operator=(const Select&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND w) : m_w(w) { m_dc = BeginPaint(w, &m_ps); }
    ~PaintDc() { EndPaint(m_w, &m_ps); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return m_dc; }
    const PAINTSTRUCT& ps() const { return m_ps; }

private:
    HWND m_w;
    HDC m_dc;
    PAINTSTRUCT m_ps;
};

// GetDC / ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND w) : m_w(w), m_dc(GetDC(w)) {}
    ~WindowDc() { ReleaseDC(m_w, m_dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_w;
    HDC m_dc;
};

}  // namespace gdi
