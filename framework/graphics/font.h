// TFont: a description of a font whose GDI handle is created on first use and recreated after
// any change. Height is in pixels; Size (points) converts at the font's PixelsPerInch: 96 (the
// design DPI) for a new font, a control's DPI for a control's font (TControl keeps it so).
#pragma once

#include "framework/graphics/color.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/graphics_object.h"
#include "framework/base/type_info.h"

#include <string>

namespace orvo {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

template <class T> class TPublisher;

class TFont : public TGraphicsObject {
    ORVO_CLASS(TFont, TGraphicsObject)
public:
    static constexpr const wchar_t* DefaultName = L"Tahoma";
    static constexpr int DefaultHeight = -11;

    TFont();

    const std::wstring& Name() const { return FName; }
    void SetName(const std::wstring& name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Size in points at PixelsPerInch.
    int Size() const;
    void SetSize(int points);
    // The resolution Size converts at; changing it changes neither Height nor the handle.
    int PixelsPerInch() const noexcept { return FPixelsPerInch; }
    void SetPixelsPerInch(int dpi) noexcept;
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);

    HFONT Handle();
    // Takes the description of an existing font handle (the handle itself stays with the caller).
    void SetHandle(HFONT font);
    using TGraphicsObject::Assign;
    void Assign(TPersistent* source) override;
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

    static void Publish(TPublisher<TFont>& p);

protected:
    void FreeHandle() override { FHandle.Reset(); }

private:
    std::wstring FName = DefaultName;
    int FHeight = DefaultHeight;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    int FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FPixelsPerInch = 96;
    TFontHandle FHandle;
};

} // namespace orvo
