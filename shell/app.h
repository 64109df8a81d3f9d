// Process-wide handles of the shell: the instance, the frame and its
// children, and the three texture brushes. Set once at start-up, read
// everywhere.
#pragma once

#include <windows.h>

namespace app {

extern HINSTANCE Instance;

extern HWND MainWindow;
extern HWND ToolbarWindow;
extern HWND StatusBarWindow;
extern HWND ComputerBoardWindow;
extern HWND HumanBoardWindow;
extern HWND ArrowsWindow;
extern HWND ShipPickerWindow;
extern HWND CommentatorWindow;
extern HWND CommentatorText;

// The command line held the word "-noDefine".
extern bool NoDefine;

// 8 × 8 pattern brushes: blue water (the arrow pad), dark green (the
// commentator), grey (the ship picker). Their bitmaps live as long as they do.
enum Texture { kTextureBlue, kTextureGreen, kTextureGrey, kTextureCount };
extern HBITMAP TextureBitmaps[kTextureCount];
extern HBRUSH TextureBrushes[kTextureCount];

// Window class names.
extern const wchar_t kMainClass[];
extern const wchar_t kArrowsClass[];
extern const wchar_t kCommentatorClass[];
extern const wchar_t kPickerClass[];
extern const wchar_t kComputerBoardClass[];
extern const wchar_t kHumanBoardClass[];

// Makes the textures and registers the six window classes, in order.
// False when any of it fails; the program then ends quietly.
bool RegisterClasses(HINSTANCE instance);

// Deletes the texture bitmaps and brushes (at the frame's destruction).
void DeleteTextures();

}  // namespace app
