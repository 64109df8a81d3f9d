// Probe: reports the state of a running game to end-to-end tests, one JSON
// object per line (UTF-8). It must run in the game's Wine prefix and join the
// game's virtual desktop by name: without --desktop it sees the "Default"
// desktop only. `wine probe.exe help` lists the commands.
#include "probe_common.h"

#include <commctrl.h>
#include <psapi.h>
#include <sddl.h>
#include <winternl.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using probe::Obj;
using probe::Utf8;

namespace {

constexpr char kUsage[] =
    "wine probe.exe [--desktop NAME] COMMAND [ARGS]   (errors: {\"error\":...}, exit code 2)\n"
    "wine probe.exe [--desktop NAME] serve            one JSON array of arguments per stdin line;\n"
    "                                                 each answer ends with {\"end\":true,\"rc\":N}\n"
    "Windows are chosen by --hwnd H, or --class NAME [--pid P] searched through the whole tree.\n"
    "  windows [--top] [--visible] [--class C] [--pid P] [--under H]   one line per window\n"
    "  statusbar [--hwnd H | --class C]    parts: right edges, texts, rects (SB_GET* in the game's memory)\n"
    "  toolbar [--hwnd H | --class C]      buttons: command, image, state, style, checked, pressed...\n"
    "  menu [--class C | --hwnd H] [--system] | menu --popup   items read inside the game (hook DLL)\n"
    "  dialogs [--hwnd H]                  open dialogs (#32770) with their controls\n"
    "  state [--class C]                   text of the game's export TrivokDescribeState(char*, int)\n"
    "  reg [--key PATH] list [HKLM|HKCU|all] | set HIVE NAME TYPE HEX | delete HIVE NAME | delkey [HIVE]\n"
    "  reg [--key PATH] protect|unprotect HIVE   the key read-only for everyone, or open again\n"
    "  pixel (--hwnd H | --class C | --screen) X Y [--method screen|window|print]\n"
    "  pixels (--hwnd H | --class C | --screen) X Y W H [--method ...]   rows of rrggbb\n"
    "  resources [--pid P | --class C]     GDI objects, windows, private bytes of the process\n"
    "  send|post (--hwnd H | --class C) MESSAGE [WPARAM [LPARAM]] [--timeout MS]\n"
    "  hittest [--class C | --hwnd H] X Y | hittest ... --code N [--stride S]\n"
    "  gui [--class C]                     focus, capture, menu mode of the window's thread\n"
    "  terminate --pid P [--code N]\n"
    "  desktop                             the desktop joined and its size\n"
    "  hotkey hold|release                 Ctrl+S taken by the probe (keep it running: serve)\n";

constexpr wchar_t kDefaultKey[] = L"SOFTWARE\\Trivok";
constexpr UINT kSendTimeoutMs = 5000;

HDESK g_desktop = nullptr;
std::string g_out;  // output of the current command

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Emit(const Obj& o)
{
    g_out += o.Text();
    g_out += "\n";
}

void Flush()
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD done = 0;
    size_t at = 0;
    while (at < g_out.size()) {
        if (!WriteFile(out, g_out.data() + at, static_cast<DWORD>(g_out.size() - at), &done, nullptr) || !done)
            break;
        at += done;
    }
    g_out.clear();
}

// ---- arguments --------------------------------------------------------------

class Args {
public:
    explicit Args(std::vector<std::string> a) : m_a(std::move(a)) {}

    // Takes "--name VALUE" out of the list; empty when absent.
    std::string Option(const std::string& name)
    {
        for (size_t i = 0; i + 1 < m_a.size(); ++i) {
            if (m_a[i] == name) {
                std::string v = m_a[i + 1];
                m_a.erase(m_a.begin() + static_cast<long>(i), m_a.begin() + static_cast<long>(i) + 2);
                return v;
            }
        }
        return {};
    }
    bool Flag(const std::string& name)
    {
        for (size_t i = 0; i < m_a.size(); ++i) {
            if (m_a[i] == name) {
                m_a.erase(m_a.begin() + static_cast<long>(i));
                return true;
            }
        }
        return false;
    }
    size_t Count() const { return m_a.size(); }
    const std::string& At(size_t i)
    {
        if (i >= m_a.size()) throw Failure("missing argument");
        if (i + 1 > m_used) m_used = i + 1;
        return m_a[i];
    }
    // After a command: arguments it never looked at are mistakes.
    void CheckAllUsed() const
    {
        if (m_a.size() > m_used) throw Failure("unexpected argument: " + m_a[m_used]);
    }

private:
    std::vector<std::string> m_a;
    size_t m_used = 0;
};

long long Number(const std::string& s)
{
    if (s.empty()) throw Failure("empty number");
    char* end = nullptr;
    long long v = strtoll(s.c_str(), &end, 0);
    if (!end || *end) {
        // Accept unsigned values above LLONG_MAX too (handles, colours).
        unsigned long long u = strtoull(s.c_str(), &end, 0);
        if (!end || *end) throw Failure("not a number: " + s);
        v = static_cast<long long>(u);
    }
    return v;
}

// ---- windows ------------------------------------------------------------------

std::vector<HWND> TopLevel()
{
    std::vector<HWND> v;
    auto cb = [](HWND h, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    };
    if (g_desktop)
        EnumDesktopWindows(g_desktop, cb, reinterpret_cast<LPARAM>(&v));
    else
        EnumWindows(cb, reinterpret_cast<LPARAM>(&v));
    return v;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> v;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        v.push_back(c);
    return v;
}

// Every window with its depth: top-level windows and their descendants.
void Walk(HWND h, int depth, const std::function<void(HWND, int)>& f)
{
    f(h, depth);
    for (HWND c : Children(h))
        Walk(c, depth + 1, f);
}

void WalkAll(const std::function<void(HWND, int)>& f)
{
    for (HWND h : TopLevel())
        Walk(h, 0, f);
}

