// Test launcher: starts the game and records its process id and exit code,
// which `wine explorer /desktop=...` does not pass on.
//   launch.exe RESULT_FILE [--show N] COMMAND LINE OF THE GAME...
// RESULT_FILE gets one JSON line when the game has started and one when it
// has ended: {"pid":N,"tid":N} and {"exit":N}. A GUI program, so that Wine
// opens no console window on the test's desktop.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The command line after its first token, and that token unquoted.
const wchar_t* NextToken(const wchar_t* p, std::wstring& token)
{
    token.clear();
    while (*p == L' ' || *p == L'\t') ++p;
    bool quoted = false;
    for (; *p; ++p) {
        if (*p == L'"') { quoted = !quoted; continue; }
        if (!quoted && (*p == L' ' || *p == L'\t')) break;
        token += *p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

void Append(HANDLE file, const char* text)
{
    DWORD done = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &done, nullptr);
    FlushFileBuffers(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring token, resultPath;
    const wchar_t* rest = NextToken(GetCommandLineW(), token);  // our own name
    rest = NextToken(rest, resultPath);
    int show = -1;
    std::wstring peek;
    const wchar_t* after = NextToken(rest, peek);
    if (peek == L"--show") {
        rest = NextToken(after, peek);
        show = _wtoi(peek.c_str());
    }
    if (resultPath.empty() || !*rest)
        return 2;

    HANDLE file = CreateFileW(resultPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;

    std::wstring cmdline(rest);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (show >= 0) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = static_cast<WORD>(show);
    }
    PROCESS_INFORMATION pi{};
    char line[128];
    if (!CreateProcessW(nullptr, &cmdline[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        snprintf(line, sizeof line, "{\"error\":\"CreateProcess failed\",\"code\":%lu}\n", GetLastError());
        Append(file, line);
        CloseHandle(file);
        return 4;
    }
    snprintf(line, sizeof line, "{\"pid\":%lu,\"tid\":%lu}\n", pi.dwProcessId, pi.dwThreadId);
    Append(file, line);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    snprintf(line, sizeof line, "{\"exit\":%lu}\n", code);
    Append(file, line);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(file);
    return 0;
}
