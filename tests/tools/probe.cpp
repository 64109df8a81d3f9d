// Probe: starts the game for the end-to-end tests, reads and drives it.
//   wine probe.exe --desktop NAME   a command per stdin line, its words separated by tabs; the answer is
//       JSON lines (UTF-8) on stdout ended by {"end":1,"rc":N}. The commands:
// windows [--class C] [--pid P] (depth first); state|send|post WINDOW, where WINDOW is --hwnd H or the first
// window of --class C (the frame by default) and --pid P; send|post take --msg M [--wp W] [--lp L] (send
// waits 5 s at most); start --copies N --exe EXE (copies let go together); exits (the ended ones' exit
// codes); terminate|resources --pid P; hotkey (Ctrl+S held from then on, as another program may hold it).
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::wstring g_desktopName;
std::map<DWORD, HANDLE> g_started;  // the processes this probe started, by id
std::string g_copied;               // what the game sent back with WM_COPYDATA

std::string Utf8(const std::wstring& s)
{
    std::string out(s.size() * 3, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), &out[0],
                                                       static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

std::wstring Wide(const std::string& s)
{
    std::wstring out(s.size(), L'\0');
    out.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), &out[0],
                                                       static_cast<int>(out.size()))));
    return out;
}

// One JSON object, field by field; Emit() writes it.
struct Obj {
    std::string s;
    Obj& Raw(const char* key, const std::string& json)
    {
        s += (s.empty() ? "{\"" : ",\"") + std::string(key) + "\":" + json;
        return *this;
    }
    Obj& Num(const char* key, long long v) { return Raw(key, std::to_string(v)); }
    Obj& Str(const char* key, const std::string& utf8)
    {
        std::string q = "\"";
        for (unsigned char c : utf8) {
            char esc[8] = {static_cast<char>(c)};
            if (c == '"' || c == '\\') snprintf(esc, sizeof esc, "\\%c", c);
            else if (c < 0x20) snprintf(esc, sizeof esc, "\\u%04x", c);
            q += esc;
        }
        return Raw(key, q + "\"");
    }
    Obj& Rect(const char* key, const RECT& r)
    {
        std::string json;
        for (LONG v : {r.left, r.top, r.right, r.bottom}) json += (json.empty() ? "[" : ",") + std::to_string(v);
        return Raw(key, json + "]");
    }
    void Emit() const { std::cout << s << "}\n"; }
};

// A command's "--name value" pairs; a name not given reads as "", a number not given as 0.
using Args = std::map<std::string, std::string>;
long long Number(const std::string& s) { return s.empty() ? 0 : std::stoll(s, nullptr, 0); }

std::string ClassOf(HWND h)
{
    wchar_t buf[256] = {};
    return Utf8(std::wstring(buf, static_cast<size_t>(GetClassNameW(h, buf, 256))));
}

DWORD PidOf(HWND h)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

// Every window of the desktop, depth first, with its depth.
void EachWindow(const std::function<void(HWND, int)>& f)
{
    std::function<void(HWND, int)> walk = [&](HWND h, int depth) {
        f(h, depth);
        for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            walk(c, depth + 1);
    };
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
        walk(h, 0);
}

bool Matches(HWND h, Args& a, const std::string& defaultClass = "")
{
    const std::string cls = a["--class"].empty() ? defaultClass : a["--class"];
    return (cls.empty() || ClassOf(h) == cls) && (a["--pid"].empty() || PidOf(h) == Number(a["--pid"]));
}

void CmdWindows(Args& a)
{
    EachWindow([&](HWND h, int depth) {
        if (!Matches(h, a))
            return;
        RECT wr{}, client{};
        GetWindowRect(h, &wr);
        GetClientRect(h, &client);
        MapWindowPoints(h, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &gui);
        wchar_t text[1024] = {};
        InternalGetWindowText(h, text, 1024);
        Obj().Num("hwnd", reinterpret_cast<intptr_t>(h)).Str("class", ClassOf(h)).Str("text", Utf8(text))
            .Num("id", depth ? GetDlgCtrlID(h) : 0).Num("depth", depth).Num("pid", PidOf(h))
            .Num("visible", IsWindowVisible(h) != 0).Num("zoomed", IsZoomed(h) != 0)
            .Num("iconic", IsIconic(h) != 0).Num("focused", gui.hwndFocus == h)
            .Rect("rect", wr).Rect("client_screen", client).Emit();
    });
}

HWND Choose(Args& a)
{
    if (!a["--hwnd"].empty())
        return reinterpret_cast<HWND>(static_cast<intptr_t>(Number(a["--hwnd"])));
    HWND found = nullptr;
    EachWindow([&](HWND h, int) { if (!found && Matches(h, a, "Trivok_Class")) found = h; });
    if (!found) throw std::runtime_error("no such window");
    return found;
}

void CmdSend(Args& a, bool post)
{
    HWND h = Choose(a);
    const auto msg = static_cast<UINT>(Number(a["--msg"]));
    const auto wp = static_cast<WPARAM>(Number(a["--wp"]));
    const auto lp = static_cast<LPARAM>(Number(a["--lp"]));
    DWORD_PTR result = 0;
    const BOOL ok = post ? PostMessageW(h, msg, wp, lp) : SendMessageTimeoutW(h, msg, wp, lp, SMTO_NORMAL, 5000, &result);
    Obj().Num("ok", ok != 0).Num("result", static_cast<long long>(result)).Emit();
}

LRESULT CALLBACK ReceiverProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_COPYDATA)
        return DefWindowProcW(h, msg, wp, lp);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    g_copied.assign(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
}