HWND ToHwnd(long long v) { return reinterpret_cast<HWND>(static_cast<intptr_t>(v)); }
long long FromHwnd(HWND h) { return static_cast<long long>(reinterpret_cast<intptr_t>(h)); }

// A window's text without sending it a message, except for controls that
// keep their text to themselves (edit controls, combo boxes).
std::wstring TextOf(HWND h)
{
    std::wstring cls = probe::ClassOf(h);
    if (_wcsicmp(cls.c_str(), L"Edit") == 0 || _wcsicmp(cls.c_str(), L"ComboBox") == 0) {
        DWORD_PTR len = 0;
        if (SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 500, &len)) {
            std::wstring buf(len + 1, L'\0');
            DWORD_PTR got = 0;
            if (SendMessageTimeoutW(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(&buf[0]),
                                    SMTO_ABORTIFHUNG, 500, &got)) {
                buf.resize(wcsnlen(buf.c_str(), buf.size()));
                return buf;
            }
        }
    }
    wchar_t buf[4096] = {};
    int n = InternalGetWindowText(h, buf, 4096);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

RECT ToClientOf(HWND parent, RECT r)
{
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

Obj Describe(HWND h, int depth)
{
    RECT wr{}, cr{}, cs{};
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    cs = cr;
    MapWindowPoints(h, HWND_DESKTOP, reinterpret_cast<POINT*>(&cs), 2);
    DWORD pid = 0;
    DWORD tid = GetWindowThreadProcessId(h, &pid);
    LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    HWND parent = GetAncestor(h, GA_PARENT);
    bool child = (style & WS_CHILD) != 0;
    Obj o;
    o.Num("hwnd", FromHwnd(h))
        .Str("class", probe::ClassOf(h))
        .Str("text", TextOf(h))
        .Bool("visible", IsWindowVisible(h) != 0)
        .Bool("enabled", IsWindowEnabled(h) != 0)
        .Unum("style", static_cast<unsigned long>(style))
        .Unum("exstyle", static_cast<unsigned long>(GetWindowLongPtrW(h, GWL_EXSTYLE)))
        .Num("id", child ? static_cast<long long>(GetDlgCtrlID(h)) : 0)
        .Num("parent", child ? FromHwnd(parent) : 0)
        .Num("owner", FromHwnd(GetWindow(h, GW_OWNER)))
        .Num("depth", depth)
        .Unum("pid", pid)
        .Unum("tid", tid)
        .Bool("iconic", IsIconic(h) != 0)
        .Bool("zoomed", IsZoomed(h) != 0)
        .Rect("rect", wr)
        .Rect("client", cr)
        .Rect("client_screen", cs);
    if (child) {
        o.Rect("rect_in_parent", ToClientOf(parent, wr)).Rect("client_in_parent", ToClientOf(parent, cs));
    }
    return o;
}

bool ClassIs(HWND h, const std::string& cls)
{
    return cls.empty() || Utf8(probe::ClassOf(h).c_str()) == cls;
}

// Windows matching --hwnd or --class (and --pid), searched through the whole tree.
std::vector<HWND> Select(Args& a, const std::string& defaultClass = {})
{
    std::string hw = a.Option("--hwnd");
    std::string cls = a.Option("--class");
    std::string pidText = a.Option("--pid");
    if (!hw.empty()) {
        HWND h = ToHwnd(Number(hw));
        if (!IsWindow(h)) throw Failure("no such window: " + hw);
        return {h};
    }
    if (cls.empty()) cls = defaultClass;
    DWORD pid = pidText.empty() ? 0 : static_cast<DWORD>(Number(pidText));
    std::vector<HWND> v;
    WalkAll([&](HWND h, int) {
        DWORD p = 0;
        GetWindowThreadProcessId(h, &p);
        if (ClassIs(h, cls) && (!pid || p == pid)) v.push_back(h);
    });
    return v;
}

HWND SelectOne(Args& a, const std::string& defaultClass = {})
{
    auto v = Select(a, defaultClass);
    if (v.empty()) throw Failure("no window found");
    return v.front();
}

void CmdWindows(Args& a)
{
    bool top = a.Flag("--top");
    bool visibleOnly = a.Flag("--visible");
    std::string under = a.Option("--under");
    std::string cls = a.Option("--class");
    std::string pidText = a.Option("--pid");
    DWORD pid = pidText.empty() ? 0 : static_cast<DWORD>(Number(pidText));
    auto each = [&](HWND h, int depth) {
        DWORD p = 0;
        GetWindowThreadProcessId(h, &p);
        if (!ClassIs(h, cls) || (pid && p != pid) || (visibleOnly && !IsWindowVisible(h)))
            return;
        Emit(Describe(h, depth));
    };
    if (!under.empty()) {
        HWND root = ToHwnd(Number(under));
        if (!IsWindow(root)) throw Failure("no such window: " + under);
        for (HWND c : Children(root))
            Walk(c, 1, each);
        return;
    }
    for (HWND h : TopLevel()) {
        if (top)
            each(h, 0);
        else
            Walk(h, 0, each);
    }
}

// ---- memory in the game's process -----------------------------------------------

class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size) : m_size(size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                    PROCESS_QUERY_INFORMATION, FALSE, pid);
        if (!m_process) throw Failure("cannot open the window's process");
        m_mem = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!m_mem) {
            CloseHandle(m_process);
            throw Failure("VirtualAllocEx failed");
        }
    }
    ~RemoteBuffer()
    {
        VirtualFreeEx(m_process, m_mem, 0, MEM_RELEASE);
        CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    LPARAM Address() const { return reinterpret_cast<LPARAM>(m_mem); }
    void Read(void* dst, size_t n) const
    {
        SIZE_T got = 0;
        if (n > m_size || !ReadProcessMemory(m_process, m_mem, dst, n, &got) || got != n)
            throw Failure("ReadProcessMemory failed");
    }
    void Write(const void* src, size_t n) const
    {
        SIZE_T put = 0;
        if (n > m_size || !WriteProcessMemory(m_process, m_mem, src, n, &put) || put != n)
            throw Failure("WriteProcessMemory failed");
    }
    void Zero() const
    {
        std::string z(m_size, '\0');
        Write(z.data(), z.size());
    }

private:
    HANDLE m_process = nullptr;
    void* m_mem = nullptr;
    size_t m_size;
};

