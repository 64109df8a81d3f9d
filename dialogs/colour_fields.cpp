// The colours dialog's three colour fields.
#include "dialogs/colour_fields.h"

#include "dialogs/dialog_util.h"
#include "dialogs/field_rules.h"
#include "resources/resource.h"

namespace colour_fields {

colour_grid::Rgb Read(HWND dialog)
{
    const auto part = [dialog](int id) { return field_rules::ComponentFromText(dialogs::ItemText(dialog, id)); };
    return {part(IDC_RED), part(IDC_GREEN), part(IDC_BLUE)};
}

void Write(HWND dialog, colour_grid::Rgb colour)
{
    SetDlgItemInt(dialog, IDC_RED, colour.r, FALSE);
    SetDlgItemInt(dialog, IDC_GREEN, colour.g, FALSE);
    SetDlgItemInt(dialog, IDC_BLUE, colour.b, FALSE);
}

}  // namespace colour_fields
