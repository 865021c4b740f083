#pragma once
// TcxRichEdit: the suite's rich-text memo over the native RichEdit control (RICHEDIT50W). Its text is
// reached through Lines; it can be read-only, shows each scroll bar only while the text overflows that
// way, and wraps words only when Properties.WordWrap is on. Tab is not input: it moves the focus on.
#include "custom_edit.h"
#include "rich_edit_lines.h"

enum TScrollStyle : unsigned char { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleIdents();

class TcxRichEdit;

class TcxRichEditProperties : public TPersistent {
public:
    explicit TcxRichEditProperties(TcxRichEdit& Editor) : FEditor(Editor) {}
    TcxRichEditProperties(const TcxRichEditProperties&) = delete;
    TcxRichEditProperties& operator=(const TcxRichEditProperties&) = delete;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    // On (the suite's default): long lines wrap and there is no horizontal scrolling.
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

private:
    TcxRichEdit& FEditor;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
};

class TcxRichEdit : public TcxCustomEdit {
public:
    explicit TcxRichEdit(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TcxRichEditProperties& Properties() { return FProperties; }
    TRichEditLines& Lines() { return FLines; }
    void SetText(const std::wstring& Value) override;
    // Puts Value at the end of the text, in the editor's font, after a line break when the text does not
    // end with one. Needs the window.
    void AppendText(const std::wstring& Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void FontChanged() override;
    void ColorChanged() override;
    bool WantsReturn() const override { return !FProperties.ReadOnly(); }

private:
    friend class TcxRichEditProperties;
    void ApplyCharFormat();
    void RecreateWnd();

    TcxRichEditProperties FProperties{*this};
    TRichEditLines FLines{*this};
};
