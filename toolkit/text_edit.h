#pragma once
// TcxTextEdit: the suite's single-line editor over the native EDIT control. Its value may be null; every
// change of the value, by the user or the program, runs DoOnChange (not while the editor is loaded from
// a layout or destroyed), which raises Properties.OnChange. Its height follows its font: one line of
// text inside the frame.
#include "custom_edit.h"

#include <optional>
#include <string>

enum TcxEditEchoMode : unsigned char { eemNormal, eemPassword };
enum TEditCharCase : unsigned char { ecNormal, ecUpperCase, ecLowerCase };
const TEnumInfo& EchoModeIdents();
const TEnumInfo& CharCaseIdents();

class TcxTextEdit;

class TcxTextEditProperties : public TPersistent {
public:
    explicit TcxTextEditProperties(TcxTextEdit& Editor) : FEditor(Editor) {}
    TcxTextEditProperties(const TcxTextEditProperties&) = delete;
    TcxTextEditProperties& operator=(const TcxTextEditProperties&) = delete;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    // Password: every character shows as '*'.
    TcxEditEchoMode EchoMode() const { return FEchoMode; }
    void SetEchoMode(TcxEditEchoMode Value);
    // Upper or lower case: typed letters are converted.
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);

    TNotifyEvent OnChange;

private:
    TcxTextEdit& FEditor;
    TcxEditEchoMode FEchoMode = eemNormal;
    TEditCharCase FCharCase = ecNormal;
    bool FReadOnly = false;
};

class TcxTextEdit : public TcxCustomEdit {
public:
    explicit TcxTextEdit(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TcxTextEditProperties& Properties() { return FProperties; }

    std::optional<std::wstring> EditValue() const { return FEditValue; }
    void SetEditValue(const std::optional<std::wstring>& Value);
    // The displayed text; setting it sets the value.
    std::wstring Text() const override;
    void SetText(const std::wstring& Value) override;

    // On: the height is that of one line of the font inside the frame, whatever SetBounds is given.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    int AutoHeight() const;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    // Runs after every change of the value; raises Properties.OnChange.
    virtual void DoOnChange();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void FontChanged() override;
    RECT TextArea(const RECT& Window) const override;

private:
    friend class TcxTextEditProperties;
    void PropertiesChanged();
    void ValueChanged();
    void ApplyCharCase();

    TcxTextEditProperties FProperties{*this};
    std::optional<std::wstring> FEditValue;
    bool FSettingText = false;
    bool FAutoSize = true;
};
