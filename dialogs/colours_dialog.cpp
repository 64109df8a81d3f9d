// Colours dialog: list, fields and spins, the digit filter, and the working
// copy that the sample board and the pickers show.
#include "dialogs/colours_dialog.h"

#include <commctrl.h>

#include <string>

#include "common/look.h"
#include "common/messages.h"
#include "common/window_proc.h"
#include "dialogs/colour_fields.h"
#include "dialogs/dialog_util.h"
#include "dialogs/field_rules.h"
#include "dialogs/sample_board.h"
#include "resources/resource.h"

namespace colours_dialog {
namespace {

using colour_grid::Rgb;
using sample_board::Selection;

// List entries, in list order (Selection).
const wchar_t* const kEntries[sample_board::kSelectionCount] = {
    L"Цвет поля битвы",
    L"Цвет фона",
    L"Цвет кораблей",
    L"Цвет линий",
    L"Цвет подбитых кораблей",
};

struct Field {
    int edit, spin;
};
constexpr Field kFields[] = {{IDC_RED, IDC_RED_SPIN}, {IDC_GREEN, IDC_GREEN_SPIN}, {IDC_BLUE, IDC_BLUE_SPIN}};

constexpr int kMaxComponent = 255;

State* StateOf(HWND dialog) { return dialogs::StateOf<State>(dialog); }

Selection CurrentSelection(HWND dialog)
{
    const auto index = SendDlgItemMessageW(dialog, IDC_COLOUR_LIST, CB_GETCURSEL, 0, 0);
    if (index < 0 || index >= sample_board::kSelectionCount)
        return sample_board::kBattleField;
    return static_cast<Selection>(index);
}

// --- the digit filter ------------------------------------------------------
// Digits only, three at most; Backspace, Delete and the clipboard keys
// always work. Pasted text goes through the same rule, character by character.

std::wstring ClipboardText(HWND owner)
{
    std::wstring text;
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

size_t Length(HWND edit) { return static_cast<size_t>(GetWindowTextLengthW(edit)); }

void Paste(HWND edit)
{
    bool refused = false;
    for (const wchar_t c : ClipboardText(edit)) {
        if (c < L' ')
            continue;  // the line break of a copied line
        if (field_rules::AcceptChar(c, Length(edit)))
            DefSubclassProc(edit, WM_CHAR, c, 0);
        else
            refused = true;
    }
    if (refused)
        MessageBeep(0);
}

LRESULT HandleField(HWND edit, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id);
constexpr SUBCLASSPROC FieldProc = common::SubclassProc<HandleField>;

LRESULT HandleField(HWND edit, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id)
{
    switch (msg) {
    case WM_CHAR:
        if (!field_rules::AcceptChar(static_cast<unsigned>(wp), Length(edit))) {
            MessageBeep(0);
            return 0;
        }
        break;
    case WM_PASTE: Paste(edit); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, FieldProc, id); break;
    }
    return DefSubclassProc(edit, msg, wp, lp);
}

// --- loading and editing -----------------------------------------------------

// Spins first, then the fields; with the loaded flag set, the fields' change
// events write the member back as it is.
void LoadSelected(HWND dialog)
{
    State* s = StateOf(dialog);
    if (!s)
        return;
    const Rgb c = colour_grid::Unpack(Member(s->working, CurrentSelection(dialog)));
    const std::uint8_t parts[] = {c.r, c.g, c.b};
    for (int i = 0; i < 3; ++i)
        SendDlgItemMessageW(dialog, kFields[i].spin, UDM_SETPOS, 0, MAKELPARAM(parts[i], 0));
    colour_fields::Write(dialog, c);
}

BOOL OnInitDialog(HWND dialog, LPARAM lp)
{
    State* s = dialogs::KeepState<State>(dialog, lp);
    if (!s) {
        EndDialog(dialog, -1);
        return FALSE;
    }
    s->working = look::Colours();
    s->loaded = false;

    for (const wchar_t* entry : kEntries)
        SendDlgItemMessageW(dialog, IDC_COLOUR_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendDlgItemMessageW(dialog, IDC_COLOUR_LIST, CB_SETCURSEL, sample_board::kBattleField, 0);

    // Each spin is bound by hand: the template puts them after all three fields.
    for (const Field& f : kFields) {
        SendDlgItemMessageW(dialog, f.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, f.edit)), 0);
        SendDlgItemMessageW(dialog, f.spin, UDM_SETRANGE, 0, MAKELPARAM(kMaxComponent, 0));
    }
    LoadSelected(dialog);
    s->loaded = true;

