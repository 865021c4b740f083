#pragma once
// Plain graphics values: colours, fonts, cursors. Turning them into GDI objects is the controls' business.
#include "component.h"

#include <cstdint>
#include <functional>
#include <string>

class TEnumInfo;

// A 32-bit colour: plain RGB with red in the lowest byte, or, under a highest byte of 0xFF, the index of a
// system colour in the lowest byte.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080; // 8421504
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clWindow = clSystemColor | 5;         // COLOR_WINDOW
constexpr TColor clWindowText = clSystemColor | 8;     // COLOR_WINDOWTEXT
constexpr TColor clHighlight = clSystemColor | 13;     // COLOR_HIGHLIGHT
constexpr TColor clHighlightText = clSystemColor | 14; // COLOR_HIGHLIGHTTEXT
constexpr TColor clBtnFace = clSystemColor | 15;       // COLOR_BTNFACE
constexpr TColor clBtnShadow = clSystemColor | 16;     // COLOR_BTNSHADOW
constexpr TColor clGrayText = clSystemColor | 17;      // COLOR_GRAYTEXT
constexpr TColor clBtnText = clSystemColor | 18;       // COLOR_BTNTEXT
constexpr TColor clBtnHighlight = clSystemColor | 20;  // COLOR_BTNHIGHLIGHT
constexpr TColor clInfoText = clSystemColor | 23;      // COLOR_INFOTEXT
constexpr TColor clInfoBk = clSystemColor | 24;        // COLOR_INFOBK

inline bool IsSystemColor(TColor c) {
    return (c & 0xFF000000) == clSystemColor;
}

// The colour names that stored layouts use in place of numbers.
const TEnumInfo& ColorIdents();

// Cursor numbers.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHandPoint = -21;
// Their names in stored layouts (Cursor = crHandPoint).
const TEnumInfo& CursorIdents();

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
const TEnumInfo& FontStyleIdents();

// Names of the fonts' character set numbers in stored layouts (DEFAULT_CHARSET is 1).
const TEnumInfo& CharsetIdents();

// A font as a value: name, size in points, height in pixels (negative: character height without the
// internal leading), style and colour. Size and height are two views of one number at PixelsPerInch:
// layouts store the height, which does not depend on the resolution's rounding.
class TFont : public TPersistent {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    const std::wstring& Name() const { return FName; }
    void SetName(const std::wstring& Value) { Update(FName, Value); }

    int Size() const;
    void SetSize(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value) { Update(FHeight, Value); }

    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value) { Update(FStyle, Value); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Update(FColor, Value); }

    int Charset() const { return FCharset; }
    void SetCharset(int Value) { Update(FCharset, Value); }

    // The resolution at which Size and Height convert into each other (96 until the window scales).
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }

    // Copies every setting of Source, with one change notice.
    void Assign(const TFont& Source);
    bool SameAs(const TFont& Other) const;

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange) OnChange();
    }
    // Stores Value and tells OnChange, only when it differs.
    template <class T, class V> void Update(T& Field, const V& Value) {
        if (Field == Value) return;
        Field = Value;
        Changed();
    }

    std::wstring FName = L"Tahoma";
    int FHeight = -11; // 8 pt at 96 pixels per inch
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = 1; // DEFAULT_CHARSET
    int FPixelsPerInch = 96;
};
