// The program's texture brushes.
#include "common/textures.h"

#include "common/module.h"
#include "resources/resource.h"

namespace textures {
namespace {

HBITMAP g_bitmaps[kCount];
HBRUSH g_brushes[kCount];

}  // namespace

void Make()
{
    static const int kIds[kCount] = {IDB_TEX_BLUE, IDB_TEX_GREEN, IDB_TEX_GREY};
    for (int i = 0; i < kCount; ++i) {
        if (g_brushes[i])
            continue;
        g_bitmaps[i] = LoadBitmapW(common::Module(), MAKEINTRESOURCEW(kIds[i]));
        g_brushes[i] = CreatePatternBrush(g_bitmaps[i]);
    }
}

void Delete()
{
    // Bitmaps first, then brushes, each in the order blue, grey, green.
    static const Texture kOrder[kCount] = {kBlue, kGrey, kGreen};
    for (Texture t : kOrder) {
        DeleteObject(g_bitmaps[t]);
        g_bitmaps[t] = nullptr;
    }
    for (Texture t : kOrder) {
        DeleteObject(g_brushes[t]);
        g_brushes[t] = nullptr;
    }
}

HBRUSH Brush(Texture texture) { return g_brushes[texture]; }

}  // namespace textures
