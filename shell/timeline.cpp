// The start-up timeline.
#include "shell/timeline.h"

#include <windows.h>

#include <cstdio>

namespace timeline {
namespace {

constexpr int kMaxMarks = 32;

struct MarkAt {
    const char* step;
    ULONGLONG at;  // 100 ns units of the system time
};

MarkAt g_marks[kMaxMarks];
int g_count = 0;
int g_state = 0;  // 0 not asked yet, 1 on, 2 off

bool On()
{
    if (g_state == 0)
        g_state = GetEnvironmentVariableW(L"TRIVOK_TIMELINE", nullptr, 0) > 0 ? 1 : 2;
    return g_state == 1;
}

ULONGLONG Now()
{
    FILETIME t;
    GetSystemTimePreciseAsFileTime(&t);
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

void Mark(const char* step)
{
    if (On() && g_count < kMaxMarks)
        g_marks[g_count++] = {step, Now()};
}

void Finish()
{
    if (!On())
        return;
    Mark("first frame painted");
    g_state = 2;
    wchar_t path[MAX_PATH];
    FILETIME created, exited, kernel, user;
    if (!GetEnvironmentVariableW(L"TRIVOK_TIMELINE", path, MAX_PATH) ||
        !GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return;
    const ULONGLONG start = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    FILE* out = _wfopen(path, L"a");
    if (!out)
        return;
    for (int i = 0; i < g_count; ++i)
        std::fprintf(out, "%8.1f  %s\n", (g_marks[i].at - start) / 10000.0, g_marks[i].step);
    std::fclose(out);
}

}  // namespace timeline
