// A framework form skinned the way the manager skins one (attach, then the finishing message),
// with a small skin whose frames are solid colours (FrameColour(i) for frame i), so a pixel tells
// which frame a control shows.
#pragma once

#include "framework/controls/win_control.h"
#include "framework/forms/forms.h"
#include "framework/graphics/bitmap.h"
#include "skin/controls/control_skin.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/form_skin.h"
#include "tests/framework/support/pump.h"
#include "tests/skin/data/skin_test_store.h"

#include <memory>
#include <string>

namespace orvo::test {

// Buttons: 5 frames; check strip of `checkFrames` (12 or 4), radio strip of `radioFrames` (8 or 4),
// 13 x 13 each; StatusBarEdges 3 frames; ExtraImages 5 frames of 10 x 12.
inline TTestSkin ControlsSkin(int checkFrames = 12, int radioFrames = 8) {
    TTestSkin skin("[Buttons]\r\nBitmap=Buttons.bmp\r\nCheckButton=Check.bmp\r\nRadioButton=Radio.bmp\r\nTrans=0\r\n"
                   "[StatusBarEdges]\r\nImage=Status.bmp\r\n"
                   "[ExtraImages]\r\nImage=Extra.bmp\r\n"
                   "[Colours]\r\nButtonFace=200 210 220\r\nButtonShadow=10 20 30\r\n");
    skin.Image("Buttons.bmp", FrameStrip(100, 20, 5))
        .Image("Check.bmp", FrameStrip(13 * checkFrames, 13, checkFrames))
        .Image("Radio.bmp", FrameStrip(13 * radioFrames, 13, radioFrames))
        .Image("Status.bmp", FrameStrip(30, 10, 3))
        .Image("Extra.bmp", FrameStrip(50, 12, 5));
    return skin;
}

constexpr int TrackBase = 30; // scroll track frames FrameColour(31..34)
constexpr int ThumbBase = 40; // scroll thumb frames FrameColour(41..43)

// Scrollbar: 23 arrow frames of 17 x 17 (FrameColour(1..23)); tracks and thumbs from their bases.
inline TTestSkin ScrollSkin() {
    TTestSkin skin("[Scrollbar]\r\nImage=Arrows.bmp\r\n"
                   "[HorzScroll]\r\nImage=HTrack.bmp\r\n[VertScroll]\r\nImage=VTrack.bmp\r\n"
                   "[HorzScrollThumb]\r\nImage=HThumb.bmp\r\n[VertScrollThumb]\r\nImage=VThumb.bmp\r\n"
                   "[Colours]\r\nButtonFace=200 210 220\r\nButtonShadow=10 20 30\r\n");
    skin.Image("Arrows.bmp", FrameStrip(23 * 17, 17, 23))
        .Image("HTrack.bmp", FrameStrip(4 * 34, 17, 4, TrackBase))
        .Image("VTrack.bmp", FrameStrip(4 * 17, 34, 4, TrackBase))
        .Image("HThumb.bmp", FrameStrip(3 * 22, 15, 3, ThumbBase))
        .Image("VThumb.bmp", FrameStrip(3 * 15, 22, 3, ThumbBase));
    return skin;
}

constexpr TColor SkinFace = 0xDCD2C8;   // ButtonFace 200 210 220
constexpr TColor SkinShadow = 0x1E140A; // ButtonShadow 10 20 30

class TSkinnedForm {
public:
    explicit TSkinnedForm(const TTestSkin& skin = ControlsSkin()) : Data(Loaded(skin)) {
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 420, 320);
    }
    ~TSkinnedForm() {
        delete Form;
        Data.reset();
    }
    TSkinnedForm(const TSkinnedForm&) = delete;
    TSkinnedForm& operator=(const TSkinnedForm&) = delete;

    template <class T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
        T* control = new T(Form);
        control->SetParent(parent ? parent : Form);
        control->SetBounds(left, top, width, height);
        return control;
    }

    // Skins the form and its controls.
    void Skin(bool show = true) {
        Form->HandleNeeded();
        if (show) Form->Show();
        FormSkin = new TWinSkinForm(Form);
        FormSkin->Handle = Form->Handle();
        FormSkin->AttachForm(Data.get(), Form);
        SendMessageW(Form->Handle(), SKM_FINISHSKINNING, 0, SkmFinishSkinningParam);
        Pump(30);
    }
    // The form's own look back; the form skin object freed.
    void Unskin() {
        if (!FormSkin) return;
        FormSkin->Unskin();
        delete FormSkin;
        FormSkin = nullptr;
        Pump(10);
    }

    TSkinControl* SkinOf(const TControl* control) const {
        if (!FormSkin) return nullptr;
        for (TSkinControl* skin : FormSkin->ControlSkins())
            if (skin->Control == control || skin->RepaintTarget == control) return skin;
        return nullptr;
    }
    std::wstring SkinClassOf(const TControl* control) const {
        TSkinControl* skin = SkinOf(control);
        return skin ? std::wstring(skin->ClassName()) : std::wstring();
    }

    std::unique_ptr<TSkinData> Data;
    TForm* Form = nullptr;
    TWinSkinForm* FormSkin = nullptr; // owned by Form
};

inline bool AnswersSkinned(HWND window) {
    return SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1;
}

// What the skin paints for a window, through its paint-into message; null when it does not answer.
inline std::unique_ptr<TBitmap> PaintedSkin(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    auto bitmap = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    const LRESULT answer = SendMessageW(window, SKM_PAINTCONTROLINTO,
                                        reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), SkmPaintMagic);
    GdiFlush();
    if (answer != SkmPaintMagic) return nullptr;
    return bitmap;
}

inline TColor PaintedPixel(HWND window, int x, int y) {
    auto bitmap = PaintedSkin(window);
    return bitmap ? bitmap->PixelColor(x, y) : clNone;
}

} // namespace orvo::test
