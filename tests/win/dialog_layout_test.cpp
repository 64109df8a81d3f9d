// The six templates as the dialog manager builds them: caption, client
// size in dialog units, close box, and the control ids in tab order.
#include "tests/win/dialog_support.h"

#include "dialogs/about_dialog.h"
#include "dialogs/colours_dialog.h"
#include "dialogs/result_dialog.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/statistics_dialog.h"

namespace {

struct Template {
    int id;
    DLGPROC proc;
    const wchar_t* caption;
    int width, height;
    bool closeBox;
    std::vector<int> controls;   // -1: a label or group box without an id
};

TEST(DialogLayout, CaptionsSizesAndControlsInTabOrder)
{
    colours_dialog::State colours;
    settings_dialog::Snapshot snapshot;
    const std::pair<Template, LPARAM> templates[] = {
        {{IDD_ABOUT, about_dialog::Proc, L"О программе.", 187, 141, false,
          {IDOK, IDC_ABOUT_NAME, IDC_ABOUT_CREDIT, IDC_ABOUT_ICON, IDC_FEEDBACK_GROUP, IDC_LINK_PANEL}}, 0},
        {{IDD_LOST, result_dialog::Proc, L"Вы проиграли!!!", 187, 95, false,
          {IDOK, IDCANCEL, -1, IDC_ANIMATION, -1, -1}}, IDA_FAN},
        {{IDD_WON, result_dialog::Proc, L"Что, не веришь своему счастью?", 187, 95, false,
          {IDOK, IDCANCEL, -1, IDC_ANIMATION}}, IDA_WORD},
        {{IDD_STATISTICS, statistics_dialog::Proc, L"Статистика", 181, 133, false,
          {IDC_STATS_OK, IDC_STATS_CLEAR, -1, -1, -1, -1, -1, -1, IDC_RUN_WINS, IDC_RUN_LOSSES, IDC_TOTAL_WINS,
           IDC_TOTAL_LOSSES}}, 0},
        {{IDD_COLOURS, colours_dialog::Proc, L"Выбор цвета", 248, 182, false,
          {IDOK, IDCANCEL, IDC_RED_LABEL, IDC_GREEN_LABEL, IDC_BLUE_LABEL, IDC_RED, IDC_GREEN, IDC_BLUE, IDC_RED_SPIN,
           IDC_GREEN_SPIN, IDC_BLUE_SPIN, IDC_COLOUR_LIST, IDC_SAMPLE_BOARD, IDC_PALETTE, IDC_SHADE_RAMP}},
         reinterpret_cast<LPARAM>(&colours)},
        {{IDD_SETTINGS, settings_dialog::Proc, L"Настройка", 187, 132, true,
          {IDOK, IDCANCEL, IDC_HUMAN_FIRST, IDC_COMPUTER_FIRST, -1, IDC_NO_RESHOT, IDC_SALVO, IDC_AUTO_ARRANGE, -1,
           IDC_AMATEUR, IDC_PRO, IDC_SUPERMAN, IDC_RUSSIAN_FLAG, IDC_TIMEOUT, -1, -1}},
         reinterpret_cast<LPARAM>(&snapshot)},
    };
    for (const auto& [t, param] : templates) {
        SCOPED_TRACE(testing::Message() << "template " << t.id);
        dialog_test::Dialog d(t.id, t.proc, param);
        ASSERT_NE(d.get(), nullptr);
        EXPECT_EQ(dialog_test::TextOf(d.get()), t.caption);
        RECT size = {0, 0, t.width, t.height}, client;
        MapDialogRect(d.get(), &size);
        GetClientRect(d.get(), &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        EXPECT_EQ((GetWindowLongPtrW(d.get(), GWL_STYLE) & WS_SYSMENU) != 0, t.closeBox);
        std::vector<int> ids;
        for (HWND c = GetWindow(d.get(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            ids.push_back(static_cast<short>(GetDlgCtrlID(c)));
        EXPECT_EQ(ids, t.controls);
    }
}

}  // namespace
