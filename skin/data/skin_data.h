// TSkinData: the skin component placed on the main form. It keeps the skin store (read from the
// stored form's SkinStream data, or from a .skn file named by SkinFile), unpacks it into element
// definitions and colours when the form is read, builds the derived images, captures the caption
// font and the application icon, and hands itself to the skin manager, which skins the windows.
//
// Everything the drawing code needs is read from here: the element definitions (by their INI
// section names), the colours, ButtonFaceBrush, FrameSample, CaptionFont, AppIcon, MenuGlyphs.
#pragma once

#include "framework/base/component.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/image_list.h"
#include "framework/base/string_list.h"
#include "skin/data/skin_definitions.h"
#include "skin/data/skin_types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TControl;
class THintWindow;
class TStream;
class TSkinData;
class TSkinManagerLink;

// Veto per window class: DoSkin comes in with the manager's answer and may be changed.
using TFormSkinEvent = std::function<void(TObject* Sender, const std::wstring& aName, bool& DoSkin)>;
// Lets the program supply the skin object of a control (SkinnedControl).
using TSkinControlEvent =
    std::function<void(TComponent* Sender, TSkinData* SkinData, TControl* Form, TControl* Control,
                       const std::wstring& ControlClass, TComponent*& SkinnedControl)>;
// Before and after a window is skinned.
using TSkinFormNotifyEvent = std::function<void(TObject* Sender, HWND ahwnd, const std::wstring& aName)>;

class TSkinData : public TComponent {
    ORVO_CLASS(TSkinData, TComponent)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    static void Publish(TPublisher<TSkinData>& p);

    // Published properties.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    std::int32_t DisableTag() const { return FDisableTag; }
    void SetDisableTag(std::int32_t tag) { FDisableTag = tag; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes controls) { FSkinControls = controls; }
    TSkinOptions Options() const { return FOptions; }
    void SetOptions(TSkinOptions options) { FOptions = options; }
    // Lines ClassName=kind: controls of other libraries skinned like a standard kind.
    TStringList* Skin3rd() const { return FSkin3rd.get(); }
    void SetSkin3rd(TStringList* lines);
    const std::wstring& SkinFile() const { return FSkinFile; }
    // At run time an existing file replaces the skin store and is loaded at once.
    void SetSkinFile(const std::wstring& path);
    // "(Good)" when a store is held, else "(none)".
    std::wstring SkinStore() const;
    TSkinFormType SkinFormtype() const { return FSkinFormtype; }
    void SetSkinFormtype(TSkinFormType type) { FSkinFormtype = type; }
    static constexpr const wchar_t* Version() { return L"5.60.03.29"; }
    bool MenuUpdate() const { return FMenuUpdate; }
    void SetMenuUpdate(bool value) { FMenuUpdate = value; }
    bool MenuMerge() const { return FMenuMerge; }
    void SetMenuMerge(bool value) { FMenuMerge = value; }

    TFormSkinEvent OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TSkinControlEvent OnSkinControl;
    TSkinFormNotifyEvent OnBeforeSkinForm;
    TSkinFormNotifyEvent OnAfterSkinForm;

