// System functions loaded at their first use.
#include "common/on_demand.h"

#include <mmsystem.h>

#include "common/module.h"

namespace on_demand {
namespace {

// The function `name` of the library `dll`, loaded once and kept.
template <typename Function>
Function Find(const wchar_t* dll, const char* name)
{
    HMODULE library = GetModuleHandleW(dll);
    if (!library)
        library = LoadLibraryW(dll);
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

void Open(const wchar_t* target)
{
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static const auto shellExecute = Find<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute)
        shellExecute(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

bool ChooseFont(CHOOSEFONTA* choice)
{
    using ChooseFontFn = BOOL(WINAPI*)(LPCHOOSEFONTA);
    static const auto chooseFont = Find<ChooseFontFn>(L"comdlg32.dll", "ChooseFontA");
    return chooseFont && chooseFont(choice);
}

void PlaySoundResource(int id)
{
    using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    static const auto playSound = Find<PlaySoundFn>(L"winmm.dll", "PlaySoundW");
    if (playSound)
        playSound(MAKEINTRESOURCEW(id), common::Module(), SND_RESOURCE | SND_ASYNC);
}

}  // namespace on_demand
