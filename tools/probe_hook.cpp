// Hook DLL of the probe: runs inside the game's GUI thread to read what
// another process cannot (menus under Wine) and to call test-only exports.
#include "probe_common.h"

#include <climits>
#include <string>

namespace {

UINT g_requestMessage = 0;

using DescribeStateFn = int (*)(char* buf, int size);

void MenuItems(HMENU menu, const std::string& path, int depth, std::string& out)
{
    int count = GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = nullptr;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii))
            continue;
        std::wstring text;
        if (mii.cch > 0) {
            text.resize(mii.cch + 1);
            mii.dwTypeData = &text[0];
            mii.cch += 1;
            GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii);
            text.resize(wcslen(text.c_str()));
        }
        std::string itemPath = path.empty() ? std::to_string(pos) : path + "," + std::to_string(pos);
        probe::Obj o;
        o.Raw("path", "[" + itemPath + "]")
            .Num("depth", depth)
            .Num("pos", pos)
            .Num("id", static_cast<long long>(mii.wID))
            .Str("text", text)
            .Bool("checked", (mii.fState & MFS_CHECKED) != 0)
            .Bool("grayed", (mii.fState & MFS_GRAYED) != 0)
            .Bool("disabled", (mii.fState & MFS_DISABLED) != 0)
            .Bool("default", (mii.fState & MFS_DEFAULT) != 0)
            .Bool("hilite", (mii.fState & MFS_HILITE) != 0)
            .Bool("separator", (mii.fType & MFT_SEPARATOR) != 0)
            .Bool("radio", (mii.fType & MFT_RADIOCHECK) != 0)
            .Bool("popup", mii.hSubMenu != nullptr)
            .Unum("state", mii.fState)
            .Unum("type", mii.fType);
        out += o.Text();
        out += "\n";
        if (mii.hSubMenu)
            MenuItems(mii.hSubMenu, itemPath, depth + 1, out);
    }
}

std::string ReadMenu(HWND hwnd, uint32_t flags)
{
    HMENU menu = nullptr;
    if (probe::ClassOf(hwnd) == L"#32768")
        menu = reinterpret_cast<HMENU>(SendMessageW(hwnd, MN_GETHMENU, 0, 0));
    else if (flags & probe::kSystemMenu)
        menu = GetSystemMenu(hwnd, FALSE);
    else
        menu = GetMenu(hwnd);
    if (!menu || !IsMenu(menu))
        return probe::Obj().Str("error", "no menu").Text() + "\n";
    std::string out;
    MenuItems(menu, "", 0, out);
    return out;
}

std::string DescribeState()
{
    auto fn = reinterpret_cast<DescribeStateFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), "TrivokDescribeState")));
    if (!fn)
        return probe::Obj().Str("error", "TrivokDescribeState is not exported").Text() + "\n";
    std::string buf(1u << 20, '\0');
    int n = fn(&buf[0], static_cast<int>(buf.size()));
    buf.resize(strnlen(buf.c_str(), buf.size()));
    return probe::Obj().Num("result", n).Str("text", buf).Text() + "\n";
}

// Scans the frame (everything outside the client area) for the points whose
// WM_NCHITTEST answer is `code`: the close box is 20 (HTCLOSE). A coarse pass
// every `stride` pixels, then, for a small region, an exact pass around it.
// The window procedure is called directly: through SendMessage every point
// would run the hooks, this one included, and each costs a trip to the Wine
// server.
struct HitScan {
    HWND hwnd;
    WNDPROC proc;
    RECT client;
    LRESULT code;
    long long hits = 0;
    RECT box{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};

    void Scan(const RECT& area, int stride)
    {
        hits = 0;
        box = RECT{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
        for (int y = area.top; y < area.bottom; y += stride) {
            for (int x = area.left; x < area.right; x += stride) {
                if (x >= client.left && x < client.right && y >= client.top && y < client.bottom) continue;
                if (CallWindowProcW(proc, hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != code) continue;
                ++hits;
                if (x < box.left) box.left = x;
                if (y < box.top) box.top = y;
                if (x + 1 > box.right) box.right = x + 1;
                if (y + 1 > box.bottom) box.bottom = y + 1;
            }
        }
    }
};

std::string FindHit(HWND hwnd, LRESULT code, int stride)
{
    DWORD start = GetTickCount();
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    HitScan scan{hwnd, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), {}, code};
    GetClientRect(hwnd, &scan.client);
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&scan.client), 2);
    scan.Scan(wr, stride);
    if (!scan.hits)
        return probe::Obj().Str("error", "no point of the frame answers that code").Text() + "\n";
    bool exact = stride == 1;
    RECT around{scan.box.left - stride, scan.box.top - stride, scan.box.right + stride, scan.box.bottom + stride};
    if (!exact && (around.right - around.left) * (around.bottom - around.top) <= 10000) {
        IntersectRect(&around, &around, &wr);
        scan.Scan(around, 1);
        exact = true;
    }
    const RECT& box = scan.box;
    return probe::Obj().Num("hwnd", static_cast<long long>(reinterpret_cast<intptr_t>(hwnd)))
               .Num("code", static_cast<long long>(code)).Bool("exact", exact).Rect("box", box)
               .Num("x", (box.left + box.right) / 2).Num("y", (box.top + box.bottom) / 2)
               .Num("ms", static_cast<long long>(GetTickCount() - start)).Text() + "\n";
}

void Answer(DWORD probePid)
{
    std::wstring name = std::wstring(probe::kMappingPrefix) + std::to_wstring(probePid);
    HANDLE map = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name.c_str());
    if (!map)
        return;
    auto* req = static_cast<probe::Request*>(MapViewOfFile(map, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
    if (req && req->magic == probe::kMagic && req->status == 0) {
        std::string out;
        try {
            switch (req->kind) {
            case probe::kMenu: out = ReadMenu(reinterpret_cast<HWND>(req->hwnd), req->flags); break;
            case probe::kState: out = DescribeState(); break;
            case probe::kHitTest: out = FindHit(reinterpret_cast<HWND>(req->hwnd), static_cast<LRESULT>(req->flags & 0xFFFF),
                                                  static_cast<int>(req->flags >> 16) + 1); break;
            default: out = probe::Obj().Str("error", "unknown request").Text() + "\n"; break;
            }
        } catch (...) {
            out = probe::Obj().Str("error", "exception in the hook").Text() + "\n";
        }
        if (out.size() > probe::kOutCapacity)
            out.resize(probe::kOutCapacity);
        memcpy(req->out, out.data(), out.size());
        req->out_len = static_cast<uint32_t>(out.size());
        MemoryBarrier();
        req->status = 1;
    }
    if (req)
        UnmapViewOfFile(req);
    CloseHandle(map);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && lp) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (g_requestMessage && cwp->message == g_requestMessage)
            Answer(static_cast<DWORD>(cwp->lParam));
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_requestMessage = RegisterWindowMessageW(probe::kRequestMessage);
    return TRUE;
}
