// Shared by the probe and its hook DLL: the request block and JSON output.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace probe {

// The probe hands a request to the hook DLL through a named file mapping
// (name below, keyed by the probe's process id) and triggers it by sending
// the registered message to a window of the game's GUI thread.
constexpr wchar_t kRequestMessage[] = L"TrivokProbeRequest";
constexpr wchar_t kMappingPrefix[] = L"TrivokProbe.";
constexpr uint32_t kMagic = 0x54525042;  // "TRPB"
constexpr uint32_t kMappingSize = 4u << 20;

enum RequestKind : uint32_t {
    kMenu = 1,      // the menu of `hwnd` (popup menu windows through MN_GETHMENU)
    kState = 2,     // the text of the exported TrivokDescribeState
    kHitTest = 3,   // where the frame of `hwnd` answers WM_NCHITTEST with the code in
                    // the low word of `flags`, scanned every (high word + 1) pixels
};

enum MenuFlags : uint32_t {
    kSystemMenu = 1,
};

struct Request {
    uint32_t magic;
    uint32_t kind;
    uint64_t hwnd;
    uint32_t flags;
    uint32_t status;   // 0 until the hook has answered, then 1
    uint32_t out_len;  // bytes of UTF-8 text in out
    uint32_t reserved;
    char out[1];       // the rest of the mapping
};
constexpr uint32_t kOutCapacity = kMappingSize - offsetof(Request, out);

inline std::string Utf8(const wchar_t* s, int len = -1)
{
    if (!s) return {};
    if (len < 0) len = static_cast<int>(wcslen(s));
    if (len == 0) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s, len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, len, &out[0], n, nullptr, nullptr);
    return out;
}

inline std::wstring Wide(const std::string& s, UINT cp = CP_UTF8)
{
    if (s.empty()) return {};
    int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), &out[0], n);
    return out;
}

// Quoted JSON string from UTF-8 text.
inline std::string Quote(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

// One JSON object, built field by field: Obj().Num("a", 1).Str("b", L"x").Text()
class Obj {
public:
    Obj& Raw(const char* key, const std::string& json)
    {
        m_s += m_s.empty() ? "{" : ",";
        m_s += Quote(key);
        m_s += ":";
        m_s += json;
        return *this;
    }
    Obj& Num(const char* key, long long v) { return Raw(key, std::to_string(v)); }
    Obj& Unum(const char* key, unsigned long long v) { return Raw(key, std::to_string(v)); }
    Obj& Bool(const char* key, bool v) { return Raw(key, v ? "true" : "false"); }
    Obj& Str(const char* key, const std::string& utf8) { return Raw(key, Quote(utf8)); }
    Obj& Str(const char* key, const wchar_t* s) { return Raw(key, Quote(Utf8(s))); }
    Obj& Str(const char* key, const std::wstring& s) { return Raw(key, Quote(Utf8(s.c_str(), static_cast<int>(s.size())))); }
    Obj& Null(const char* key) { return Raw(key, "null"); }
    Obj& Rect(const char* key, const RECT& r)
    {
        return Raw(key, "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                            std::to_string(r.right) + "," + std::to_string(r.bottom) + "]");
    }
    std::string Text() const { return m_s.empty() ? "{}" : m_s + "}"; }

private:
    std::string m_s;
};

inline std::wstring ClassOf(HWND hwnd)
{
    wchar_t buf[256] = {};
    int n = GetClassNameW(hwnd, buf, 256);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace probe