LRESULT Send(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &result))
        throw Failure("the window does not answer (message " + std::to_string(msg) + ")");
    return static_cast<LRESULT>(result);
}

void CmdStatusBar(Args& a)
{
    for (HWND h : Select(a, "msctls_statusbar32")) {
        RemoteBuffer buf(h, 64 * 1024);
        buf.Zero();
        int count = static_cast<int>(Send(h, SB_GETPARTS, 256, buf.Address()));
        std::vector<int> edges(static_cast<size_t>(count > 0 ? count : 0));
        if (count > 0) buf.Read(edges.data(), edges.size() * sizeof(int));
        bool simple = Send(h, SB_ISSIMPLE, 0, 0) != 0;
        std::string parts = "[";
        for (int i = 0; i < count; ++i) {
            LRESULT lenType = Send(h, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0);
            size_t len = LOWORD(lenType);
            buf.Zero();
            Send(h, SB_GETTEXTW, static_cast<WPARAM>(i), buf.Address());
            std::wstring text(len + 1, L'\0');
            buf.Read(&text[0], (len + 1) * sizeof(wchar_t));
            text.resize(wcsnlen(text.c_str(), text.size()));
            RECT r{};
            buf.Zero();
            if (Send(h, SB_GETRECT, static_cast<WPARAM>(i), buf.Address()))
                buf.Read(&r, sizeof r);
            Obj p;
            p.Num("index", i).Num("right", edges[static_cast<size_t>(i)]).Str("text", text)
                .Unum("flags", HIWORD(lenType)).Rect("rect", r);
            parts += (i ? "," : "") + p.Text();
        }
        parts += "]";
        Obj o = Describe(h, 0);
        o.Num("count", count).Bool("simple", simple).Raw("parts", parts);
        Emit(o);
    }
}

void CmdToolbar(Args& a)
{
    for (HWND h : Select(a, "ToolbarWindow32")) {
        RemoteBuffer buf(h, 4096);
        int count = static_cast<int>(Send(h, TB_BUTTONCOUNT, 0, 0));
        std::string buttons = "[";
        for (int i = 0; i < count; ++i) {
            TBBUTTON b{};
            buf.Zero();
            if (!Send(h, TB_GETBUTTON, static_cast<WPARAM>(i), buf.Address())) continue;
            buf.Read(&b, sizeof b);
            RECT r{};
            buf.Zero();
            if (Send(h, TB_GETITEMRECT, static_cast<WPARAM>(i), buf.Address()))
                buf.Read(&r, sizeof r);
            WPARAM cmd = static_cast<WPARAM>(b.idCommand);
            Obj o;
            o.Num("index", i)
                .Num("command", b.idCommand)
                .Num("image", b.iBitmap)
                .Unum("state", b.fsState)
                .Unum("style", b.fsStyle)
                .Bool("separator", (b.fsStyle & BTNS_SEP) != 0)
                .Bool("checked", Send(h, TB_ISBUTTONCHECKED, cmd, 0) != 0)
                .Bool("pressed", Send(h, TB_ISBUTTONPRESSED, cmd, 0) != 0)
                .Bool("enabled", Send(h, TB_ISBUTTONENABLED, cmd, 0) != 0)
                .Bool("hidden", Send(h, TB_ISBUTTONHIDDEN, cmd, 0) != 0)
                .Num("data", static_cast<long long>(b.dwData))
                .Rect("rect", r);
            buttons += (buttons.size() > 1 ? "," : "") + o.Text();
        }
        buttons += "]";
        Obj o = Describe(h, 0);
        o.Num("count", count).Raw("buttons", buttons);
        Emit(o);
    }
}

// ---- requests answered inside the game's process --------------------------------

std::wstring HookDllPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    size_t slash = p.find_last_of(L"\\/");
    return p.substr(0, slash + 1) + L"probe_hook.dll";
}

// Installs the hook on the thread of `target`, hands the request over and
// returns the hook's answer (UTF-8 JSON lines).
std::string AskInside(HWND target, uint32_t kind, HWND subject, uint32_t flags, DWORD timeoutMs)
{
    static HMODULE dll = LoadLibraryW(HookDllPath().c_str());
    if (!dll) throw Failure("cannot load probe_hook.dll next to probe.exe");
    auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "ProbeCallWndProc")));
    if (!proc) throw Failure("probe_hook.dll has no ProbeCallWndProc");

    std::wstring name = std::wstring(probe::kMappingPrefix) + std::to_wstring(GetCurrentProcessId());
    HANDLE map = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, probe::kMappingSize, name.c_str());
    if (!map) throw Failure("CreateFileMapping failed");
    auto* req = static_cast<probe::Request*>(MapViewOfFile(map, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    if (!req) {
        CloseHandle(map);
        throw Failure("MapViewOfFile failed");
    }
    req->magic = probe::kMagic;
    req->kind = kind;
    req->hwnd = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(subject));
    req->flags = flags;
    req->status = 0;
    req->out_len = 0;

    DWORD tid = GetWindowThreadProcessId(target, nullptr);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, proc, dll, tid);
    std::string answer, error;
    if (!hook) {
        error = "SetWindowsHookEx failed: " + std::to_string(GetLastError());
    } else {
        UINT msg = RegisterWindowMessageW(probe::kRequestMessage);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(target, msg, 0, static_cast<LPARAM>(GetCurrentProcessId()),
                                 SMTO_NORMAL, timeoutMs, &result))
            error = "the game's thread does not answer";
        else if (req->status != 1)
            error = "the hook did not answer";
        else
            answer.assign(req->out, req->out_len);
        UnhookWindowsHookEx(hook);
    }
    UnmapViewOfFile(req);
    CloseHandle(map);
    const std::string failed = "{\"error\":\"";
    if (error.empty() && answer.compare(0, failed.size(), failed) == 0)
        error = answer.substr(failed.size(), answer.find('"', failed.size()) - failed.size());
    if (!error.empty()) throw Failure(error);
    return answer;
}

