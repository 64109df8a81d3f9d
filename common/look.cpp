// The colour scheme and the three fonts in force.
#include "common/look.h"

#include <algorithm>

#include "common/display.h"
#include "common/layout.h"
#include "common/module.h"
#include "common/on_demand.h"

namespace look {
namespace {

ColourScheme g_colours;
FontInfo g_fonts;
FaceCounts g_faceCounts{};
HFONT g_objects[kFontCount];

// The height of the system's font, and of a font asked for with no height,
// at 96 DPI.
constexpr int kSystemFontHeight = 16;

FontRecord& Record(FontId font) { return g_fonts.Fonts[font]; }

bool IsUnchosen(const FontRecord& r)
{
    return r.Height == 0 && r.Width == 0 && r.Weight == 0 && r.FaceName[0] == '\0';
}

LOGFONTA ToLogFont(const FontRecord& r)
{
    LOGFONTA lf{};
    lf.lfHeight = r.Height;
    lf.lfWidth = r.Width;
    lf.lfEscapement = r.Escapement;
    lf.lfOrientation = r.Orientation;
    lf.lfWeight = r.Weight;
    lf.lfItalic = r.Italic;
    lf.lfUnderline = r.Underline;
    lf.lfStrikeOut = r.StrikeOut;
    lf.lfCharSet = r.CharSet;
    lf.lfOutPrecision = r.OutPrecision;
    lf.lfClipPrecision = r.ClipPrecision;
    lf.lfQuality = r.Quality;
    lf.lfPitchAndFamily = r.PitchAndFamily;
    std::copy(r.FaceName.begin(), r.FaceName.end(), lf.lfFaceName);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return lf;
}

FontRecord FromLogFont(const LOGFONTA& lf)
{
    FontRecord r;
    r.Height = lf.lfHeight;
    r.Width = lf.lfWidth;
    r.Escapement = lf.lfEscapement;
    r.Orientation = lf.lfOrientation;
    r.Weight = lf.lfWeight;
    r.Italic = lf.lfItalic;
    r.Underline = lf.lfUnderline;
    r.StrikeOut = lf.lfStrikeOut;
    r.CharSet = lf.lfCharSet;
    r.OutPrecision = lf.lfOutPrecision;
    r.ClipPrecision = lf.lfClipPrecision;
    r.Quality = lf.lfQuality;
    r.PitchAndFamily = lf.lfPitchAndFamily;
    std::copy(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, r.FaceName.begin());
    return r;
}

// A record the player never chose stands for the system's font. Above
// 96 DPI the system's font keeps its 96-DPI height, so the default height
// is scaled here as every other size is.
void Make(FontId font)
{
    LOGFONTA lf = ToLogFont(Record(font));
    const int dpi = common::SystemDpi();
    if (IsUnchosen(Record(font)) && dpi != 96)
        lf.lfHeight = layout::ScaleFrom96(kSystemFontHeight, dpi);
    g_objects[font] = CreateFontIndirectA(&lf);
}

}  // namespace

ColourScheme& Colours() { return g_colours; }
FontInfo& Fonts() { return g_fonts; }
FaceCounts& FontFaceCounts() { return g_faceCounts; }

HFONT Font(FontId font) { return g_objects[font]; }

COLORREF FontColour(FontId font) { return g_fonts.Colours[font]; }

void MakeFonts(bool recordsRead)
{
    // A first run at 96 DPI draws in the contexts' own font, with no object.
    if (!recordsRead && common::SystemDpi() == 96)
        return;
    for (int i = 0; i < kFontCount; ++i) {
        DeleteFontObject(static_cast<FontId>(i));
        Make(static_cast<FontId>(i));
    }
}

void DeleteFontObject(FontId font)
{
    if (g_objects[font])
        DeleteObject(g_objects[font]);
    g_objects[font] = nullptr;
}

void PickFont(HWND owner, FontId font)
{
    LOGFONTA lf = ToLogFont(Record(font));
    char style[LF_FACESIZE] = "";   // the dialog writes the chosen style here
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.rgbColors = FontColour(font);
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_USESTYLE | CF_EFFECTS;
    cf.hInstance = common::Module();
    cf.lpszStyle = style;
    cf.nFontType = SCREEN_FONTTYPE;
    // A cancelled dialog leaves the description and the colour as they were,
    // so remaking the font from them changes nothing on screen.
    if (on_demand::ChooseFont(&cf)) {
        Record(font) = FromLogFont(lf);
        g_fonts.Colours[font] = cf.rgbColors;
    }
    DeleteFontObject(font);
    Make(font);
    g_faceCounts[font] = kFaceNameSize;
}

}  // namespace look
