// Status bars: the common controls' status bar (msctls_statusbar32) along the bottom of its
// parent, following the parent's width. It shows either Panels, a collection of TStatusPanel
// (each with Text, Width, Bevel, Alignment, BiDiMode, and Style: psText drawn by the control,
// psOwnerDraw drawn by OnDrawPanel on Canvas), or with SimplePanel one panel of SimpleText.
// SizeGrip gives it the grip in its bottom-right corner. Every property lives in the object and
// is put into each new window (RecreateWnd keeps it all).
#pragma once

#include "framework/base/collection.h"
#include "framework/controls/win_control.h"

#include <functional>
#include <memory>

namespace orvo {

class TStatusBar;
class TControlCanvas;

enum TStatusPanelBevel : std::uint8_t { pbNone, pbLowered, pbRaised };
const TEnumType& StatusPanelBevelType();
enum TStatusPanelStyle : std::uint8_t { psText, psOwnerDraw };
const TEnumType& StatusPanelStyleType();

class TStatusPanel : public TCollectionItem {
    ORVO_CLASS(TStatusPanel, TCollectionItem)
public:
    const std::wstring& Text() const noexcept { return FText; }
    void SetText(const std::wstring& text);
    // Pixels at the bar's DPI; the last panel reaches to the bar's right edge whatever its width.
    int Width() const noexcept { return FWidth.At(CollectionItemDpi(*this)); }
    void SetWidth(int width);
    TStatusPanelBevel Bevel() const noexcept { return FBevel; }
    void SetBevel(TStatusPanelBevel bevel);
    TAlignment Alignment() const noexcept { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelStyle Style() const noexcept { return FStyle; }
    void SetStyle(TStatusPanelStyle style);
    TBiDiMode BiDiMode() const noexcept { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode);

    std::wstring DisplayName() const override;
    static void Publish(TPublisher<TStatusPanel>& p);

private:
    std::wstring FText;
    TScaledLength FWidth{50};
    TStatusPanelBevel FBevel = pbLowered;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelStyle FStyle = psText;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

class TStatusPanels : public TCollection {
    ORVO_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* bar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Insert(int index) { return static_cast<TStatusPanel*>(TCollection::Insert(index)); }
    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
    TStatusPanel* operator[](int index) const { return Items(index); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TStatusBar* FBar;
};

// Draws an owner-drawn panel: the panel's area `rect` on StatusBar->Canvas().
using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

class TStatusBar : public TWinControl {
    ORVO_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() noexcept { return &FPanels; }
    void SetPanels(TStatusPanels* panels);
    bool SimplePanel() const noexcept { return FSimplePanel; }
    void SetSimplePanel(bool value);
    const std::wstring& SimpleText() const noexcept { return FSimpleText; }
    void SetSimpleText(const std::wstring& text);
    bool SizeGrip() const noexcept { return FSizeGrip; }
    void SetSizeGrip(bool value);

    // The canvas OnDrawPanel draws on.
    TCanvas* Canvas();
    // The area of panel `index` in client coordinates as the window reports it; empty without a
    // window or for a panel it does not show.
    RECT PanelRect(int index);

    TDrawPanelEvent OnDrawPanel;

    static void Publish(TPublisher<TStatusBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void ChangeScale(int oldDpi, int newDpi) override;
    // Draws an owner-drawn panel (the default asks OnDrawPanel).
    virtual void DrawPanel(TStatusPanel* panel, const RECT& rect);

private:
    friend class TStatusPanels;
    // Puts the panels (or the simple panel) into the window.
    void UpdatePanels();
    void UpdatePanel(int index);
    void UpdateSimpleText();
    void FollowParent();
    void DrawItem(const DRAWITEMSTRUCT& item);

    TStatusPanels FPanels{this};
    bool FSimplePanel = false;
    std::wstring FSimpleText;
    bool FSizeGrip = true;
    std::unique_ptr<TControlCanvas> FCanvas;
};

} // namespace orvo