    sample_board::SetColours(GetDlgItem(dialog, IDC_SAMPLE_BOARD), &s->working);
    for (const Field& f : kFields)
        SetWindowSubclass(GetDlgItem(dialog, f.edit), FieldProc, f.edit, 0);
    return TRUE;
}

void OnSelChange(HWND dialog)
{
    LoadSelected(dialog);
    if (State* s = StateOf(dialog))
        s->loaded = true;
}

// The ramp always follows the fields; the working copy and the sample board
// only once the dialog has loaded its first colour.
void OnFieldUpdate(HWND dialog)
{
    const Rgb c = colour_fields::Read(dialog);
    InvalidateRect(GetDlgItem(dialog, IDC_SHADE_RAMP), nullptr, TRUE);
    State* s = StateOf(dialog);
    if (!s || !s->loaded)
        return;
    const Selection selection = CurrentSelection(dialog);
    Member(s->working, selection) = colour_grid::Pack(c);
    sample_board::ShowChange(GetDlgItem(dialog, IDC_SAMPLE_BOARD), selection);
}

// A number above 255 is shown as 255, as the working copy already has it.
void OnFieldChange(HWND dialog, int id)
{
    const auto number = field_rules::ParseUnsigned(dialogs::ItemText(dialog, id));
    if (number && *number > kMaxComponent) {
        SetDlgItemInt(dialog, id, kMaxComponent, FALSE);
        SendDlgItemMessageW(dialog, id, EM_SETSEL, 3, 3);
    }
}

void OnFieldNotify(HWND dialog, int id, int code)
{
    switch (code) {
    case EN_UPDATE: OnFieldUpdate(dialog); break;
    case EN_CHANGE: OnFieldChange(dialog, id); break;
    }
}

// A click on the sample board selects what was hit, as the list would.
void OnPicked(HWND dialog, WPARAM selection)
{
    if (selection >= sample_board::kSelectionCount)
        return;
    SendDlgItemMessageW(dialog, IDC_COLOUR_LIST, CB_SETCURSEL, selection, 0);
    SendDlgItemMessageW(dialog, IDC_COLOUR_LIST, CB_SETTOPINDEX, selection, 0);
    LoadSelected(dialog);
}

// The frame and every board in it repaint in the new colours.
void OnOk(HWND dialog)
{
    if (State* s = StateOf(dialog)) {
        look::Colours() = s->working;
        s->loaded = false;
        if (HWND frame = GetParent(dialog))
            RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    EndDialog(dialog, kAccepted);
}

void OnCancel(HWND dialog)
{
    if (State* s = StateOf(dialog))
        s->loaded = false;
    EndDialog(dialog, kCancelled);
}

BOOL OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: OnCancel(dialog); return TRUE;
    case IDC_COLOUR_LIST: if (code == CBN_SELCHANGE) OnSelChange(dialog); return TRUE;
    case IDC_RED:
    case IDC_GREEN:
    case IDC_BLUE: OnFieldNotify(dialog, id, code); return TRUE;
    }
    return FALSE;
}

}  // namespace

std::uint32_t& Member(look::ColourScheme& colours, Selection selection)
{
    switch (selection) {
    case sample_board::kBackGround: return colours.BackGround;
    case sample_board::kShips: return colours.Ships;
    case sample_board::kLines: return colours.Lines;
    case sample_board::kSunkShip: return colours.SunkShip;
    default: return colours.BattleField;
    }
}

namespace {

INT_PTR Handle(HWND dialog, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lp);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wp), HIWORD(wp));
    case common::kColourPicked: OnPicked(dialog, wp); return TRUE;
    }
    return FALSE;
}

}  // namespace

const DLGPROC Proc = common::DialogProc<Handle>;

}  // namespace colours_dialog
