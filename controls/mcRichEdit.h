#pragma once
// TmcRichEdit: the labelled rich-text editor. A caption label beside it, a red caption while focused,
// Enter as a move to the next field when EnterTab is on, and the record-change marker.
#include "mcCaptionPlacement.h"
#include "toolkit/label.h"
#include "toolkit/rich_edit.h"

class TmcRichEdit : public TcxRichEdit {
public:
    explicit TmcRichEdit(TComponent* AOwner);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetupInternalLabel();

    // Published properties; the setters are public as C++ has no property syntax.
    TBoundLabel* AutoLabel() const { return FLabel; }
    TLabelPosition AutoLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    bool EnterTab() const { return FEnterTab; }
    void SetEnterTab(bool Value) { FEnterTab = Value; }
    int AutoLabelSpacing() const { return FLabelSpacing; }
    void SetLabelSpacing(int Value);
    bool AutoLabelSempreEnabled() const { return FLabelSempreEnabled; }
    void SetLabelSempreEnabled(bool Value);
    bool AltCad() const { return FAltCad; }
    void SetAltCad(bool Value);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetName(const std::wstring& Value) override;
    void SetParent(TWinControl* AParent) override;
    void CMDialogKey(TMessage& Message) override;
    void CMVisiblechanged(TMessage& Message) override;
    void CMEnabledchanged(TMessage& Message) override;
    void CMBidimodechanged(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

private:
    void AtualizaLabelEnabled();

    TBoundLabel* FLabel = nullptr;
    TLabelPosition FLabelPosition = lpAbove;
    int FLabelSpacing = 0;
    bool FLabelSempreEnabled = false;
    bool FEnterTab = false;
    bool FAltCad = false;
};