void CmdMenu(Args& a)
{
    bool system = a.Flag("--system");
    bool popup = a.Flag("--popup");
    std::vector<HWND> targets;
    if (popup) {
        for (HWND h : TopLevel())
            if (probe::ClassOf(h) == L"#32768" && IsWindowVisible(h)) targets.push_back(h);
        if (targets.empty()) throw Failure("no open popup menu");
    } else {
        targets.push_back(SelectOne(a, "Trivok_Class"));
    }
    for (HWND h : targets) {
        std::string text = AskInside(h, probe::kMenu, h, system ? uint32_t{probe::kSystemMenu} : 0u, kSendTimeoutMs);
        if (popup) Emit(Obj().Num("popup", FromHwnd(h)));
        g_out += text;
    }
}

void CmdState(Args& a)
{
    HWND h = SelectOne(a, "Trivok_Class");
    g_out += AskInside(h, probe::kState, h, 0, kSendTimeoutMs);
}

// ---- dialogs ------------------------------------------------------------------------

void CmdDialogs(Args& a)
{
    std::string hw = a.Option("--hwnd");
    std::vector<HWND> dialogs;
    if (!hw.empty()) {
        dialogs.push_back(ToHwnd(Number(hw)));
    } else {
        for (HWND h : TopLevel())
            if (probe::ClassOf(h) == L"#32770" && IsWindowVisible(h)) dialogs.push_back(h);
    }
    for (HWND d : dialogs) {
        std::string controls = "[";
        std::function<void(HWND, int)> each = [&](HWND c, int depth) {
            if (c == d) return;
            std::wstring cls = probe::ClassOf(c);
            Obj o = Describe(c, depth);
            RECT wr{};
            GetWindowRect(c, &wr);
            o.Rect("rect_in_dialog", ToClientOf(d, wr));
            if (_wcsicmp(cls.c_str(), L"Button") == 0) {
                DWORD_PTR check = 0;
                if (SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 500, &check))
                    o.Num("checked", static_cast<long long>(check));
            } else if (_wcsicmp(cls.c_str(), UPDOWN_CLASSW) == 0) {
                DWORD_PTR pos = 0;
                if (SendMessageTimeoutW(c, UDM_GETPOS32, 0, 0, SMTO_ABORTIFHUNG, 500, &pos))
                    o.Num("pos", static_cast<long long>(static_cast<int>(pos)));
            }
            controls += (controls.size() > 1 ? "," : "") + o.Text();
        };
        Walk(d, 0, each);
        controls += "]";
        Obj o = Describe(d, 0);
        o.Str("title", TextOf(d)).Raw("controls", controls);
        Emit(o);
    }
}

// ---- registry -----------------------------------------------------------------------

struct Hive {
    const char* name;
    HKEY key;
};

std::vector<Hive> Hives(const std::string& which)
{
    if (which == "HKLM") return {{"HKLM", HKEY_LOCAL_MACHINE}};
    if (which == "HKCU") return {{"HKCU", HKEY_CURRENT_USER}};
    if (which == "all" || which.empty()) return {{"HKLM", HKEY_LOCAL_MACHINE}, {"HKCU", HKEY_CURRENT_USER}};
    throw Failure("hive must be HKLM, HKCU or all");
}

std::string Hex(const unsigned char* p, size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

std::vector<unsigned char> Unhex(const std::string& s)
{
    if (s.size() % 2) throw Failure("hex data needs an even number of digits");
    std::vector<unsigned char> v;
    for (size_t i = 0; i < s.size(); i += 2) {
        char pair[3] = {s[i], s[i + 1], 0};
        char* end = nullptr;
        long b = strtol(pair, &end, 16);
        if (*end) throw Failure("bad hex data");
        v.push_back(static_cast<unsigned char>(b));
    }
    return v;
}

const char* TypeName(DWORD t)
{
    switch (t) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN: return "REG_DWORD_BIG_ENDIAN";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_QWORD: return "REG_QWORD";
    default: return "other";
    }
}

DWORD TypeFrom(const std::string& s)
{
    static const std::map<std::string, DWORD> names = {
        {"REG_NONE", REG_NONE}, {"REG_SZ", REG_SZ}, {"REG_EXPAND_SZ", REG_EXPAND_SZ},
        {"REG_BINARY", REG_BINARY}, {"REG_DWORD", REG_DWORD}, {"REG_MULTI_SZ", REG_MULTI_SZ},
        {"REG_QWORD", REG_QWORD}};
    auto it = names.find(s);
    return it != names.end() ? it->second : static_cast<DWORD>(Number(s));
}

