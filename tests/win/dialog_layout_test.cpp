// The six dialog templates as the dialogs show them: captions, frames,
// sizes, and every control in tab order with its id, class, text, kind and
// rectangle in dialog units.
#include "tests/win/dialog_support.h"

#include "dialogs/about_dialog.h"
#include "dialogs/colours_dialog.h"
#include "dialogs/result_dialog.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/statistics_dialog.h"
#include "game/score.h"
#include "shell/settings.h"

namespace {

using dialog_test::Dialog;

constexpr int kAny = -1;      // no check of the kind
constexpr int kMoved = -2;    // the control sizes itself: check its corner only

struct Control {
    int id;
    const wchar_t* cls;
    const wchar_t* text;      // nullptr: not checked
    int x, y, w, h;
    int kind;                 // button or static type (style & 0x1F), or kAny
    DWORD style = 0;          // bits that must be set
    int size = 0;             // kMoved for self-sizing controls
};

struct Look {
    const wchar_t* caption;
    int w, h;
    bool closeBox;
    bool modalFrame;
    bool centred;
};

void ExpectLayout(const Dialog& d, const Look& f, const std::vector<Control>& controls)
{
    ASSERT_NE(d.get(), nullptr);
    EXPECT_EQ(dialog_test::TextOf(d.get()), f.caption);
    RECT client;
    GetClientRect(d.get(), &client);
    const RECT size = d.Units(0, 0, f.w, f.h);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    const LONG_PTR style = GetWindowLongPtrW(d.get(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(d.get(), GWL_EXSTYLE);
    EXPECT_EQ((style & WS_SYSMENU) != 0, f.closeBox);
    EXPECT_EQ((exStyle & WS_EX_DLGMODALFRAME) != 0, f.modalFrame);
    EXPECT_EQ((style & DS_CENTER) != 0, f.centred);

    HWND child = GetWindow(d.get(), GW_CHILD);
    for (const Control& c : controls) {
        ASSERT_NE(child, nullptr) << "missing control " << c.id;
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << c.x << "," << c.y);
        EXPECT_EQ(GetDlgCtrlID(child), c.id == -1 ? 0xFFFF : c.id);
        wchar_t cls[64] = L"";
        GetClassNameW(child, cls, 64);
        EXPECT_EQ(lstrcmpiW(cls, c.cls), 0) << "class";
        if (c.text) {
            EXPECT_EQ(dialog_test::TextOf(child), c.text);
        }
        LONG_PTR s = GetWindowLongPtrW(child, GWL_STYLE);
        // The dialog manager draws a control's border as a sunken client edge.
        if (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
            s |= WS_BORDER;
        if (c.kind != kAny) {
            EXPECT_EQ(static_cast<int>(s & 0x1F), c.kind) << "kind";
        }
        EXPECT_EQ(static_cast<DWORD>(s) & c.style, c.style) << "style";
        const RECT want = d.Units(c.x, c.y, c.w, c.h);
        const RECT got = d.RectOf(child);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        if (c.size != kMoved) {
            EXPECT_EQ(got.right, want.right);
            EXPECT_EQ(got.bottom, want.bottom);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more controls than expected";
}

TEST(DialogLayout, About)
{
    Dialog d(IDD_ABOUT, about_dialog::Proc);
    ExpectLayout(d, {L"О программе.", 187, 141, false, true, true},
                 {
                     {IDOK, L"Button", L"OK", 35, 120, 118, 14, BS_DEFPUSHBUTTON},
                     {IDC_ABOUT_NAME, L"Static", L"Duvirud ida для Win95 версия 1.22", 33, 13, 121, 10, SS_CENTER,
                      WS_BORDER},
                     {IDC_ABOUT_CREDIT, L"Static", L"© 2026 Команда Trivok", 37, 37, 112, 10, SS_CENTER},
                     {IDC_ABOUT_ICON, L"Static", nullptr, 7, 7, 20, 20, SS_ICON, 0, kMoved},
                     {IDC_FEEDBACK_GROUP, L"Button", L"Обратная связь", 7, 54, 173, 53, BS_GROUPBOX},
                     {IDC_LINK_PANEL, L"TrivokLinkPanel", L"", 13, 66, 161, 35, kAny, WS_BORDER},
                 });
    EXPECT_NE(SendDlgItemMessageW(d.get(), IDC_ABOUT_ICON, STM_GETICON, 0, 0), 0) << "icon 120 loaded";
}

TEST(DialogLayout, Lost)
{
    Dialog d(IDD_LOST, result_dialog::Proc, IDA_FAN);
    ExpectLayout(d, {L"Вы проиграли!!!", 187, 95, false, true, false},
                 {
                     {IDOK, L"Button", L"Убью гада.", 130, 7, 50, 14, BS_DEFPUSHBUTTON},
                     {IDCANCEL, L"Button", L"Шел бы ты...", 130, 24, 50, 14, BS_PUSHBUTTON},
                     {-1, L"Static", L"Может еще сыграем?", 14, 16, 112, 12, SS_CENTER},
                     {IDC_ANIMATION, L"SysAnimate32", nullptr, 119, 43, 47, 45, kAny, ACS_AUTOPLAY | WS_BORDER,
                      kMoved},
                     {-1, L"Button", L"Юзер - ты лузер!", 14, 7, 108, 22, BS_GROUPBOX},
                     {-1, L"Static", L"Остынь от долгой битвы!", 60, 60, 53, 17, SS_CENTER},
                 });
    EXPECT_EQ(GetWindowLongPtrW(d.Item(IDC_ANIMATION), GWL_STYLE) & ACS_CENTER, 0);
}

TEST(DialogLayout, Won)
{
    Dialog d(IDD_WON, result_dialog::Proc, IDA_WORD);
    ExpectLayout(d, {L"Что, не веришь своему счастью?", 187, 95, false, true, false},
                 {
                     {IDOK, L"Button", L"Ой, еще дам...", 123, 7, 57, 14, BS_DEFPUSHBUTTON},
                     {IDCANCEL, L"Button", L"Ну ладно живи.", 124, 24, 56, 14, BS_PUSHBUTTON},
                     {-1, L"Static", L"Тебе повезло...  в этот раз.\nСыграем еще или боишься\nсильных противников?", 7,
                      7, 96, 26, SS_LEFT},
                     {IDC_ANIMATION, L"SysAnimate32", nullptr, 21, 44, 146, 36, kAny, ACS_AUTOPLAY | WS_BORDER,
                      kMoved},
                 });
}

TEST(DialogLayout, Statistics)
{
    Dialog d(IDD_STATISTICS, statistics_dialog::Proc);
    // Neither button is a default one.
    ExpectLayout(d, {L"Статистика", 181, 133, false, true, true},
                 {
                     {IDC_STATS_OK, L"Button", L"OK", 31, 111, 52, 15, BS_PUSHBUTTON},
                     {IDC_STATS_CLEAR, L"Button", L"Очистить", 96, 111, 54, 15, BS_PUSHBUTTON},
                     {-1, L"Static", L"Текущая игра:", 7, 7, 75, 10, SS_LEFT},
                     {-1, L"Static", L"Выигрыши:", 20, 21, 58, 9, SS_LEFT},
                     {-1, L"Static", L"Проигрыши:", 20, 31, 60, 9, SS_LEFT},
                     {-1, L"Static", L"Всего:", 7, 45, 51, 10, SS_LEFT},
                     {-1, L"Static", L"Выигрыши:", 20, 57, 58, 9, SS_LEFT},
                     {-1, L"Static", L"Проигрыши:", 20, 66, 60, 9, SS_LEFT},
                     {IDC_RUN_WINS, L"Static", nullptr, 139, 21, 35, 8, SS_LEFT},
                     {IDC_RUN_LOSSES, L"Static", nullptr, 139, 31, 35, 8, SS_LEFT},
                     {IDC_TOTAL_WINS, L"Static", nullptr, 139, 57, 35, 8, SS_LEFT},
                     {IDC_TOTAL_LOSSES, L"Static", nullptr, 139, 66, 35, 8, SS_LEFT},
                 });
}

TEST(DialogLayout, Colours)
{
    colours_dialog::State state;
    Dialog d(IDD_COLOURS, colours_dialog::Proc, reinterpret_cast<LPARAM>(&state));
    // A spin fits its width to the field it is bound to.
    constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
    ExpectLayout(d, {L"Выбор цвета", 248, 182, false, false, true},
                 {
                     {IDOK, L"Button", L"Угу", 66, 161, 50, 14, BS_DEFPUSHBUTTON},
                     {IDCANCEL, L"Button", L"Отменить", 132, 161, 50, 14, BS_PUSHBUTTON},
                     {IDC_RED_LABEL, L"Static", L"Красный\n(0..255)", 7, 39, 42, 18, SS_LEFT},
                     {IDC_GREEN_LABEL, L"Static", L"Зеленый\n(0..255)", 7, 60, 42, 20, SS_LEFT},
                     {IDC_BLUE_LABEL, L"Static", L"Синий\n(0..255)", 7, 81, 42, 20, SS_LEFT},
                     {IDC_RED, L"Edit", nullptr, 52, 39, 34, 13, kAny, WS_BORDER},
                     {IDC_GREEN, L"Edit", nullptr, 52, 60, 34, 13, kAny, WS_BORDER},
                     {IDC_BLUE, L"Edit", nullptr, 52, 81, 34, 13, kAny, WS_BORDER},
                     {IDC_RED_SPIN, L"msctls_updown32", nullptr, 86, 39, 10, 13, kAny, kSpin, kMoved},
                     {IDC_GREEN_SPIN, L"msctls_updown32", nullptr, 86, 60, 10, 13, kAny, kSpin, kMoved},
                     {IDC_BLUE_SPIN, L"msctls_updown32", nullptr, 86, 81, 10, 13, kAny, kSpin, kMoved},
                     // The height holds the open list; the closed box is lower.
                     {IDC_COLOUR_LIST, L"ComboBox", nullptr, 7, 2, 105, 77, CBS_DROPDOWNLIST, 0, kMoved},
                     {IDC_SAMPLE_BOARD, L"TrivokSampleBoard", L"", 108, 32, 133, 122, kAny},
                     {IDC_PALETTE, L"TrivokPalette", L"", 7, 102, 89, 52, kAny},
                     {IDC_SHADE_RAMP, L"TrivokShadeRamp", L"", 122, 3, 119, 21, kAny},
                 });
    EXPECT_EQ(GetWindowLongPtrW(d.Item(IDC_COLOUR_LIST), GWL_STYLE) & CBS_SORT, 0);
}

TEST(DialogLayout, Settings)
{
    settings_dialog::Snapshot snapshot;
    Dialog d(IDD_SETTINGS, settings_dialog::Proc, reinterpret_cast<LPARAM>(&snapshot));
    ExpectLayout(d, {L"Настройка", 187, 132, true, true, true},
                 {
                     {IDOK, L"Button", L"&Угу", 130, 7, 50, 14, BS_DEFPUSHBUTTON},
                     {IDCANCEL, L"Button", L"&Отменить", 130, 24, 50, 14, BS_PUSHBUTTON},
                     {IDC_HUMAN_FIRST, L"Button", L"Человек", 16, 20, 45, 10, BS_AUTORADIOBUTTON, WS_GROUP},
                     {IDC_COMPUTER_FIRST, L"Button", L"Компьютер", 16, 29, 54, 11, BS_AUTORADIOBUTTON},
                     {-1, L"Button", L"Первый ход", 13, 7, 67, 37, BS_GROUPBOX},
                     {IDC_NO_RESHOT, L"Button", L"Предотвращение повторного выстрела", 13, 46, 147, 8,
                      BS_AUTOCHECKBOX},
                     {IDC_SALVO, L"Button", L"Залповая стрельба", 13, 54, 146, 8, BS_AUTOCHECKBOX},
                     {IDC_AUTO_ARRANGE, L"Button", L"Авторасстановка", 13, 62, 146, 8, BS_AUTOCHECKBOX},
                     {-1, L"Button", L"Уровень сложности", 11, 80, 166, 24, BS_GROUPBOX},
                     {IDC_AMATEUR, L"Button", L"Любитель", 17, 91, 47, 9, BS_AUTORADIOBUTTON,
                      BS_PUSHLIKE | WS_GROUP},
                     {IDC_PRO, L"Button", L"Профи", 70, 91, 47, 9, BS_AUTORADIOBUTTON, BS_PUSHLIKE},
                     {IDC_SUPERMAN, L"Button", L"Супермэн", 123, 91, 47, 9, BS_AUTORADIOBUTTON, BS_PUSHLIKE},
                     {IDC_RUSSIAN_FLAG, L"Button", L"Российский флаг", 13, 70, 146, 8, BS_AUTOCHECKBOX},
                     {IDC_TIMEOUT, L"Edit", nullptr, 115, 111, 18, 12, kAny, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER},
                     {-1, L"Static", L"миллисекунд", 133, 112, 47, 10, SS_LEFT},
                     {-1, L"Static", L"Задержка между выстрелами", 11, 112, 104, 10, SS_LEFT},
                 });
}

// The result dialogs stand at a fixed place in the owner's client area.
TEST(DialogLayout, ResultDialogsStandBelowTheOwnersCorner)
{
    dialog_test::Frame frame;
    for (const auto& [id, y] : {std::pair{IDD_LOST, 400}, std::pair{IDD_WON, 300}}) {
        Dialog d(id, result_dialog::Proc, result_dialog::ClipFor(id), frame.get());
        POINT origin = {0, 0}, at = {0, 0};
        ClientToScreen(frame.get(), &origin);
        ClientToScreen(d.get(), &at);
        const RECT offset = d.Units(100, y, 0, 0);
        EXPECT_EQ(at.x - origin.x, offset.left) << id;
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT window;
        GetWindowRect(d.get(), &window);
        if (origin.y + offset.top + (window.bottom - window.top) < work.bottom) {   // else moved on screen
            EXPECT_EQ(at.y - origin.y, offset.top) << id;
        }
    }
}

}  // namespace
