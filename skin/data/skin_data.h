// TSkinData: the skin component placed on the main form. It keeps the skin store (read from the
// stored form's SkinStream data, or from a .skn file named by SkinFile), unpacks it into element
// definitions and colours when the form is read, builds the derived images, captures the caption
// font and the application icon, and hands itself to the skin manager, which skins the windows.
//
// Everything the drawing code needs is read from here: the element definitions (by their INI
// section names), the colours, ButtonFaceBrush, FrameSample, CaptionFont, AppIcon, MenuGlyphs;
// and the same definitions at any DPI through AtDpi.
#pragma once

#include "framework/base/component.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/image_list.h"
#include "framework/base/string_list.h"
#include "skin/data/skin_definitions.h"
#include "skin/data/skin_element_access.h"
#include "skin/data/skin_scale_source.h"
#include "skin/data/skin_scaled.h"
#include "skin/data/skin_types.h"

#include <cstdint>
#include <functional>
#include <map>
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

class TSkinData : public TComponent, public TSkinElementAccess {
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

    // The loaded skin's definitions are read through the accessors of TSkinElementAccess
    // (Left(), Buttons(), MenuBar(), ..., Colours(), FrameSample()): the skin as designed, at 96 DPI.

    // The skin at a window's DPI (skin_scaled.h). At 96 the definitions above themselves, the same
    // objects; at another DPI scaled definitions, made on first use and kept until the next load
    // or the component's end (so never keep the reference across a skin change: ask again after
    // OnSkinChanged). A DPI of 0 or less is 96; DPIs are kept within 48 to 960.
    TScaledSkin& AtDpi(int dpi);
    // The scales (percent) the store has images for, ascending; empty for a store without them.
    std::vector<int> StoreScales() const { return FScaleSource.Percents(); }
    // For each image of the skin that has images for other scales that fit it: its entry and
    // those scales, in load order.
    std::vector<std::pair<std::string, std::vector<int>>> ImageScales();
    HBRUSH ButtonFaceBrush() const { return FButtonFaceBrush.Get(); }
    // A solid brush of the Window colour (edits and lists), made with each load like the face's.
    HBRUSH WindowBrush() const { return FWindowBrush.Get(); }

    // The platform's caption font, taken when the form has been read.
    TFont& CaptionFont() { return FCaptionFont; }
    // The application's small icon on magenta (transparent); empty without an icon.
    TBitmap& AppIcon() { return FAppIcon; }
    // 16 x 16 menu glyphs: 0 restore, 1 maximise, 2 minimise, 3 close.
    TImageList& MenuGlyphs() { return *FMenuGlyphs; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }

private:
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
    TScaledSkin FDesigned{FSkin};
    std::map<int, std::unique_ptr<TScaledSkin>> FScaled;
    TSkinScaleSource FScaleSource;
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