// Values are read through the ANSI calls, as the game reads them: strings
// come back in the Windows code page, and sizes are those the game sees.
void RegList(const Hive& hive, const std::wstring& path)
{
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(hive.key, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key);
    if (rc != ERROR_SUCCESS) {
        Emit(Obj().Str("hive", hive.name).Str("key", path).Bool("exists", false).Num("error", rc));
        return;
    }
    DWORD count = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr);
    Emit(Obj().Str("hive", hive.name).Str("key", path).Bool("exists", true).Unum("values", count));
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLen = 16384;
        if (RegEnumValueW(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::string aname;
        {
            int n = WideCharToMultiByte(CP_ACP, 0, name, static_cast<int>(nameLen), nullptr, 0, nullptr, nullptr);
            aname.resize(static_cast<size_t>(n));
            WideCharToMultiByte(CP_ACP, 0, name, static_cast<int>(nameLen), &aname[0], n, nullptr, nullptr);
        }
        DWORD type = 0, size = 0;
        RegQueryValueExA(key, aname.c_str(), nullptr, &type, nullptr, &size);
        std::vector<unsigned char> data(size + 2, 0);
        DWORD got = size;
        RegQueryValueExA(key, aname.c_str(), nullptr, &type, data.data(), &got);
        Obj o;
        o.Str("hive", hive.name).Str("name", std::wstring(name, nameLen)).Unum("type", type)
            .Str("type_name", TypeName(type)).Unum("size", got).Str("hex", Hex(data.data(), got));
        if (type == REG_DWORD && got == 4) {
            DWORD v = 0;
            memcpy(&v, data.data(), 4);
            o.Unum("dword", v);
        }
        if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
            std::string bytes(reinterpret_cast<char*>(data.data()), got);
            o.Str("text", Utf8(probe::Wide(bytes.substr(0, strnlen(bytes.c_str(), bytes.size())), CP_ACP).c_str()));
        }
        Emit(o);
    }
    RegCloseKey(key);
}

std::string AnsiName(const std::string& utf8)
{
    std::wstring w = probe::Wide(utf8);
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

// Read-only for everyone, or full access again: what a user without rights
// to the local machine's key meets, and how the suite undoes it.
bool SetKeyAccess(HKEY root, const std::wstring& path, bool readOnly)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, WRITE_DAC | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR sd = nullptr;
    bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorW(readOnly ? L"D:(A;;KR;;;WD)" : L"D:(A;;KA;;;WD)",
                                                                   SDDL_REVISION_1, &sd, nullptr);
    if (ok) {
        ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
        LocalFree(sd);
    }
    RegCloseKey(key);
    return ok;
}

void CmdReg(Args& a)
{
    std::string keyOpt = a.Option("--key");
    std::wstring path = keyOpt.empty() ? std::wstring(kDefaultKey) : probe::Wide(keyOpt);
    std::string verb = a.At(0);
    if (verb == "list") {
        for (const Hive& h : Hives(a.Count() > 1 ? a.At(1) : "all")) RegList(h, path);
    } else if (verb == "set") {
        // reg set HIVE NAME TYPE HEX
        for (const Hive& h : Hives(a.At(1))) {
            HKEY key = nullptr;
            LONG rc = RegCreateKeyExW(h.key, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr);
            if (rc != ERROR_SUCCESS) throw Failure("cannot create the key: " + std::to_string(rc));
            std::vector<unsigned char> data = Unhex(a.At(4));
            rc = RegSetValueExA(key, AnsiName(a.At(2)).c_str(), 0, TypeFrom(a.At(3)), data.data(), static_cast<DWORD>(data.size()));
            RegCloseKey(key);
            if (rc != ERROR_SUCCESS) throw Failure("RegSetValueEx failed: " + std::to_string(rc));
            Emit(Obj().Str("hive", h.name).Str("set", a.At(2)).Unum("size", data.size()));
        }
    } else if (verb == "delete") {
        // reg delete HIVE NAME
        for (const Hive& h : Hives(a.At(1))) {
            HKEY key = nullptr;
            LONG rc = RegOpenKeyExW(h.key, path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &key);
            if (rc == ERROR_SUCCESS) {
                rc = RegDeleteValueA(key, AnsiName(a.At(2)).c_str());
                RegCloseKey(key);
            }
            Emit(Obj().Str("hive", h.name).Str("deleted", a.At(2)).Bool("ok", rc == ERROR_SUCCESS).Num("error", rc));
        }
    } else if (verb == "delkey" || verb == "clear") {
        // reg delkey [HIVE]: the key and everything under it; absent keys are fine.
        for (const Hive& h : Hives(a.Count() > 1 ? a.At(1) : "all")) {
            SetKeyAccess(h.key, path, false);
            LONG rc = RegDeleteTreeW(h.key, path.c_str());
            if (rc == ERROR_SUCCESS) rc = RegDeleteKeyExW(h.key, path.c_str(), KEY_WOW64_64KEY, 0);
            bool gone = rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
            Emit(Obj().Str("hive", h.name).Str("key", path).Bool("deleted", gone).Num("error", rc));
            if (!gone) throw Failure("cannot delete the key");
        }
    } else if (verb == "protect" || verb == "unprotect") {
        // reg protect HIVE: the key becomes read-only for everyone
        for (const Hive& h : Hives(a.At(1))) {
            bool ok = SetKeyAccess(h.key, path, verb == "protect");
            Emit(Obj().Str("hive", h.name).Str(verb.c_str(), path).Bool("ok", ok));
            if (!ok) throw Failure("cannot change the key's access");
        }
    } else {
        throw Failure("reg: list, set, delete, delkey, protect or unprotect");
    }
}

// ---- pixels ---------------------------------------------------------------------------

struct Pixels {
    int w = 0, h = 0;
    std::vector<COLORREF> px;
};

