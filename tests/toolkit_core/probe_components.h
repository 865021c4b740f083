#pragma once
// Small components for the tests of the component framework: every setter, name, parent and Loaded()
// call is written to one log with the component's loading state, so a test sees the order of events.
#include "toolkit/component.h"
#include "toolkit/events.h"
#include "toolkit/graphics.h"
#include "toolkit/published.h"

#include <string>
#include <vector>

std::vector<std::wstring>& ProbeLog();
// Appends "<name>.<what>", with " (loading)" while the component is loading.
void Note(const TComponent& Component, const std::wstring& What);

enum TProbeKind { pkNone, pkOne, pkTwo };
const TEnumInfo& ProbeKindIdents();

// Plays the caption label: a sub-component with a caption, a width, a font and a click event.
class TProbeLabel : public TComponent {
public:
    explicit TProbeLabel(TComponent* AOwner) : TComponent(AOwner) {}
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value) { FParentFont = Value; }
    TFont& Font() { return FFont; }
    void Loaded() override;

    TNotifyEvent OnClick;

private:
    std::wstring FCaption;
    int FWidth = 0;
    bool FParentFont = true;
    TFont FFont;
};

// Plays a control: a parent, every kind of published property, a sub-component and two events.
class TProbe : public TComponent {
public:
    explicit TProbe(TComponent* AOwner);
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void SetName(const std::wstring& Value) override;
    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override { return FParent; }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    int Left() const { return FLeft; }
    void SetLeft(int Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value); // raises Exception for a negative width
    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TProbeKind Kind() const { return FKind; }
    void SetKind(TProbeKind Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Count() const { return 7; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value) { FParentFont = Value; }
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    TProbeLabel* AutoLabel() const { return FLabel; }

    TNotifyEvent OnClick;
    TKeyEvent OnKeyDown;
    bool Flag = false;

private:
    TComponent* FParent = nullptr;
    int FLeft = 0;
    int FWidth = 0;
    std::wstring FCaption;
    bool FVisible = true;
    TProbeKind FKind = pkOne;
    TFontStyles FStyle = 0;
    TColor FColor = clWindow;
    bool FParentFont = true;
    TFont FFont;
    TProbeLabel* FLabel = nullptr;
};

// A derived class: one property of its own, and Width declared again with another default.
class TProbeEx : public TProbe {
public:
    explicit TProbeEx(TComponent* AOwner) : TProbe(AOwner) { SetWidth(100); }
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    std::wstring Extra;
};

// Registered, but abstract: a layout cannot create it.
class TAbstractProbe : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
    virtual void Act() = 0;
};

// Plays a form: the root of layouts, with handlers and component fields.
class TProbeForm : public TComponent {
public:
    TProbeForm() : TComponent(nullptr) {}
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
    void Loaded() override;

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TFont& Font() { return FFont; }

    void ButtonClick(TObject* Sender);
    void KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

    TProbe* edtFirst = nullptr;
    TProbe* pnlBox = nullptr;
    TProbeLabel* lblWrong = nullptr;
    std::vector<std::wstring> Calls;

private:
    std::wstring FCaption;
    TColor FColor = clBtnFace;
    TFont FFont;
};

// Registers the probe classes once.
void RegisterProbeClasses();
