// Test launcher: starts the game and records its process id and exit code,
// which `wine explorer /desktop=...` does not pass on.
//   launch.exe RESULT_FILE [--show N] [--copies N] COMMAND LINE OF THE GAME...
// RESULT_FILE gets one JSON line when the game has started and one when it
// has ended: {"pid":N,"tid":N} and {"exit":N,"pid":N}. With --copies the game
// is started that many times, all suspended first and then let go together,
// so that the copies race through their start. A GUI program, so that Wine
// opens no console window on the test's desktop.
#include "launch_common.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using launch::Append;
using launch::NextToken;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring token, resultPath;
    const wchar_t* rest = NextToken(GetCommandLineW(), token);  // our own name
    rest = NextToken(rest, resultPath);
    int show = -1;
    int copies = 1;
    for (;;) {
        std::wstring option, value;
        const wchar_t* after = NextToken(rest, option);
        if (option != L"--show" && option != L"--copies")
            break;
        rest = NextToken(after, value);
        (option == L"--show" ? show : copies) = _wtoi(value.c_str());
    }
    if (resultPath.empty() || !*rest || copies < 1 || copies > MAXIMUM_WAIT_OBJECTS)
        return 2;

    HANDLE file = CreateFileW(resultPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;

    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (show >= 0) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = static_cast<WORD>(show);
    }
    std::vector<PROCESS_INFORMATION> started;
    char line[128];
    for (int i = 0; i < copies; ++i) {
        std::wstring cmdline(rest);
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, &cmdline[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                            &pi)) {
            snprintf(line, sizeof line, "{\"error\":\"CreateProcess failed\",\"code\":%lu}\n", GetLastError());
            Append(file, line);
            break;
        }
        started.push_back(pi);
    }
    for (const PROCESS_INFORMATION& pi : started) {
        snprintf(line, sizeof line, "{\"pid\":%lu,\"tid\":%lu}\n", pi.dwProcessId, pi.dwThreadId);
        Append(file, line);
    }
    for (const PROCESS_INFORMATION& pi : started)
        ResumeThread(pi.hThread);

    // Exits are written in the order they happen.
    std::vector<HANDLE> running;
    for (const PROCESS_INFORMATION& pi : started)
        running.push_back(pi.hProcess);
    while (!running.empty()) {
        const DWORD rc = WaitForMultipleObjects(static_cast<DWORD>(running.size()), running.data(), FALSE, INFINITE);
        if (rc >= WAIT_OBJECT_0 + running.size())
            break;
        HANDLE ended = running[rc - WAIT_OBJECT_0];
        DWORD code = 0;
        GetExitCodeProcess(ended, &code);
        snprintf(line, sizeof line, "{\"exit\":%lu,\"pid\":%lu}\n", code, GetProcessId(ended));
        Append(file, line);
        running.erase(running.begin() + (rc - WAIT_OBJECT_0));
    }
    for (const PROCESS_INFORMATION& pi : started) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(file);
    return started.size() == static_cast<size_t>(copies) ? 0 : 4;
}