// Copies a rectangle of a window's client area (or of the screen when hwnd is
// null). "screen" reads what is on the screen there; "window" reads through
// the window's DC; "print" asks the window to draw itself (PrintWindow).
Pixels Grab(HWND hwnd, int x, int y, int w, int h, const std::string& method)
{
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192) throw Failure("bad rectangle");
    Pixels out;
    out.w = w;
    out.h = h;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    bool ok = true;
    if (method == "print") {
        if (!hwnd) throw Failure("print needs a window");
        RECT wr{}, cr{};
        GetWindowRect(hwnd, &wr);
        GetClientRect(hwnd, &cr);
        int fullW = wr.right - wr.left, fullH = wr.bottom - wr.top;
        HBITMAP full = CreateCompatibleBitmap(screen, fullW, fullH);
        HDC fdc = CreateCompatibleDC(screen);
        HGDIOBJ fold = SelectObject(fdc, full);
        ok = PrintWindow(hwnd, fdc, PW_CLIENTONLY) != 0;
        BitBlt(mem, 0, 0, w, h, fdc, x, y, SRCCOPY);
        SelectObject(fdc, fold);
        DeleteDC(fdc);
        DeleteObject(full);
    } else if (method == "window") {
        HDC wdc = GetDC(hwnd);
        ok = BitBlt(mem, 0, 0, w, h, wdc, x, y, SRCCOPY) != 0;
        ReleaseDC(hwnd, wdc);
    } else {
        POINT at{x, y};
        if (hwnd) ClientToScreen(hwnd, &at);
        ok = BitBlt(mem, 0, 0, w, h, screen, at.x, at.y, SRCCOPY) != 0;
    }
    GdiFlush();
    out.px.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    const auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < out.px.size(); ++i) {
        uint32_t v = src[i];  // 0x00RRGGBB in a 32-bit DIB
        out.px[i] = RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    if (!ok) throw Failure("could not copy the pixels");
    return out;
}

std::string RgbText(COLORREF c)
{
    char buf[8];
    snprintf(buf, sizeof buf, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

void CmdPixels(Args& a, bool single)
{
    std::string method = a.Option("--method");
    if (method.empty()) method = "screen";
    bool screenCoords = a.Flag("--screen");
    HWND h = screenCoords ? nullptr : SelectOne(a);
    int x = static_cast<int>(Number(a.At(0)));
    int y = static_cast<int>(Number(a.At(1)));
    int w = single ? 1 : static_cast<int>(Number(a.At(2)));
    int hh = single ? 1 : static_cast<int>(Number(a.At(3)));
    Pixels p = Grab(h, x, y, w, hh, method);
    Obj o;
    o.Num("hwnd", FromHwnd(h)).Num("x", x).Num("y", y);
    if (single) {
        o.Str("rgb", RgbText(p.px[0])).Unum("colorref", p.px[0]);
    } else {
        std::string rows = "[";
        for (int r = 0; r < hh; ++r) {
            std::string row;
            for (int c = 0; c < w; ++c) row += RgbText(p.px[static_cast<size_t>(r) * static_cast<size_t>(w) + static_cast<size_t>(c)]);
            rows += (r ? ",\"" : "\"") + row + "\"";
        }
        rows += "]";
        o.Num("w", w).Num("h", hh).Raw("rows", rows);
    }
    Emit(o.Str("method", method));
}

// ---- process figures ------------------------------------------------------------------

DWORD PidOf(Args& a)
{
    std::string pid = a.Option("--pid");
    if (!pid.empty()) return static_cast<DWORD>(Number(pid));
    HWND h = SelectOne(a, "Trivok_Class");
    DWORD p = 0;
    GetWindowThreadProcessId(h, &p);
    return p;
}

// Live GDI objects of a process from the handle table its PEB points to (Wine
// keeps one per process, laid out as on Windows: 24-byte entries, type byte at
// offset 14, a stock flag in bit 7 of byte 12).
bool CountGdiFromPeb(HANDLE process, long long& total, long long& stock)
{
    using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    if (!query) return false;
    PROCESS_BASIC_INFORMATION pbi{};
    if (query(process, ProcessBasicInformation, &pbi, sizeof pbi, nullptr) != 0 || !pbi.PebBaseAddress)
        return false;
    uint64_t table = 0;
    SIZE_T got = 0;
    const auto* pebTable = reinterpret_cast<const char*>(pbi.PebBaseAddress) + 0xF8;  // GdiSharedHandleTable
    if (!ReadProcessMemory(process, pebTable, &table, sizeof table, &got) || !table) return false;
    constexpr size_t kEntry = 24, kEntries = 0x10000;
    std::vector<unsigned char> buf(kEntry * 1024);
    total = stock = 0;
    for (size_t first = 0; first < kEntries; first += 1024) {
        if (!ReadProcessMemory(process, reinterpret_cast<void*>(table + first * kEntry), buf.data(), buf.size(), &got))
            break;
        for (size_t i = 0; i < 1024; ++i) {
            const unsigned char* e = &buf[i * kEntry];
            if (e[14] == 0) continue;
            ++total;
            if (e[12] & 0x80) ++stock;
        }
    }
    return true;
}

void CmdResources(Args& a)
{
    DWORD pid = PidOf(a);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) throw Failure("cannot open process " + std::to_string(pid));
    Obj o;
    o.Unum("pid", pid);
    SetLastError(0);
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    DWORD gdiError = GetLastError();
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    if (gdiError == 0 || gdi) o.Unum("gui_gdi", gdi).Unum("gui_user", user);
    else o.Null("gui_gdi").Null("gui_user");
    long long total = 0, stock = 0;
    if (CountGdiFromPeb(process, total, stock))
        o.Num("gdi", total - stock).Num("gdi_stock", stock);
    else
        o.Null("gdi").Null("gdi_stock");
    long long windows = 0;
    WalkAll([&](HWND h, int) {
        DWORD p = 0;
        GetWindowThreadProcessId(h, &p);
        if (p == pid) ++windows;
    });
    o.Num("windows", windows);
    PROCESS_MEMORY_COUNTERS_EX mc{};
    mc.cb = sizeof mc;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mc), sizeof mc))
        o.Unum("private_bytes", mc.PrivateUsage ? mc.PrivateUsage : mc.PagefileUsage).Unum("working_set", mc.WorkingSetSize)
            .Unum("pagefile", mc.PagefileUsage).Unum("peak_working_set", mc.PeakWorkingSetSize);
    CloseHandle(process);
    Emit(o);
}

