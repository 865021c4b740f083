#include "graphics.h"

#include "published.h"

namespace {
// Rounds a * b / c to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    return static_cast<int>(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}
} // namespace

int TFont::Size() const {
    return -MulDivRound(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int Value) {
    SetHeight(-MulDivRound(Value, FPixelsPerInch, 72));
}

void TFont::Assign(const TFont& Source) {
    const bool changed = !SameAs(Source);
    FName = Source.FName;
    FHeight = Source.FHeight;
    FStyle = Source.FStyle;
    FColor = Source.FColor;
    FCharset = Source.FCharset;
    FPixelsPerInch = Source.FPixelsPerInch;
    if (changed) Changed();
}

bool TFont::SameAs(const TFont& Other) const {
    return FName == Other.FName && FHeight == Other.FHeight && FStyle == Other.FStyle &&
           FColor == Other.FColor && FCharset == Other.FCharset;
}

const TEnumInfo& ColorIdents() {
    static const TEnumInfo info(L"TColor", {
                                               {clBlack, L"clBlack"},
                                               {clMaroon, L"clMaroon"},
                                               {clGreen, L"clGreen"},
                                               {clOlive, L"clOlive"},
                                               {clNavy, L"clNavy"},
                                               {clPurple, L"clPurple"},
                                               {clTeal, L"clTeal"},
                                               {clGray, L"clGray"},
                                               {clSilver, L"clSilver"},
                                               {clRed, L"clRed"},
                                               {clLime, L"clLime"},
                                               {clYellow, L"clYellow"},
                                               {clBlue, L"clBlue"},
                                               {clFuchsia, L"clFuchsia"},
                                               {clAqua, L"clAqua"},
                                               {clWhite, L"clWhite"},
                                               {clNone, L"clNone"},
                                               {clDefault, L"clDefault"},
                                               {clWindow, L"clWindow"},
                                               {clWindowText, L"clWindowText"},
                                               {clHighlight, L"clHighlight"},
                                               {clHighlightText, L"clHighlightText"},
                                               {clBtnFace, L"clBtnFace"},
                                               {clBtnShadow, L"clBtnShadow"},
                                               {clGrayText, L"clGrayText"},
                                               {clBtnText, L"clBtnText"},
                                               {clBtnHighlight, L"clBtnHighlight"},
                                               {clInfoText, L"clInfoText"},
                                               {clInfoBk, L"clInfoBk"},
                                           });
    return info;
}

const TEnumInfo& FontStyleIdents() {
    static const TEnumInfo info(L"TFontStyle", {{fsBold, L"fsBold"},
                                                {fsItalic, L"fsItalic"},
                                                {fsUnderline, L"fsUnderline"},
                                                {fsStrikeOut, L"fsStrikeOut"}});
    return info;
}

const TEnumInfo& CharsetIdents() {
    static const TEnumInfo info(L"TFontCharset", {{0, L"ANSI_CHARSET"},
                                                  {1, L"DEFAULT_CHARSET"},
                                                  {2, L"SYMBOL_CHARSET"},
                                                  {77, L"MAC_CHARSET"},
                                                  {128, L"SHIFTJIS_CHARSET"},
                                                  {129, L"HANGEUL_CHARSET"},
                                                  {130, L"JOHAB_CHARSET"},
                                                  {134, L"GB2312_CHARSET"},
                                                  {136, L"CHINESEBIG5_CHARSET"},
                                                  {161, L"GREEK_CHARSET"},
                                                  {162, L"TURKISH_CHARSET"},
                                                  {163, L"VIETNAMESE_CHARSET"},
                                                  {177, L"HEBREW_CHARSET"},
                                                  {178, L"ARABIC_CHARSET"},
                                                  {186, L"BALTIC_CHARSET"},
                                                  {204, L"RUSSIAN_CHARSET"},
                                                  {222, L"THAI_CHARSET"},
                                                  {238, L"EASTEUROPE_CHARSET"},
                                                  {255, L"OEM_CHARSET"}});
    return info;
}

const TEnumInfo& CursorIdents() {
    static const TEnumInfo info(L"TCursor", {{crDefault, L"crDefault"},
                                             {crArrow, L"crArrow"},
                                             {crIBeam, L"crIBeam"},
                                             {crHandPoint, L"crHandPoint"}});
    return info;
}

// Every font setting is stored, whatever its value, so a stored font never depends on the defaults of
// the program that reads it; the size is a view of the height and is not stored.
const TClassInfo& TFont::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFont>(L"TFont", TPersistent::StaticClass())
                                       .Integer(L"Charset", &TFont::Charset, &TFont::SetCharset)
                                       .Idents(CharsetIdents())
                                       .Color(L"Color", &TFont::Color, &TFont::SetColor)
                                       .Integer(L"Height", &TFont::Height, &TFont::SetHeight)
                                       .String(L"Name", &TFont::Name, &TFont::SetName)
                                       .Integer(L"Size", &TFont::Size, &TFont::SetSize)
                                       .NotStored()
                                       .Set(L"Style", FontStyleIdents(), &TFont::Style, &TFont::SetStyle);
    return info;
}

const TClassInfo& TFont::ClassInfo() const {
    return StaticClass();
}
