#pragma once
// TStatusBar: the native status bar at the bottom of its parent, with panels that each show a text. It
// stands for both kinds of status bar the controls look for.
#include "win_control.h"

#include <memory>
#include <string>
#include <vector>

class TStatusBar;

class TStatusPanel {
public:
    TStatusPanel(TStatusBar& Bar, int Index) : FBar(Bar), FIndex(Index) {}

    const std::wstring& Text() const { return FText; }
    void SetText(const std::wstring& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);

private:
    TStatusBar& FBar;
    int FIndex;
    std::wstring FText;
    int FWidth = 50;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar& Bar) : FBar(Bar) {}
    TStatusPanels(const TStatusPanels&) = delete;
    TStatusPanels& operator=(const TStatusPanels&) = delete;

    int Count() const { return int(FItems.size()); }
    TStatusPanel& Add();
    TStatusPanel& Items(int Index);
    void Clear();

private:
    TStatusBar& FBar;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TStatusPanels& Panels() { return FPanels; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void ParentResized() override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    void UpdateParts();
    void UpdateText(int Index);

    TStatusPanels FPanels{*this};
};