// The frame answers the registered request by sending its model text to the
// window in wParam, while this thread waits for the request's answer.
void CmdState(Args& a)
{
    static HWND receiver = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ReceiverProc;
        wc.lpszClassName = L"TrivokProbeReceiver";
        RegisterClassW(&wc);
        return CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }();
    g_copied.clear();
    DWORD_PTR sent = 0;
    if (!SendMessageTimeoutW(Choose(a), RegisterWindowMessageW(L"TrivokDescribeState"),
                             reinterpret_cast<WPARAM>(receiver), 0, SMTO_NORMAL, 5000, &sent) || !sent)
        throw std::runtime_error("the game did not send its model");
    Obj().Str("text", g_copied).Emit();
}

void CmdHotKey(Args&) { Obj().Num("ok", RegisterHotKey(nullptr, 1, MOD_CONTROL, 'S') != 0).Emit(); }

// The game in this desktop, in its own folder. Copies are all made suspended
// and then let go together, so that they race through their start.
void CmdStart(Args& a)
{
    const std::wstring exe = Wide(a["--exe"]), dir = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring line = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.lpDesktop = &g_desktopName[0];
    std::vector<PROCESS_INFORMATION> copies(static_cast<size_t>(Number(a["--copies"])));
    for (PROCESS_INFORMATION& pi : copies) {
        if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, dir.c_str(), &si, &pi))
            throw std::runtime_error("CreateProcess failed: " + std::to_string(GetLastError()));
        g_started[pi.dwProcessId] = pi.hProcess;
    }
    for (PROCESS_INFORMATION& pi : copies) {
        ResumeThread(pi.hThread);
        CloseHandle(pi.hThread);
        Obj().Num("pid", pi.dwProcessId).Emit();
    }
}

void CmdExits(Args&)
{
    for (const auto& [pid, process] : g_started) {
        DWORD code = 0;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code))
            Obj().Num("pid", pid).Num("exit", code).Emit();
    }
}

// A process this probe started, or another one of the desktop (for the figures).
HANDLE ProcessOf(Args& a)
{
    static std::map<DWORD, HANDLE> opened;
    const auto pid = static_cast<DWORD>(Number(a["--pid"]));
    if (g_started.count(pid))
        return g_started[pid];
    if (!opened.count(pid))
        opened[pid] = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    if (!opened[pid])
        throw std::runtime_error("no process " + std::to_string(pid));
    return opened[pid];
}

void CmdTerminate(Args& a)
{
    HANDLE process = ProcessOf(a);
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
}

// Live GDI objects less the stock ones, from the handle table the PEB points
// to (GetGuiResources is a stub under Wine): 24-byte entries, the type at
// byte 14, the stock flag in bit 7 of byte 12.
long long GdiObjects(HANDLE process)
{
    PROCESS_BASIC_INFORMATION pbi{};
    uint64_t table = 0;
    std::vector<unsigned char> entries(24 * 0x10000);
    SIZE_T got = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &pbi, sizeof pbi, nullptr) != 0 ||
        !ReadProcessMemory(process, reinterpret_cast<const char*>(pbi.PebBaseAddress) + 0xF8, &table, sizeof table,
                           nullptr) ||
        !ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(), entries.size(), &got))
        return -1;
    long long live = 0;
    for (size_t at = 0; at + 24 <= got; at += 24)
        live += entries[at + 14] != 0 && !(entries[at + 12] & 0x80);
    return live;
}

void CmdResources(Args& a)
{
    HANDLE process = ProcessOf(a);
    long long windows = 0;
    EachWindow([&](HWND h, int) { windows += PidOf(h) == GetProcessId(process); });
    PROCESS_MEMORY_COUNTERS_EX mc{};
    mc.cb = sizeof mc;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mc), sizeof mc);
    Obj().Num("gdi", GdiObjects(process)).Num("windows", windows)
        .Num("private_bytes", static_cast<long long>(mc.PrivateUsage ? mc.PrivateUsage : mc.PagefileUsage))
        .Num("working_set", static_cast<long long>(mc.WorkingSetSize)).Emit();
}

// One command line: the command's name and its "--name value" pairs, separated by tabs.
int Run(const std::string& line)
{
    const std::map<std::string, void (*)(Args&)> commands = {
        {"windows", CmdWindows}, {"state", CmdState},
        {"send", [](Args& a) { CmdSend(a, false); }}, {"post", [](Args& a) { CmdSend(a, true); }},
        {"start", CmdStart}, {"exits", CmdExits}, {"terminate", CmdTerminate}, {"resources", CmdResources},
        {"hotkey", CmdHotKey}};
    std::vector<std::string> words;
    for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1)
        words.push_back(line.substr(at, (end = line.find('\t', at)) - at));
    try {
        Args a;
        for (size_t i = 1; i + 1 < words.size(); i += 2)
            a[words[i]] = words[i + 1];
        commands.at(words[0])(a);
        return 0;
    } catch (const std::exception& e) {
        Obj().Str("error", e.what()).Emit();
        return 2;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // Before any window of this thread: the state command makes one.
    g_desktopName = argc == 3 && std::wstring(argv[1]) == L"--desktop" ? argv[2] : L"";
    HDESK desktop = OpenDesktopW(g_desktopName.c_str(), 0, FALSE, GENERIC_ALL);
    if (!desktop || !SetThreadDesktop(desktop)) {
        Obj().Str("error", "no desktop named " + Utf8(g_desktopName)).Emit();
        return 3;
    }
    for (std::string line; std::getline(std::cin, line);) {
        Obj().Num("end", true).Num("rc", Run(line)).Emit();
        std::cout.flush();
    }
    return 0;
}
