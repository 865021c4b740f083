#pragma once
// The look settings of the suite's controls, reduced to those the labelled controls use: the look kind
// and the native-style switch, and an editor style's border.
#include "graphics.h"

#include <functional>

enum TcxLookAndFeelKind : unsigned char { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
enum TcxEditBorderStyle : unsigned char {
    ebsNone,
    ebsSingle,
    ebsThick,
    ebsFlat,
    ebs3D,
    ebsUltraFlat,
    ebsOffice11
};
const TEnumInfo& LookAndFeelKindIdents();
const TEnumInfo& EditBorderStyleIdents();

// Native style on: the platform draws the control (with its theme where it has one). Off: the control
// draws itself, flat, as Kind says.
class TcxLookAndFeel : public TPersistent {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TcxLookAndFeelKind Kind() const { return FKind; }
    void SetKind(TcxLookAndFeelKind Value);
    bool NativeStyle() const { return FNativeStyle; }
    void SetNativeStyle(bool Value);

    std::function<void()> OnChanged;

private:
    void Changed() {
        if (OnChanged) OnChanged();
    }

    // The suite's application-wide defaults.
    TcxLookAndFeelKind FKind = lfUltraFlat;
    bool FNativeStyle = true;
};

// An editor's style for one state (normal or focused): its look and its border. A border colour of
// clDefault leaves the colour to the normal style, then to the look.
class TcxEditStyle : public TPersistent {
public:
    TcxEditStyle();
    TcxEditStyle(const TcxEditStyle&) = delete;
    TcxEditStyle& operator=(const TcxEditStyle&) = delete;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TcxLookAndFeel& LookAndFeel() { return FLookAndFeel; }
    const TcxLookAndFeel& LookAndFeel() const { return FLookAndFeel; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TcxEditBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TcxEditBorderStyle Value);

    // The style's font is its control's font.
    TFont& Font() { return *FFont; }
    void BindFont(TFont& Font) { FFont = &Font; }

    std::function<void()> OnChanged;

private:
    void Changed() {
        if (OnChanged) OnChanged();
    }

    TcxLookAndFeel FLookAndFeel;
    TColor FBorderColor = clDefault;
    TcxEditBorderStyle FBorderStyle = ebsSingle;
    TFont* FFont = nullptr;
};
