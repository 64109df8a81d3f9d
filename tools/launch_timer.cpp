// Launch timer: how long a program takes from CreateProcess to its first
// painted frame, start after start, for the figures script.
//
//   launch_timer.exe RESULT_FILE [--runs N] [--warmup N] [--keep] PROGRAM...
//
// Each round starts every PROGRAM in turn (so that the programs share the
// machine's ups and downs), waits for its first painted frame and ends it
// with TerminateProcess, so every start finds the same registry. The first
// --warmup rounds (1 by default) are reported but marked: they load the
// files from disk. With --keep every program is started once more and left
// running for the probe to measure; its process id is reported.
//
// The first painted frame is the first moment, polled every millisecond,
// at which
//   - WaitForInputIdle has returned: the program has reached its message
//     loop and found no input waiting, and
//   - the program has a visible top-level window, and neither it nor any of
//     its visible windows (top-level ones and all their descendants) has a
//     non-empty update region: every WM_PAINT asked for so far is done.
// The clock starts just before CreateProcess (QueryPerformanceCounter).
//
// RESULT_FILE gets one JSON line per start:
//   {"program":0,"round":1,"warmup":false,"idle_ms":..,"painted_ms":..,"windows":N}
// and a last line {"done":true}. A GUI program, so that Wine opens no console.
#include "launch_common.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 60000;

using launch::Append;
using launch::NextToken;

std::string Utf8(const std::wstring& s)
{
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &out[0], n, nullptr, nullptr);
    std::string quoted;
    for (char c : out) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted;
}

class Clock {
public:
    Clock() { QueryPerformanceFrequency(&m_freq); Restart(); }
    void Restart() { QueryPerformanceCounter(&m_start); }
    double Ms() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(m_freq.QuadPart);
    }

private:
    LARGE_INTEGER m_freq{}, m_start{};
};

struct PaintCheck {
    DWORD pid;
    int visibleTopLevel = 0;
    int windows = 0;     // visible windows of the process looked at
    bool pending = false;  // some visible window still has something to paint
};

void CheckWindow(HWND h, PaintCheck& c)
{
    if (!IsWindowVisible(h)) return;
    ++c.windows;
    if (GetUpdateRect(h, nullptr, FALSE)) c.pending = true;
    for (HWND child = GetWindow(h, GW_CHILD); child && !c.pending; child = GetWindow(child, GW_HWNDNEXT))
        CheckWindow(child, c);
}

BOOL CALLBACK CheckTopLevel(HWND h, LPARAM lp)
{
    auto& c = *reinterpret_cast<PaintCheck*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != c.pid || !IsWindowVisible(h)) return TRUE;
    ++c.visibleTopLevel;
    CheckWindow(h, c);
    return !c.pending;
}

// Visible windows when painted, 0 when not yet painted.
int Painted(DWORD pid)
{
    PaintCheck c{pid};
    EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&c));
    return c.visibleTopLevel > 0 && !c.pending ? c.windows : 0;
}

struct Start {
    bool ok = false;
    PROCESS_INFORMATION pi{};
    double idleMs = -1, paintedMs = -1;
    int windows = 0;
    std::string error;
};

Start StartAndWait(const std::wstring& program)
{
    Start s;
    std::wstring cmdline = L"\"" + program + L"\"";
    std::wstring dir = program.substr(0, program.find_last_of(L"\\/") + 1);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    Clock clock;
    if (!CreateProcessW(program.c_str(), &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &s.pi)) {
        s.error = "CreateProcess failed: " + std::to_string(GetLastError());
        return s;
    }
    DWORD idle = WaitForInputIdle(s.pi.hProcess, kStartTimeoutMs);
    s.idleMs = clock.Ms();
    if (idle != 0) {
        s.error = "WaitForInputIdle: " + std::to_string(idle);
        return s;
    }
    while (clock.Ms() < kStartTimeoutMs) {
        if ((s.windows = Painted(s.pi.dwProcessId)) > 0) {
            s.paintedMs = clock.Ms();
            s.ok = true;
            return s;
        }
        if (WaitForSingleObject(s.pi.hProcess, 1) == WAIT_OBJECT_0) {
            s.error = "the program ended before its first paint";
            return s;
        }
    }
    s.error = "no painted window within the time limit";
    return s;
}

void End(Start& s)
{
    if (!s.pi.hProcess) return;
    TerminateProcess(s.pi.hProcess, 0);
    WaitForSingleObject(s.pi.hProcess, 10000);
    CloseHandle(s.pi.hThread);
    CloseHandle(s.pi.hProcess);
    s.pi = {};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring token, resultPath;
    const wchar_t* rest = NextToken(GetCommandLineW(), token);  // our own name
    rest = NextToken(rest, resultPath);
    int runs = 7, warmup = 1;
    bool keep = false;
    std::vector<std::wstring> programs;
    while (*rest) {
        rest = NextToken(rest, token);
        if (token == L"--runs") { rest = NextToken(rest, token); runs = _wtoi(token.c_str()); }
        else if (token == L"--warmup") { rest = NextToken(rest, token); warmup = _wtoi(token.c_str()); }
        else if (token == L"--keep") keep = true;
        else programs.push_back(token);
    }
    if (resultPath.empty() || programs.empty() || runs < 1 || warmup < 0)
        return 2;
    HANDLE file = CreateFileW(resultPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;

    char line[512];
    int failures = 0;
    for (int round = 0; round < warmup + runs; ++round) {
        for (size_t k = 0; k < programs.size(); ++k) {
            Start s = StartAndWait(programs[k]);
            if (s.ok)
                snprintf(line, sizeof line,
                         "{\"program\":%zu,\"round\":%d,\"warmup\":%s,\"idle_ms\":%.2f,\"painted_ms\":%.2f,\"windows\":%d}\n",
                         k, round, round < warmup ? "true" : "false", s.idleMs, s.paintedMs, s.windows);
            else
                snprintf(line, sizeof line, "{\"program\":%zu,\"round\":%d,\"error\":\"%s\"}\n", k, round,
                         s.error.c_str());
            failures += s.ok ? 0 : 1;
            Append(file, line);
            End(s);
        }
    }
    if (keep) {
        for (size_t k = 0; k < programs.size(); ++k) {
            Start s = StartAndWait(programs[k]);
            Append(file, "{\"program\":" + std::to_string(k) + ",\"kept\":" +
                             std::to_string(s.ok ? s.pi.dwProcessId : 0ul) + ",\"path\":\"" + Utf8(programs[k]) + "\"}\n");
            if (!s.ok) End(s);
            else { CloseHandle(s.pi.hThread); CloseHandle(s.pi.hProcess); }
        }
    }
    Append(file, "{\"done\":true}\n");
    CloseHandle(file);
    return failures ? 1 : 0;
}