    // The SkinStream data: a 32-bit little-endian length, then that many bytes of skin store.
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream);

    // Unpacks the skin store into the definitions. True when a skin was loaded; otherwise NoSkin
    // stays set, LoadError() says why, and a failure before the archive was read changes nothing.
    bool LoadSkin();
    // Asks the manager to apply a changed skin to the windows it skins.
    void RefreshSkin();
    // After the whole form has been read: scroll-bar support, manager, caption font, menus, icon.
    void AfterFormLoad();
    void Loaded() override;

    // Decides whether a window of class `className` is skinned; DoSkin comes in with the answer so far.
    void FormVeto(HWND window, const std::wstring& className, bool& doSkin);
    // The window FormVeto was last asked about.
    HWND VetoWindow() const { return FVetoWindow; }
    // Fires OnSkinChanged.
    void SkinChanged();
    // The hint of a caption button at the rectangle's top-left (screen coordinates), once until hidden.
    void ShowCaptionHint(const RECT& r, const std::wstring& text);
    void HideCaptionHint();
    bool CaptionHintShowing() const { return FHintShowing; }
    THintWindow& HintWindow() { return *FHintWindow; }
    // Milliseconds the mouse has rested on a caption button (kept by the form skins).
    int CaptionHintCounter = 0;

    // The loaded skin.
    bool NoSkin() const { return FNoSkin; }
    const std::wstring& LoadError() const { return FLoadError; }
    const std::vector<std::uint8_t>& StoreStream() const { return FStore; }
    // Replaces the skin store (a .skn file's content) without loading it.
    void SetStoreStream(std::vector<std::uint8_t> store) { FStore = std::move(store); }
    const std::wstring& SkinName() const { return FSkin.SkinName; }

    TDataSkinBorder& Left() { return FSkin.Left; }
    TDataSkinBorder& Right() { return FSkin.Right; }
    TDataSkinBorder& Top() { return FSkin.Top; }
    TDataSkinBorder& Bottom() { return FSkin.Bottom; }
    TDataSkinTitle& Title() { return FSkin.Title; }
    TDataSkinButton& Buttons() { return FSkin.Buttons; }
    // The skin's caption buttons, then those of a maximised MDI child (actions 7, 8, 9).
    const std::vector<std::unique_ptr<TDataSkinSysButton>>& SysButtons() const { return FSkin.SysButtons; }
    // Any optional element; null when the skin lacks it.
    TDataSkinObject* Element(TSkinElement element) const { return FSkin.Element(element); }

    TDataSkinBorder* Progress() const { return Border(TSkinElement::Progress); }
    TDataSkinObject* ProgressChunk() const { return Element(TSkinElement::ProgressChunk); }
    TDataSkinObject* MenuBar() const { return Element(TSkinElement::MenuBar); }
    TDataSkinObject* GroupBoxEdge() const { return Element(TSkinElement::GroupBoxEdge); }
    TDataSkinBoxLabel* GroupBox() const {
        return static_cast<TDataSkinBoxLabel*>(Element(TSkinElement::GroupBox));
    }
    TDataSkinBorder* Tabs() const { return Border(TSkinElement::Tabs); }
    TDataSkinObject* StatusBarEdges() const { return Element(TSkinElement::StatusBarEdges); }
    TDataSkinObject* TabPane() const { return Element(TSkinElement::TabPane); }
    TDataSkinObject* ToolBars() const { return Element(TSkinElement::ToolBars); }
    TDataSkinBorder* ComboButton() const { return Border(TSkinElement::ComboButton); }
    TDataSkinObject* SunkEdge() const { return Element(TSkinElement::SunkEdge); }
    TDataSkinObject* ExtraImages() const { return Element(TSkinElement::ExtraImages); }
    TDataSkinObject* Headerbar() const { return Element(TSkinElement::Headerbar); }
    TDataSkinObject* MenuItem() const { return Element(TSkinElement::MenuItem); }
    TDataSkinObject* MenuBackground() const { return Element(TSkinElement::MenuBackground); }
    TDataSkinObject* Scrollbar() const { return Element(TSkinElement::Scrollbar); }
    TDataSkinObject* HorzScroll() const { return Element(TSkinElement::HorzScroll); }
    TDataSkinObject* VertScroll() const { return Element(TSkinElement::VertScroll); }
    TDataSkinObject* HorzScrollThumb() const { return Element(TSkinElement::HorzScrollThumb); }
    TDataSkinObject* VertScrollThumb() const { return Element(TSkinElement::VertScrollThumb); }
    TDataSkinBorder* UpDownHorz() const { return Border(TSkinElement::UpDownHorz); }
    TDataSkinBorder* UpDownVert() const { return Border(TSkinElement::UpDownVert); }
    TDataSkinObject* Track() const { return Element(TSkinElement::Track); }
    TDataSkinObject* TrackVert() const { return Element(TSkinElement::TrackVert); }
    TDataSkinObject* ComboxArrow() const { return Element(TSkinElement::ComboxArrow); }
    TDataSkinObject* Toolbar() const { return Element(TSkinElement::Toolbar); }

    const TSkinColours& Colours() const { return FSkin.Colours; }
    TColor Colour(TSkinColourIndex index) const { return FSkin.Colours[index]; }
    HBRUSH ButtonFaceBrush() const { return FButtonFaceBrush.Get(); }
    // A solid brush of the Window colour (edits and lists), made with each load like the face's.
    HBRUSH WindowBrush() const { return FWindowBrush.Get(); }
    TColor FrameSample() const { return FSkin.FrameSample; }

    // The platform's caption font, taken when the form has been read.
    TFont& CaptionFont() { return FCaptionFont; }
    // The application's small icon on magenta (transparent); empty without an icon.
    TBitmap& AppIcon() { return FAppIcon; }
    // 16 x 16 menu glyphs: 0 restore, 1 maximise, 2 minimise, 3 close.
    TImageList& MenuGlyphs() { return *FMenuGlyphs; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }

private:
    TDataSkinBorder* Border(TSkinElement element) const {
        return static_cast<TDataSkinBorder*>(Element(element));
    }
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Reading() const { return ComponentState().Contains(csReading); }
    bool LoadStoreFile(const std::wstring& path);
    void CaptureCaptionFont();
    HWND OwnerFormWindow() const;
    static HWND ApplicationWindow();

    bool FActive = false;
    std::int32_t FDisableTag = 99;
    TSkinControlTypes FSkinControls = DefaultSkinControls;
    TSkinOptions FOptions = DefaultSkinOptions;
    std::unique_ptr<TStringList> FSkin3rd;
    std::wstring FSkinFile;
    TSkinFormType FSkinFormtype = sfMainform;
    bool FMenuUpdate = true;
    bool FMenuMerge = false;

    std::vector<std::uint8_t> FStore;
    bool FNoSkin = true;
    std::wstring FLoadError;
    TSkinDefinitions FSkin;
    TBrushHandle FButtonFaceBrush;
    TBrushHandle FWindowBrush;
    TFont FCaptionFont;
    TBitmap FAppIcon;
    std::unique_ptr<TImageList> FMenuGlyphs;
    std::unique_ptr<THintWindow> FHintWindow;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
    HWND FVetoWindow = nullptr;
    bool FHintShowing = false;
    TSkinManagerLink* FRegisteredWith = nullptr;
};

} // namespace orvo
