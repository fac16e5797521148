// Cool bars over the native ReBarWindow32 class: bands the user can drag, resize and break into
// rows, each holding one control (a tool bar, an edit, ...).
//
// Classes in this file:
//   TCoolBand   one band: the control it holds, text, width, minimum sizes, a new row (Break),
//               fixed size, visibility, colour and image
//   TCoolBands  the collection of bands (`Bands`, stored as `< item Control = ToolBar1 ... end >`)
//   TCoolBar    the bar
//
// A band's control is placed in the bar (its Parent becomes the bar) and forgotten when it is
// freed. The bands live in the collection and are written into each new window; what the user
// changes (order, widths, rows) is read back into them, so a re-created window shows the bands as
// the user left them. With AutoSize the bar takes the height of its rows.
#pragma once

#include "framework/base/collection.h"
#include "framework/controls/win_control.h"

#include <memory>
#include <string>

namespace orvo {

class TCoolBar;
class TImageList;

class TCoolBand : public TCollectionItem {
    ORVO_CLASS(TCoolBand, TCollectionItem)
public:
    TCoolBand() = default;

    // A control of the bar's owner form (its Parent becomes the bar); null for an empty band.
    TWinControl* Control() const noexcept { return FControl; }
    void SetControl(TWinControl* control);
    const std::wstring& Text() const noexcept { return FText; }
    void SetText(const std::wstring& text);
    // The band's width (the user may change it).
    int Width() const noexcept { return FWidth.At(CollectionItemDpi(*this)); }
    void SetWidth(int width);
    int MinWidth() const noexcept { return FMinWidth.At(CollectionItemDpi(*this)); }
    void SetMinWidth(int width);
    int MinHeight() const noexcept { return FMinHeight.At(CollectionItemDpi(*this)); }
    void SetMinHeight(int height);
    // The band starts a new row.
    bool Break() const noexcept { return FBreak; }
    void SetBreak(bool value);
    // The user cannot resize it.
    bool FixedSize() const noexcept { return FFixedSize; }
    void SetFixedSize(bool value);
    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool value);
    // The band's background; ParentColor: the bar's.
    TColor Color() const noexcept { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const noexcept { return FParentColor; }
    void SetParentColor(bool value);
    // In the bar's Images; -1 for none.
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);

    std::wstring DisplayName() const override;
    static void Publish(TPublisher<TCoolBand>& p);

private:
    friend class TCoolBar;
    TCoolBar* Bar() const;

    TWinControl* FControl = nullptr;
    std::wstring FText;
    TScaledLength FWidth{100};
    TScaledLength FMinWidth{0};
    TScaledLength FMinHeight{25};
    bool FBreak = true;
    bool FFixedSize = false;
    bool FVisible = true;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    int FImageIndex = -1;
};

class TCoolBands : public TCollection {
    ORVO_CLASS(TCoolBands, TCollection)
public:
    explicit TCoolBands(TCoolBar* bar);

    TCoolBand* Add() { return static_cast<TCoolBand*>(TCollection::Add()); }
    TCoolBand* Items(int index) const { return static_cast<TCoolBand*>(TCollection::Items(index)); }
    TCoolBar* Bar() const noexcept { return FBar; }
    // The band holding a control, null for none.
    TCoolBand* FindBand(const TControl* control) const;

protected:
    void Update(TCollectionItem* item) override;

private:
    TCoolBar* FBar;
};

class TCoolBar : public TWinControl {
    ORVO_CLASS(TCoolBar, TWinControl)
public:
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;

    TCoolBands* Bands() const noexcept { return FBands.get(); }
    TImageList* Images() const noexcept { return FImages; }
    void SetImages(TImageList* images);
    // The bar's height follows its rows.
    bool AutoSize() const noexcept { return FAutoSize; }
    void SetAutoSize(bool value);
    // The user cannot move bands to other places.
    bool FixedOrder() const noexcept { return FFixedOrder; }
    void SetFixedOrder(bool value);
    // The bands' texts are shown.
    bool ShowText() const noexcept { return FShowText; }
    void SetShowText(bool value);
    // The height of the rows, as the native control lays them out.
    int RowsHeight();

    // The user moved or resized a band.
    TNotifyEvent OnChange;

    static void Publish(TPublisher<TCoolBar>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    friend class TCoolBand;
    friend class TCoolBands;
    void BandsChanged(TCoolBand* band);
    void WriteBand(int index, bool insert);
    void WriteAllBands();
    // What the user changed, back into the bands.
    void ReadBands();
    void ControlChanged(TCoolBand* band, TWinControl* previous);
    void FitHeight();

    std::unique_ptr<TCoolBands> FBands;
    TImageList* FImages = nullptr;
    bool FAutoSize = false;
    bool FFixedOrder = false;
    bool FShowText = true;
    bool FWriting = false;
};

} // namespace orvo
