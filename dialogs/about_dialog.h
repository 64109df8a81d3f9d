// The about box: name, version, credit and the feedback link panel.
#pragma once

#include <windows.h>

namespace about_dialog {

extern const DLGPROC Proc;

}  // namespace about_dialog
