// Of the launch timer: reading its own command line and appending result
// lines that a script on the Linux side reads while the program still runs.
#pragma once
#include <windows.h>

#include <string>

namespace launch {

// The command line after its first token, and that token unquoted.
inline const wchar_t* NextToken(const wchar_t* p, std::wstring& token)
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

// Written through at once, so that a reader polling the file sees each line.
inline void Append(HANDLE file, const std::string& text)
{
    DWORD done = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    FlushFileBuffers(file);
}

}  // namespace launch
