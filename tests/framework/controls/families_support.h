// Helpers for the tests of the radio, bit, speed button and status bar families: a shown form,
// real mouse input, glyph strips of solid colours, pictures of what a control paints.
#pragma once

#include "framework/base/streams.h"
#include "framework/forms/forms.h"
#include "framework/graphics/bitmap.h"
#include "tests/framework/support/pump.h"

#include <memory>
#include <string>
#include <windows.h>

namespace orvo::test {

// A form shown at a fixed place, in front, freed with the test.
struct TShownForm {
    TForm Form{nullptr};
    TShownForm() {
        Form.SetBounds(100, 100, 420, 320);
        Form.Show();
        PumpUntil([&] { return IsWindowVisible(Form.Handle()) != FALSE; });
        SetForegroundWindow(Form.Handle());
        Pump(50);
    }
};

template <class T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
    TComponent* owner = GetParentForm(parent) ? static_cast<TComponent*>(GetParentForm(parent)) : parent;
    T* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

inline void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Moves the pointer to a point of the control's client area, as the user would.
inline void MoveTo(TControl& control, int x, int y) {
    const POINT p = control.ClientToScreen(POINT{x, y});
    SetCursorPos(p.x, p.y);
    Pump(60);
}

// Left button down at (x, y) of `control`, up at (upX, upY) of it.
inline void Drag(TControl& control, int x, int y, int upX, int upY) {
    MoveTo(control, x, y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(60);
    MoveTo(control, upX, upY);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(60);
}

inline void ClickAt(TControl& control, int x, int y) {
    Drag(control, x, y, x, y);
}

// A strip of `count` frames of `size` pixels, frame i filled with colours[i], on a magenta ground
// in the bottom-left pixel of each (the transparent colour of button glyphs).
inline std::unique_ptr<TBitmap> SolidStrip(int size, std::initializer_list<TColor> colours) {
    auto strip = std::make_unique<TBitmap>(size * static_cast<int>(colours.size()), size);
    int i = 0;
    for (TColor colour : colours) {
        strip->Canvas().Brush().SetColor(colour);
        strip->Canvas().FillRect(RECT{i * size, 0, (i + 1) * size, size});
        strip->Canvas().SetPixel(i * size, size - 1, clFuchsia);
        ++i;
    }
    return strip;
}

// The glyph as stored-form text: `Glyph.Data = { ... }`.
inline std::string GlyphDataText(TBitmap& glyph) {
    TMemoryStream data;
    glyph.WriteData(data);
    std::string hex;
    const auto* bytes = static_cast<const std::uint8_t*>(data.Memory());
    for (std::int64_t i = 0; i < data.Size(); ++i) {
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 15];
        if (i % 32 == 31) hex += "\n";
    }
    return "Glyph.Data = {\n" + hex + "}\n";
}

inline int CountPixels(const TBitmap& b, TColor c, RECT area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += b.PixelColor(x, y) == c;
    return n;
}

} // namespace orvo::test
