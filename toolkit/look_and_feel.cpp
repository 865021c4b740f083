#include "look_and_feel.h"

#include "published.h"

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    Changed();
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
    if (FNativeStyle == Value) return;
    FNativeStyle = Value;
    Changed();
}

TcxEditStyle::TcxEditStyle() {
    FLookAndFeel.OnChanged = [this] { Changed(); };
}

void TcxEditStyle::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Changed();
}

void TcxEditStyle::SetBorderStyle(TcxEditBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    Changed();
}

const TEnumInfo& LookAndFeelKindIdents() {
    static const TEnumInfo info(L"TcxLookAndFeelKind", {{lfFlat, L"lfFlat"},
                                                        {lfStandard, L"lfStandard"},
                                                        {lfUltraFlat, L"lfUltraFlat"},
                                                        {lfOffice11, L"lfOffice11"}});
    return info;
}

const TEnumInfo& EditBorderStyleIdents() {
    static const TEnumInfo info(L"TcxEditBorderStyle", {{ebsNone, L"ebsNone"},
                                                        {ebsSingle, L"ebsSingle"},
                                                        {ebsThick, L"ebsThick"},
                                                        {ebsFlat, L"ebsFlat"},
                                                        {ebs3D, L"ebs3D"},
                                                        {ebsUltraFlat, L"ebsUltraFlat"},
                                                        {ebsOffice11, L"ebsOffice11"}});
    return info;
}

const TClassInfo& TcxLookAndFeel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxLookAndFeel>(L"TcxLookAndFeel", TPersistent::StaticClass())
            .Enum(L"Kind", LookAndFeelKindIdents(), &TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind,
                  lfUltraFlat)
            .Boolean(L"NativeStyle", &TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle, true);
    return info;
}

const TClassInfo& TcxLookAndFeel::ClassInfo() const {
    return StaticClass();
}

const TClassInfo& TcxEditStyle::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxEditStyle>(L"TcxEditStyle", TPersistent::StaticClass())
            .Color(L"BorderColor", &TcxEditStyle::BorderColor, &TcxEditStyle::SetBorderColor, clDefault)
            .Enum(L"BorderStyle", EditBorderStyleIdents(), &TcxEditStyle::BorderStyle,
                  &TcxEditStyle::SetBorderStyle, ebsSingle)
            .Object(L"LookAndFeel", [](TcxEditStyle& s) -> TcxLookAndFeel& { return s.LookAndFeel(); });
    return info;
}

const TClassInfo& TcxEditStyle::ClassInfo() const {
    return StaticClass();
}
