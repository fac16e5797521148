// The skin component: its stored settings, the default skin read from a stored form through the
// program's resources, loading another skin from a file, refused and hostile stores, and what it
// asks of the skin manager.
#include "tests/skin/data/skin_test_store.h"

#include "framework/forms/application.h"
#include "framework/forms/form_reader.h"
#include "framework/forms/forms.h"
#include "framework/forms/hint_window.h"
#include "tests/skin/data/skin_test_host.h"
#include "framework/base/prop_access.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"
#include "skin/data/skin_manager_link.h"
#include "skin/data/skin_message.h"
#include "tests/framework/support/gdi_count.h"

#include <gmock/gmock.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace orvo {

namespace test {
namespace {

using ::testing::ElementsAre;

TEST(SkinData, ConstructionDefaults) {
    TSkinData data(nullptr);
    EXPECT_TRUE(data.NoSkin());
    EXPECT_FALSE(data.Active());
    EXPECT_EQ(data.DisableTag(), 99);
    EXPECT_EQ(data.Options().Bits(), 1096u);
    EXPECT_EQ(GetPropValue(&data, L"Options"), L"[xoPreview,xoToolbarBK,xoCaptionButtonHint]");
    EXPECT_FALSE(data.SkinControls().Contains(xcMenuItem));
    EXPECT_FALSE(data.SkinControls().Contains(xcFastReport));
    EXPECT_TRUE(data.SkinControls().Contains(xcSystemMenu));
    EXPECT_EQ(data.SkinControls().Bits(), 0x1FFFFBu);
    EXPECT_EQ(GetPropValue(&data, L"SkinFormtype"), L"sfMainform");
    EXPECT_EQ(GetPropValue(&data, L"Version"), L"5.60.03.29");
    EXPECT_EQ(GetPropValue(&data, L"SkinStore"), L"(none)");
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_FALSE(data.MenuMerge());
    EXPECT_EQ(data.Top().Name, L"Top");
    EXPECT_EQ(data.Buttons().Name, L"Buttons");
    EXPECT_EQ(data.Title().Name, L"Title");
    EXPECT_TRUE(data.AppIcon().Empty());
    EXPECT_EQ(data.AppIcon().PixelFormat(), pf24bit);
    EXPECT_EQ(data.MenuGlyphs().Count(), 4);
    EXPECT_GT(data.MaxWidth(), 0);

    const TStringList& lines = *data.Skin3rd();
    ASSERT_EQ(lines.Count(), 118);
    EXPECT_EQ(lines[0], L"TCategoryButtons=scrollbar");
    EXPECT_EQ(lines[117], L"TOVCDBNUMERICFIELD=edit");
    EXPECT_EQ(lines.Values(L"TLMDGROUPBOX"), L"panel");
    EXPECT_EQ(lines.Values(L"TcxRadioGroup"), L"Radiogroup");
    int repeated = 0;
    for (int i = 0; i < lines.Count(); ++i)
        repeated += lines[i] == L"TDBCheckboxEh=Checkbox" || lines[i] == L"TWWDBCombobox=combobox" ||
                    lines[i] == L"TLMDFontSizeCombobox=combobox";
    EXPECT_EQ(repeated, 6);
}

TEST(SkinData, SkinStreamFraming) {
    const std::vector<std::uint8_t> store = TTestSkin("[TitlebarSkin]\nSkinName=Framed\n").Store();
    TMemoryStream framed;
    const auto size = static_cast<std::int32_t>(store.size());
    framed.WriteBuffer(&size, 4);
    framed.WriteBuffer(store.data(), size);

    TSkinData data(nullptr);
    framed.SetPosition(0);
    data.ReadSkinStream(framed);
    EXPECT_FALSE(data.NoSkin()) << "reading the data loads the skin at once";
    EXPECT_EQ(data.SkinName(), L"Framed");
    TMemoryStream written;
    data.WriteSkinStream(written);
    ASSERT_EQ(written.Size(), framed.Size());
    EXPECT_EQ(std::memcmp(written.Memory(), framed.Memory(), written.Size()), 0);

    for (std::int32_t length : {0, -5, size + 1}) {
        TMemoryStream bad;
        bad.WriteBuffer(&length, 4);
        bad.WriteBuffer(store.data(), size);
        bad.SetPosition(0);
        TSkinData empty(nullptr);
        empty.ReadSkinStream(bad);
        EXPECT_TRUE(empty.StoreStream().empty()) << length;
        EXPECT_TRUE(empty.NoSkin()) << length;
        TMemoryStream out;
        empty.WriteSkinStream(out);
        EXPECT_EQ(out.Size(), 4) << "an empty store is written as its length only";
    }
}

std::unique_ptr<TSkinTestHost> ReadHost() {
    auto host = std::make_unique<TSkinTestHost>(nullptr);
    EXPECT_TRUE(ReadComponentRes(host.get()));
    EXPECT_TRUE(host->SkinData1);
    return host;
}

TEST(SkinData, DefaultSkinFromTheStoredForm) {
    auto host = ReadHost();
    TSkinData& data = *host->SkinData1;
    ASSERT_FALSE(data.NoSkin()) << Utf8Encode(data.LoadError());
    EXPECT_TRUE(data.Active());
    std::ifstream file(ORVO_DEFAULT_SKIN_STORE, std::ios::binary);
    const std::vector<std::uint8_t> packed{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(data.StoreStream(), packed) << "the stored form holds the packed default skin";
    EXPECT_EQ(data.Skin3rd()->Count(), 118);
    EXPECT_EQ(data.SkinName(), L"Orvo Slate");

    EXPECT_EQ(data.Left().Image.Width(), 8);
    EXPECT_EQ(data.Left().Image.Height(), 250);
    EXPECT_EQ(data.Left().Frame, 2);
    EXPECT_EQ(data.Left().TopHeight, 29);
    EXPECT_EQ(data.Left().BottomHeight, 5);
    EXPECT_EQ(data.Top().Image.Width(), 292);
    EXPECT_EQ(data.Top().LeftWidth, 32);
    EXPECT_EQ(data.Top().RightWidth, 39);
    EXPECT_EQ(data.Bottom().Image.Height(), 10);
    EXPECT_EQ(data.Title().LeftWidth, 16);
    EXPECT_EQ(data.Title().RightWidth, 20);

    EXPECT_EQ(data.Colour(scButtonFace), 0xD5E0E3);
    EXPECT_EQ(data.Colour(scTitleTextNoActive), 0xF4E3D7);
    EXPECT_EQ(data.Colour(scHilight), 0x5F3D25);
    EXPECT_EQ(data.Colour(scMenubar), 0xD5E0E3);
    EXPECT_TRUE(data.Colours().Given[scMenubar]);
    EXPECT_EQ(data.Colour(scWindowText), clWindowText);
    EXPECT_FALSE(data.Colours().Given[scWindowText]);

    std::vector<int> actions;
    for (const auto& b : data.SysButtons())
        actions.push_back(b->Action);
    EXPECT_THAT(actions, ElementsAre(0, 1, 2, 1, 3, 7, 8, 9));
    EXPECT_EQ(data.SysButtons()[0]->Frame, 6);
    EXPECT_EQ(data.SysButtons()[0]->Image.Width(), 126);
    EXPECT_EQ(data.SysButtons()[1]->Visibility1, 6);
    EXPECT_TRUE(data.SysButtons()[4]->Image.Empty());
    // A maximised MDI child's buttons, cut from the 192-pixel strip.
    EXPECT_EQ(data.SysButtons()[5]->Image.Width(), 64);
    EXPECT_EQ(data.SysButtons()[5]->Image.Height(), 14);
    EXPECT_EQ(data.SysButtons()[5]->XCoord, 60);
    EXPECT_EQ(data.SysButtons()[7]->XCoord, 20);

    EXPECT_EQ(data.Buttons().Image.Width(), 90);
    EXPECT_EQ(data.Buttons().CheckButtonFrame, 4);
    EXPECT_EQ(data.Buttons().RadioButtonFrame, 4);
    EXPECT_EQ(data.Buttons().LeftWidth, 8);
    ASSERT_TRUE(data.Progress());
    EXPECT_EQ(data.Progress()->Frame, 1);
    EXPECT_FALSE(data.ProgressChunk());
    ASSERT_TRUE(data.Tabs());
    EXPECT_EQ(data.Tabs()->Image2.Width(), 48);
    ASSERT_TRUE(data.ComboButton());
    EXPECT_EQ(data.ComboButton()->Image.Width(), 60) << "no SunkEdge: no composite";
    EXPECT_EQ(data.ComboButton()->Image2.Width(), 60);
    EXPECT_EQ(data.ComboxArrow()->Image.Width(), 60);
    EXPECT_EQ(data.StatusBarEdges()->Frame, 3);
    EXPECT_EQ(data.Headerbar()->Frame, 5);
    EXPECT_EQ(data.Scrollbar()->Frame, 23);
    EXPECT_EQ(data.HorzScroll()->Frame, 4);
    EXPECT_EQ(data.VertScrollThumb()->Frame, 3);
    EXPECT_EQ(data.MenuBackground()->Frame, 1);
    EXPECT_FALSE(data.MenuBar());
    EXPECT_FALSE(data.SunkEdge());

    ASSERT_TRUE(data.Track());
    EXPECT_EQ(data.Track()->Image.Width(), 40);
    EXPECT_EQ(data.Track()->Image.Height(), 4);
    EXPECT_EQ(data.Track()->LeftWidth, 3);
    EXPECT_EQ(data.Track()->BottomHeight, 3);
    EXPECT_EQ(data.Track()->Frame, 1);
    ASSERT_TRUE(data.TrackVert());
    EXPECT_EQ(data.TrackVert()->Name, L"TRACKVERT");
    EXPECT_EQ(data.TrackVert()->Image.Height(), 40);
}

std::filesystem::path WriteTempStore(const std::vector<std::uint8_t>& store, const char* name) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(store.data()), store.size());
    return path;
}

TEST(SkinData, SkinFileReplacesEveryDefinition) {
    auto host = ReadHost();
    TSkinData& data = *host->SkinData1;
    TTestSkin second("[TitlebarSkin]\nSkinName=Second\n[Button0]\nAction=2\n[SunkEdge]\nImage=s.bmp\n");
    second.Image("s.bmp", FrameStrip(8, 8));
    const auto path = WriteTempStore(second.Store(), "orvo_second.skn");

    data.SetSkinFile(path.wstring());
    EXPECT_FALSE(data.NoSkin());
    EXPECT_EQ(data.SkinFile(), path.wstring());
    EXPECT_EQ(data.SkinName(), L"Second");
    EXPECT_FALSE(data.Progress());
    EXPECT_FALSE(data.Tabs());
    EXPECT_FALSE(data.ComboButton());
    EXPECT_TRUE(data.SunkEdge());
    EXPECT_TRUE(data.Left().Image.Empty());
    EXPECT_EQ(data.SysButtons().size(), 1u + 3u);
    EXPECT_EQ(data.Colour(scButtonFace), clBtnFace);
    EXPECT_EQ(data.Track()->Image.Width(), 40);

    data.SetSkinFile(L"C:\\no\\such\\skin.skn");
    EXPECT_TRUE(data.NoSkin()) << "a missing file leaves no usable skin";
    EXPECT_EQ(data.SkinName(), L"Second");
    std::filesystem::remove(path);
}

TEST(SkinData, RepeatedLoadsKeepTheGdiObjectCount) {
    auto host = ReadHost();
    TSkinData& data = *host->SkinData1;
    EXPECT_EQ(GdiObjectsLeakedBy(40, [&] { ASSERT_TRUE(data.LoadSkin()); }), 0);
    EXPECT_EQ(GdiObjectsLeakedBy(10, [] { ReadHost(); }), 0);
}

// Answers the first message box of this thread with OK after noting its text.
class TMessageBoxAnswer {
public:
    TMessageBoxAnswer() {
        Text().clear();
        FHook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~TMessageBoxAnswer() { UnhookWindowsHookEx(FHook); }
    static std::wstring& Text() {
        static std::wstring text;
        return text;
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            const auto window = reinterpret_cast<HWND>(wParam);
            wchar_t className[32] = L"";
            GetClassNameW(window, className, 32);
            if (std::wstring_view(className) == L"#32770") {
                wchar_t text[256] = L"";
                GetDlgItemTextW(window, 0xFFFF, text, 256);
                Text() = text;
                PostMessageW(window, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK FHook;
};

TEST(SkinData, UnknownArchiveVersionShowsTheMessageAndLoadsNothing) {
    auto data = Loaded(TTestSkin("[TitlebarSkin]\nSkinName=Kept\n"));
    data->SetStoreStream(TTestSkin("[TitlebarSkin]\nSkinName=Old\n").Store(10000));
    {
        TMessageBoxAnswer answer;
        EXPECT_FALSE(data->LoadSkin());
        EXPECT_EQ(TMessageBoxAnswer::Text(), L"This is Older Skin File\rPlease update to new version !");
    }
    EXPECT_TRUE(data->NoSkin());
    EXPECT_EQ(data->SkinName(), L"Kept") << "the definitions are left as they were";

    std::wstring taken;
    auto previous = SetSkinMessageHandler([&](const std::wstring& text) { taken = text; });
    data->SetStoreStream(TTestSkin("").Store(30000));
    EXPECT_TRUE(data->LoadSkin()) << "30000 is a known version";
    data->SetStoreStream(TTestSkin("").Store(70001));
    EXPECT_FALSE(data->LoadSkin());
    EXPECT_EQ(taken, L"This is Older Skin File\rPlease update to new version !");
    SetSkinMessageHandler(previous);
}

TEST(SkinData, HostileStoresNeverLoadAndNeverCrash) {
    std::wstring shown;
    auto previous = SetSkinMessageHandler([&](const std::wstring& text) { shown = text; });
    const std::vector<std::uint8_t> good = TTestSkin("[TitlebarSkin]\nSkinName=Good\n").Store();
    std::vector<std::vector<std::uint8_t>> stores = {
        {},
        {1, 2, 3},
        std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() / 2),
        {0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0}, // an archive size far beyond anything
    };
    std::vector<std::uint8_t> archive = TTestSkin("").Archive();
    archive[4] = 0xFF; // a name list longer than the archive
    stores.push_back(EncodeSkinStore(archive));
    for (const auto& store : stores) {
        auto data = Loaded(TTestSkin("[TitlebarSkin]\nSkinName=Before\n"));
        data->SetStoreStream(store);
        EXPECT_FALSE(data->LoadSkin());
        EXPECT_TRUE(data->NoSkin());
        EXPECT_FALSE(data->LoadError().empty());
        EXPECT_EQ(data->SkinName(), L"Before");
    }
    EXPECT_TRUE(shown.empty()) << "only an unknown version is reported to the user";
    SetSkinMessageHandler(previous);
}

TEST(SkinData, OversizedImagesAreLeftEmpty) {
    // 3000 x 3000 one-bit pixels: a 1 MB file that would be a 27 MB bitmap.
    std::vector<std::uint8_t> bmp = WriteBmp32(TImage32(1, 1));
    const std::int32_t side = 3000;
    const std::uint16_t bits = 1;
    const std::uint32_t offset = 62, colours = 2, none = 0;
    std::memcpy(&bmp[10], &offset, 4);
    std::memcpy(&bmp[18], &side, 4);
    std::memcpy(&bmp[22], &side, 4);
    std::memcpy(&bmp[28], &bits, 2);
    std::memcpy(&bmp[34], &none, 4);
    std::memcpy(&bmp[46], &colours, 4);
    bmp.resize(offset + 376 * 3000, 0);
    TTestSkin skin("[Scrollbar]\nImage=huge.bmp\n[Buttons]\nBitmap=small.bmp\n");
    skin.Raw("huge.bmp", bmp).Image("small.bmp", FrameStrip(10, 2));
    auto data = Loaded(skin);
    ASSERT_TRUE(data->Scrollbar());
    EXPECT_TRUE(data->Scrollbar()->Image.Empty());
    EXPECT_EQ(data->Buttons().Image.Width(), 10);
}

// Records what the component asks of the manager.
class TFakeManager : public TSkinManagerLink {
public:
    void RegisterSkinData(TSkinData*) override { Log.push_back("register"); }
    void UnregisterSkinData(TSkinData*) override { Log.push_back("unregister"); }
    void InstallHook() override { Log.push_back("hook"); }
    void RequestAction(TSkinAction action, int delay) override {
        Log.push_back("action " + std::to_string(static_cast<int>(action)) + " " + std::to_string(delay));
    }
    void SetPendingSkinData(TSkinData* data) override { Log.push_back(data ? "pending" : "pending none"); }
    TSkinManagerState State() const override { return FState; }
    void SetState(TSkinManagerState state) override {
        FState = state;
        Log.push_back("state " + std::to_string(static_cast<int>(state)));
    }
    void SetEnabled(bool enabled) override { Log.push_back(enabled ? "enabled" : "disabled"); }
    void ReleaseFormButtons() override { Log.push_back("release buttons"); }
    bool SkinWindow(HWND) override {
        Log.push_back("skin window");
        return true;
    }
    std::vector<std::string> Log;

private:
    TSkinManagerState FState = TSkinManagerState::Idle;
};

class SkinManagerLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        Fake = new TFakeManager;
        SetSkinManagerFactory([]() -> TSkinManagerLink* { return Fake; });
    }
    void TearDown() override {
        ForgetSkinManager(Fake);
        SetSkinManagerFactory(nullptr);
        delete Fake;
        Fake = nullptr;
    }
    static inline TFakeManager* Fake = nullptr;
};

TEST_F(SkinManagerLinkTest, FormLoadRegistersHooksAndSwitchesOn) {
    auto host = ReadHost();
    TSkinData& data = *host->SkinData1;
    EXPECT_THAT(Fake->Log, ElementsAre("register", "hook", "action 1 250"));
    EXPECT_TRUE(data.Active());

    Fake->Log.clear();
    data.SetActive(false);
    data.SetActive(false);
    data.SetActive(true);
    EXPECT_THAT(Fake->Log, ElementsAre("pending", "action 2 250", "pending", "action 1 250", "state 1"));

    Fake->Log.clear();
    data.RefreshSkin();
    EXPECT_THAT(Fake->Log, ElementsAre("pending", "release buttons", "action 3 250"));

    Fake->Log.clear();
    host.reset();
    EXPECT_THAT(Fake->Log, ElementsAre("unregister"));
}

TEST_F(SkinManagerLinkTest, ActiveWithoutASkinSwitchesItselfOff) {
    TSkinData data(nullptr);
    data.SetActive(true);
    EXPECT_TRUE(Fake->Log.empty()) << "nothing to switch on without a skin";
    data.AfterFormLoad();
    EXPECT_FALSE(data.Active());
    EXPECT_THAT(Fake->Log, ElementsAre("register", "hook"));
    EXPECT_FALSE(data.SkinControls().Contains(xcMenuItem));

    TSkinData other(nullptr);
    other.SetSkinControls(TSkinControlTypes{xcPopupMenu, xcMenuItem, xcSystemMenu});
    other.AfterFormLoad();
    EXPECT_TRUE(other.SkinControls().Contains(xcMenuItem))
        << "without a skinned menu bar the items are drawn";
    EXPECT_FALSE(other.SkinControls().Contains(xcSystemMenu));
}

TEST_F(SkinManagerLinkTest, OtherFormTypes) {
    TSkinData dialog(nullptr);
    dialog.SetSkinFormtype(sfDialog);
    dialog.AfterFormLoad();
    EXPECT_THAT(Fake->Log, ElementsAre("register", "enabled", "state 1"));
    Fake->Log.clear();
    dialog.SetActive(true);
    EXPECT_TRUE(Fake->Log.empty());

    auto only = Loaded(TTestSkin(""));
    only->SetSkinFormtype(sfOnlyThisForm);
    only->SetActive(true);
    only->SetActive(false);
    EXPECT_THAT(Fake->Log, ElementsAre("pending", "action 1 250", "pending", "action 2 250"));
}

TEST_F(SkinManagerLinkTest, ADialogComponentSkinsItsOwnFormAtOnce) {
    TForm form(nullptr);
    auto* data = new TSkinData(&form);
    data->SetSkinFormtype(sfOnlyThisForm);
    data->SetStoreStream(TTestSkin("").Store());
    ASSERT_TRUE(data->LoadSkin());
    data->SetActive(true);
    Fake->Log.clear();
    data->AfterFormLoad();
    EXPECT_THAT(Fake->Log, ElementsAre("register", "enabled", "state 1", "skin window"));
}

// A 16 x 16 icon: red on its left half, transparent on its right half.
HICON HalfRedIcon() {
    auto colour = PaintedBitmap(16, 16, [](int x, int) { return x < 8 ? clRed : clBlack; });
    auto mask = PaintedBitmap(16, 16, [](int x, int) { return x < 8 ? clBlack : clWhite; });
    mask->SetPixelFormat(pf1bit);
    ICONINFO info{TRUE, 0, 0, mask->Handle(), colour->Handle()};
    return CreateIconIndirect(&info);
}

TEST(SkinData, CaptionFontApplicationIconAndCaptionHints) {
    HICON icon = HalfRedIcon();
    Application->SetIcon(icon, icon);
    TSkinData data(nullptr);
    data.AfterFormLoad();
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    ASSERT_EQ(data.AppIcon().Width(), cx);
    ASSERT_EQ(data.AppIcon().Height(), cy);
    EXPECT_EQ(data.AppIcon().PixelFormat(), pf24bit);
    EXPECT_TRUE(data.AppIcon().Transparent());
    EXPECT_EQ(data.AppIcon().TransparentColor(), clFuchsia);
    EXPECT_EQ(data.AppIcon().PixelColor(cx / 8, cy / 2), clRed);
    EXPECT_EQ(data.AppIcon().PixelColor(cx - 1 - cx / 8, cy / 2), clFuchsia) << "the icon's transparent part";
    Application->SetIcon(nullptr, nullptr);
    DestroyIcon(icon);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(data.CaptionFont().Name(), metrics.lfCaptionFont.lfFaceName);
    EXPECT_EQ(data.CaptionFont().Height(), metrics.lfCaptionFont.lfHeight);

    data.ShowCaptionHint(RECT{300, 200, 320, 220}, L"Close");
    ASSERT_TRUE(data.CaptionHintShowing());
    HWND hint = data.HintWindow().Handle();
    RECT where{};
    GetWindowRect(hint, &where);
    EXPECT_TRUE(IsWindowVisible(hint));
    EXPECT_EQ(where.left, 300);
    EXPECT_EQ(where.top, 200);
    data.ShowCaptionHint(RECT{10, 10, 20, 20}, L"Minimize");
    GetWindowRect(hint, &where);
    EXPECT_EQ(where.left, 300) << "shown once until hidden";
    data.HideCaptionHint();
    EXPECT_FALSE(data.CaptionHintShowing());
    EXPECT_FALSE(IsWindowVisible(hint));
    data.SetOptions(TSkinOptions{xoPreview});
    data.ShowCaptionHint(RECT{300, 200, 320, 220}, L"Close");
    EXPECT_FALSE(data.CaptionHintShowing()) << "hints only with xoCaptionButtonHint";
}

TEST(SkinData, FormVetoRules) {
    TSkinData data(nullptr);
    const HWND window = reinterpret_cast<HWND>(0x1234);
    auto veto = [&](const wchar_t* cls, bool in) {
        bool doSkin = in;
        data.FormVeto(window, cls, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(veto(L"SysMonthCal32", true));
    EXPECT_TRUE(veto(L"SysMonthCal32x", true));
    EXPECT_TRUE(veto(L"TfrPreview", true)) << "FastReport windows are skinned unless asked";
    EXPECT_FALSE(veto(L"TForm1", false)) << "the answer so far is kept";
    EXPECT_EQ(data.VetoWindow(), window);
    data.SetSkinControls(data.SkinControls() + TSkinControlTypes{xcFastReport});
    EXPECT_FALSE(veto(L"TfrPreview", true));
    data.OnFormSkin = [](TObject*, const std::wstring& name, bool& doSkin) {
        doSkin = name == L"SysMonthCal32";
    };
    EXPECT_TRUE(veto(L"SysMonthCal32", false)) << "the handler has the last word";
}

} // namespace
} // namespace test
} // namespace orvo
