#include "skin/data/skin_data.h"

#include "framework/forms/hint_window.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"
#include "skin/data/skin_load_steps.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_third_party.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinData);

namespace {

void LoadMenuGlyphs(TImageList& glyphs) {
    TBitmap strip;
    LoadSkinResource(strip, L"MENUGLYPHS");
    if (!strip.Empty()) glyphs.AddMasked(strip, clWhite);
}

} // namespace

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner), TSkinElementAccess(FSkin), FSkin3rd(std::make_unique<TStringList>()),
      FMenuGlyphs(std::make_unique<TImageList>(nullptr)),
      FHintWindow(std::make_unique<THintWindow>(nullptr)) {
    const auto& lines = BuiltInSkin3rd();
    FSkin3rd->SetStrings(std::vector<std::wstring>(lines.begin(), lines.end()));
    FAppIcon.SetPixelFormat(pf24bit);
    LoadMenuGlyphs(*FMenuGlyphs);
    FMaxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    FMaxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
}

TSkinData::~TSkinData() {
    HideCaptionHint();
    if (TSkinManagerLink* manager = SkinManagerLink(); manager && manager == FRegisteredWith)
        manager->UnregisterSkinData(this);
}

void TSkinData::Publish(TPublisher<TSkinData>& p) {
    p.Boolean(L"Active", &TSkinData::Active, &TSkinData::SetActive);
    p.Integer(L"DisableTag", &TSkinData::FDisableTag, &TSkinData::FDisableTag);
    p.Set(L"SkinControls", SkinControlTypeType(), &TSkinData::FSkinControls, &TSkinData::FSkinControls);
    p.Set(L"Options", SkinOptionType(), &TSkinData::FOptions, &TSkinData::FOptions);
    p.Object(L"Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd);
    p.String(L"SkinFile", &TSkinData::FSkinFile, &TSkinData::SetSkinFile);
    // Shown by a designer; writing either has no effect.
    p.String(L"SkinStore", &TSkinData::SkinStore, [](TSkinData&, const std::wstring&) {});
    p.Enum(L"SkinFormtype", SkinFormTypeType(), &TSkinData::FSkinFormtype, &TSkinData::FSkinFormtype);
    p.String(
        L"Version", [](TSkinData&) { return std::wstring(Version()); },
        [](TSkinData&, const std::wstring&) {});
    p.Boolean(L"MenuUpdate", &TSkinData::FMenuUpdate, &TSkinData::FMenuUpdate);
    p.Boolean(L"MenuMerge", &TSkinData::FMenuMerge, &TSkinData::FMenuMerge);
    p.Event(L"OnFormSkin", &TSkinData::OnFormSkin);
    p.Event(L"OnSkinChanged", &TSkinData::OnSkinChanged);
    p.Event(L"OnSkinControl", &TSkinData::OnSkinControl);
    p.Event(L"OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm);
    p.Event(L"OnAfterSkinForm", &TSkinData::OnAfterSkinForm);
    p.Binary(L"SkinStream", &TSkinData::ReadSkinStream, &TSkinData::WriteSkinStream);
}

void TSkinData::SetSkin3rd(TStringList* lines) {
    if (lines)
        FSkin3rd->Assign(lines);
    else
        FSkin3rd->Clear();
}

std::wstring TSkinData::SkinStore() const {
    return FStore.empty() ? L"(none)" : L"(Good)";
}

void TSkinData::ReadSkinStream(TStream& stream) {
    FStore.clear();
    std::int32_t size = 0;
    if (stream.Read(&size, 4) != 4 || size <= 0) return;
    // A length beyond the data is a damaged store: no skin rather than a wrong one.
    if (size > stream.Size() - stream.Position()) return;
    FStore.resize(static_cast<std::size_t>(size));
    stream.ReadBuffer(FStore.data(), size);
    if (!Designing()) LoadSkin();
}

void TSkinData::WriteSkinStream(TStream& stream) {
    const auto size = static_cast<std::int32_t>(FStore.size());
    stream.WriteBuffer(&size, 4);
    if (size > 0) stream.WriteBuffer(FStore.data(), size);
}

void TSkinData::SetActive(bool value) {
    if (value == FActive) return;
    FActive = value;
    if (Designing() || Reading()) return;
    if (FSkinFormtype != sfMainform && FSkinFormtype != sfOnlyThisForm) return;
    if (FSkinFormtype == sfMainform && value && FNoSkin) return; // nothing to switch on with
    TSkinManagerLink* manager = EnsureSkinManager();
    if (!manager) return;
    if (FSkinFormtype == sfMainform) {
        manager->SetPendingSkinData(this);
        manager->RequestAction(value ? TSkinAction::SwitchOn : TSkinAction::SwitchOff, 250);
        if (value) manager->SetState(TSkinManagerState::Running);
        return;
    }
    manager->SetPendingSkinData(this);
    if (value && FNoSkin) return;
    manager->RequestAction(value ? TSkinAction::SwitchOn : TSkinAction::SwitchOff, 250);
}

void TSkinData::RefreshSkin() {
    if (Designing() || Reading()) return;
    if (!SkinManagerLink()) AfterFormLoad();
    TSkinManagerLink* manager = SkinManagerLink();
    if (!manager) return; // no manager in this program: nothing is skinned that could be refreshed
    manager->SetPendingSkinData(this);
    manager->ReleaseFormButtons();
    if (manager->State() == TSkinManagerState::Running) manager->RequestAction(TSkinAction::Refresh, 250);
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    AfterFormLoad();
}

void TSkinData::FormVeto(HWND window, const std::wstring& className, bool& doSkin) {
    FVetoWindow = window;
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == L"SysMonthCal32" ||
        (FSkinControls.Contains(xcFastReport) && className.starts_with(L"Tfr")))
        doSkin = false;
}

void TSkinData::SkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

} // namespace orvo
