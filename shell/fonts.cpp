// The three user-chosen fonts.
#include "shell/fonts.h"

#include <commdlg.h>

#include <algorithm>

#include "shell/app.h"
#include "shell/settings.h"

namespace fonts {
namespace {

HFONT g_fonts[kFontCount];

settings::FontRecord& Record(Which which) { return settings::Records().Fonts.Fonts[which]; }

LOGFONTA ToLogFont(const settings::FontRecord& r)
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

settings::FontRecord FromLogFont(const LOGFONTA& lf)
{
    settings::FontRecord r;
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

void Make(Which which)
{
    const LOGFONTA lf = ToLogFont(Record(which));
    g_fonts[which] = CreateFontIndirectA(&lf);
}

}  // namespace

HFONT Font(Which which) { return g_fonts[which]; }

COLORREF Colour(Which which) { return settings::Records().Fonts.Colours[which]; }

void MakeAll()
{
    for (int i = 0; i < kFontCount; ++i) {
        Delete(static_cast<Which>(i));
        Make(static_cast<Which>(i));
    }
}

void Delete(Which which)
{
    if (g_fonts[which])
        DeleteObject(g_fonts[which]);
    g_fonts[which] = nullptr;
}

void Choose(HWND owner, Which which)
{
    LOGFONTA lf = ToLogFont(Record(which));
    char style[LF_FACESIZE] = "";   // the dialog writes the chosen style here
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.rgbColors = Colour(which);
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_USESTYLE | CF_EFFECTS;
    cf.hInstance = app::Instance;
    cf.lpszStyle = style;
    cf.nFontType = SCREEN_FONTTYPE;
    // A cancelled dialog leaves the description and the colour as they were,
    // so remaking the font from them changes nothing on screen.
    if (ChooseFontA(&cf)) {
        Record(which) = FromLogFont(lf);
        settings::Records().Fonts.Colours[which] = cf.rgbColors;
    }
    Delete(which);
    Make(which);
    settings::Records().FaceCounts[which] = settings::kFaceNameSize;
}

}  // namespace fonts