void CmdTerminate(Args& a)
{
    DWORD pid = PidOf(a);
    std::string code = a.Option("--code");
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) throw Failure("cannot open process " + std::to_string(pid));
    BOOL ok = TerminateProcess(process, code.empty() ? 1u : static_cast<UINT>(Number(code)));
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    Emit(Obj().Unum("pid", pid).Bool("terminated", ok != 0));
}

// ---- messages --------------------------------------------------------------------------

UINT MessageFrom(const std::string& s)
{
    static const std::map<std::string, UINT> names = {
        {"WM_CLOSE", WM_CLOSE}, {"WM_COMMAND", WM_COMMAND}, {"WM_USER", WM_USER},
        {"WM_DESTROY", WM_DESTROY}, {"WM_QUIT", WM_QUIT}, {"WM_SYSCOMMAND", WM_SYSCOMMAND},
        {"WM_KEYDOWN", WM_KEYDOWN}, {"WM_KEYUP", WM_KEYUP}, {"WM_CHAR", WM_CHAR},
        {"WM_LBUTTONDOWN", WM_LBUTTONDOWN}, {"WM_LBUTTONUP", WM_LBUTTONUP},
        {"WM_RBUTTONDOWN", WM_RBUTTONDOWN}, {"WM_RBUTTONUP", WM_RBUTTONUP},
        {"WM_MOUSEMOVE", WM_MOUSEMOVE}, {"WM_PAINT", WM_PAINT}, {"WM_NULL", WM_NULL},
        {"WM_HOTKEY", WM_HOTKEY}, {"WM_SETFOCUS", WM_SETFOCUS}, {"WM_TIMER", WM_TIMER},
        {"WM_GETTEXTLENGTH", WM_GETTEXTLENGTH}};
    auto it = names.find(s);
    return it != names.end() ? it->second : static_cast<UINT>(Number(s));
}

void CmdSend(Args& a, bool post)
{
    std::string timeout = a.Option("--timeout");
    HWND h = SelectOne(a);
    UINT msg = MessageFrom(a.At(0));
    WPARAM wp = a.Count() > 1 ? static_cast<WPARAM>(Number(a.At(1))) : 0;
    LPARAM lp = a.Count() > 2 ? static_cast<LPARAM>(Number(a.At(2))) : 0;
    Obj o;
    o.Num("hwnd", FromHwnd(h)).Unum("message", msg);
    auto start = std::chrono::steady_clock::now();
    if (post) {
        o.Bool("ok", PostMessageW(h, msg, wp, lp) != 0);
    } else {
        DWORD_PTR result = 0;
        UINT ms = timeout.empty() ? 5000 : static_cast<UINT>(Number(timeout));
        BOOL ok = SendMessageTimeoutW(h, msg, wp, lp, SMTO_NORMAL, ms, &result);
        double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        o.Bool("ok", ok != 0).Num("result", static_cast<long long>(result)).Raw("elapsed_ms", std::to_string(elapsed));
    }
    Emit(o);
}

