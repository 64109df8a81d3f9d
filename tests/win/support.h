// Helpers of the in-process tests: the real program made once, a memory
// canvas, the counts of GDI objects and windows, and drivers of modal windows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/effects.h"
#include "game/model.h"
#include "resources/resource.h"

namespace win_test {

struct Handles {
    HWND frame, computer, human, pad, picker, toolbar, status, commentator;
};

// The program as its entry point makes it, once per run: start-up, the frame
// with its children in the default arrangement, shown.
const Handles& Program();

// A new game through the frame, with the built-in options (auto-arrange as
// given), no pauses, and every window shown that a test may have hidden.
void NewGame(bool autoArrange);

// Handles what is queued; the bounded form until done() holds.
void Pump();
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000);

std::string Hex(COLORREF c);
inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A 32-bit top-down bitmap selected into a memory context, filled with
// kUntouched so that whatever a painter leaves alone shows.
constexpr COLORREF kUntouched = RGB(255, 0, 255);
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void Fill(COLORREF c);
    COLORREF At(int x, int y) const;
    std::vector<COLORREF> Pixels(const RECT& r) const;

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    std::uint32_t* m_bits = nullptr;
};

// Pixels of a board window's client area that differ from a full paint of
// the board's present state into memory.
int PixelsOffFromFreshPaint(HWND window, game::BoardId board);
COLORREF ScreenPixel(HWND window, int x, int y);

// GDI objects of this process, and windows of this thread with their children.
long GdiObjectCount();
long WindowCount();

// Toolbar and menu of the real frame.
bool ButtonPressed(int command);
bool ButtonChecked(int command);
int ButtonImage(int command);
bool MenuMarked(int command);
void ClickToolbar(int command);  // a mouse click on the button
std::wstring StatusText(int part);

// Answers every dialog and message box this thread shows while it lives:
// `reply` is posted to each (as WM_COMMAND) once it is activated. With no
// Answerer and no Drive in place, a dialog fails the test and is closed.
class Answerer {
public:
    static void Install();  // the hook behind it, once per run
    explicit Answerer(int reply);
    ~Answerer();
    Answerer(const Answerer&) = delete;
    Answerer& operator=(const Answerer&) = delete;
    int count() const { return m_count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
    int m_reply;
    int m_count = 0;
};

// A modal run driven by a thread timer: one step per tick, inside whatever
// loop runs. A step answers false to be tried again at the next tick.
using Step = std::function<bool()>;
// Calls open(), which shows modal windows, while the steps run. A run that
// has not finished within the bound closes every dialog still open. True
// when every step ran.
bool Drive(const std::function<void()>& open, std::vector<Step> steps);

// The shown dialog or message box with this caption, or null.
HWND Shown(const wchar_t* caption);
// Once it is shown: a click on its control; a key as its loop would get it;
// anything else done with it.
Step Click(const wchar_t* caption, int id);
Step Key(const wchar_t* caption, UINT key);
Step With(const wchar_t* caption, std::function<void(HWND)> act);

}  // namespace win_test