// WM_NCHITTEST at one point (screen coordinates), or, with --code, where on
// the window's frame that code is answered (20 = the close box): the bounding
// box and its centre. The scan runs inside the game's process, coarsely every
// --stride pixels (4 by default), then exactly around a small region.
void CmdHitTest(Args& a)
{
    std::string codeText = a.Option("--code");
    std::string strideText = a.Option("--stride");
    std::string timeoutText = a.Option("--timeout");
    HWND h = SelectOne(a, "Trivok_Class");
    if (codeText.empty()) {
        int x = static_cast<int>(Number(a.At(0))), y = static_cast<int>(Number(a.At(1)));
        LRESULT code = Send(h, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        Emit(Obj().Num("hwnd", FromHwnd(h)).Num("x", x).Num("y", y).Num("code", static_cast<long long>(code)));
        return;
    }
    uint32_t stride = strideText.empty() ? 4 : static_cast<uint32_t>(Number(strideText));
    if (stride < 1 || stride > 64) throw Failure("stride 1..64");
    uint32_t flags = (static_cast<uint32_t>(Number(codeText)) & 0xFFFF) | ((stride - 1) << 16);
    g_out += AskInside(h, probe::kHitTest, h, flags, timeoutText.empty() ? 20000 : static_cast<DWORD>(Number(timeoutText)));
}

void CmdGui(Args& a)
{
    HWND h = SelectOne(a, "Trivok_Class");
    GUITHREADINFO gi{};
    gi.cbSize = sizeof gi;
    DWORD tid = GetWindowThreadProcessId(h, nullptr);
    if (!GetGUIThreadInfo(tid, &gi)) throw Failure("GetGUIThreadInfo failed");
    Emit(Obj().Unum("tid", tid).Unum("flags", gi.flags)
             .Bool("in_menu", (gi.flags & GUI_INMENUMODE) != 0)
             .Bool("in_move_size", (gi.flags & GUI_INMOVESIZE) != 0)
             .Num("active", FromHwnd(gi.hwndActive)).Num("focus", FromHwnd(gi.hwndFocus))
             .Num("capture", FromHwnd(gi.hwndCapture)).Num("menu_owner", FromHwnd(gi.hwndMenuOwner))
             .Num("foreground", FromHwnd(GetForegroundWindow())));
}

// hotkey hold | release: Ctrl+S taken by this probe's thread, as another
// program could hold it; kept until released or the probe ends.
void CmdHotKey(Args& a)
{
    constexpr int kId = 0xBEDA;
    const std::string verb = a.At(0);
    bool ok;
    if (verb == "hold")
        ok = RegisterHotKey(nullptr, kId, MOD_CONTROL, 'S') != FALSE;
    else if (verb == "release")
        ok = UnregisterHotKey(nullptr, kId) != FALSE;
    else
        throw Failure("hotkey: hold or release");
    Emit(Obj().Str("hotkey", verb).Bool("ok", ok));
}

void CmdDesktop(Args&)
{
    wchar_t name[256] = {};
    DWORD len = 0;
    HDESK d = g_desktop ? g_desktop : GetThreadDesktop(GetCurrentThreadId());
    GetUserObjectInformationW(d, UOI_NAME, name, sizeof name, &len);
    Emit(Obj().Str("desktop", name)
             .Num("width", GetSystemMetrics(SM_CXSCREEN))
             .Num("height", GetSystemMetrics(SM_CYSCREEN))
             .Num("windows", static_cast<long long>(TopLevel().size())));
}

// ---- dispatch ---------------------------------------------------------------------------

int Run(std::vector<std::string> argv)
{
    if (argv.empty()) throw Failure("no command; see: probe.exe help");
    std::string cmd = argv.front();
    if (cmd == "help") {
        g_out += kUsage;
        return 0;
    }
    Args a(std::vector<std::string>(argv.begin() + 1, argv.end()));
    if (cmd == "windows") CmdWindows(a);
    else if (cmd == "statusbar") CmdStatusBar(a);
    else if (cmd == "toolbar") CmdToolbar(a);
    else if (cmd == "menu") CmdMenu(a);
    else if (cmd == "dialogs") CmdDialogs(a);
    else if (cmd == "reg") CmdReg(a);
    else if (cmd == "pixel") CmdPixels(a, true);
    else if (cmd == "pixels") CmdPixels(a, false);
    else if (cmd == "resources") CmdResources(a);
    else if (cmd == "send") CmdSend(a, false);
    else if (cmd == "post") CmdSend(a, true);
    else if (cmd == "state") CmdState(a);
    else if (cmd == "gui") CmdGui(a);
    else if (cmd == "hittest") CmdHitTest(a);
    else if (cmd == "terminate") CmdTerminate(a);
    else if (cmd == "desktop") CmdDesktop(a);
    else if (cmd == "hotkey") CmdHotKey(a);
    else throw Failure("unknown command: " + cmd);
    a.CheckAllUsed();
    return 0;
}

int RunGuarded(const std::vector<std::string>& argv)
{
    try {
        return Run(argv);
    } catch (const std::exception& e) {
        Emit(Obj().Str("error", e.what()));
        return 2;
    }
}

// Reads one line of a JSON array of strings: ["windows", "--class", "X"].
bool ParseArgLine(const std::string& line, std::vector<std::string>& out)
{
    out.clear();
    size_t i = line.find('[');
    if (i == std::string::npos) return false;
    ++i;
    auto skip = [&] { while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ',')) ++i; };
    for (;;) {
        skip();
        if (i >= line.size()) return false;
        if (line[i] == ']') return true;
        if (line[i] != '"') return false;
        ++i;
        std::string s;
        while (i < line.size() && line[i] != '"') {
            char c = line[i++];
            if (c != '\\') { s += c; continue; }
            if (i >= line.size()) return false;
            char e = line[i++];
            switch (e) {
            case 'n': s += '\n'; break;
            case 't': s += '\t'; break;
            case 'r': s += '\r'; break;
            case 'b': s += '\b'; break;
            case 'f': s += '\f'; break;
            case 'u': {
                if (i + 4 > line.size()) return false;
                unsigned cp = static_cast<unsigned>(strtoul(line.substr(i, 4).c_str(), nullptr, 16));
                i += 4;
                if (cp >= 0xD800 && cp < 0xDC00 && i + 6 <= line.size() && line[i] == '\\' && line[i + 1] == 'u') {
                    unsigned lo = static_cast<unsigned>(strtoul(line.substr(i + 2, 4).c_str(), nullptr, 16));
                    i += 6;
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                }
                if (cp < 0x80) s += static_cast<char>(cp);
                else if (cp < 0x800) { s += static_cast<char>(0xC0 | (cp >> 6)); s += static_cast<char>(0x80 | (cp & 63)); }
                else if (cp < 0x10000) { s += static_cast<char>(0xE0 | (cp >> 12)); s += static_cast<char>(0x80 | ((cp >> 6) & 63)); s += static_cast<char>(0x80 | (cp & 63)); }
                else { s += static_cast<char>(0xF0 | (cp >> 18)); s += static_cast<char>(0x80 | ((cp >> 12) & 63)); s += static_cast<char>(0x80 | ((cp >> 6) & 63)); s += static_cast<char>(0x80 | (cp & 63)); }
                break;
            }
            default: s += e; break;
            }
        }
        if (i >= line.size()) return false;
        ++i;
        out.push_back(s);
    }
}

// Serve mode: one command per line, each answer closed by {"end":true,"rc":N}.
int Serve()
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buf[4096];
    for (;;) {
        size_t nl;
        while ((nl = pending.find('\n')) == std::string::npos) {
            DWORD got = 0;
            if (!ReadFile(in, buf, sizeof buf, &got, nullptr) || got == 0) return 0;
            pending.append(buf, got);
        }
        std::string line = pending.substr(0, nl);
        pending.erase(0, nl + 1);
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::vector<std::string> args;
        int rc = 2;
        if (!ParseArgLine(line, args)) Emit(Obj().Str("error", "expected a JSON array of strings"));
        else if (!args.empty() && args[0] == "quit") return 0;
        else rc = RunGuarded(args);
        Emit(Obj().Bool("end", true).Num("rc", rc));
        Flush();
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
    if (args.size() >= 2 && args[0] == "--desktop") {
        std::wstring name = probe::Wide(args[1]);
        args.erase(args.begin(), args.begin() + 2);
        g_desktop = OpenDesktopW(name.c_str(), 0, FALSE, GENERIC_ALL);
        if (!g_desktop) {
            Emit(Obj().Str("error", "no desktop named " + Utf8(name.c_str())));
            Flush();
            return 3;
        }
        SetThreadDesktop(g_desktop);
    }
    int rc = 0;
    if (!args.empty() && args[0] == "serve") rc = Serve();
    else rc = RunGuarded(args);
    Flush();
    return rc;
}
