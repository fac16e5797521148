#include "framework/controls/panel.h"

#include "framework/controls/control_publish.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomPanel);
ORVO_IMPLEMENT_CLASS(TPanel);

const TEnumType& BevelCutType() {
    static const TEnumType type(L"TBevelCut", {L"bvNone", L"bvLowered", L"bvRaised", L"bvSpace"});
    return type;
}

void Frame3D(TCanvas& canvas, RECT& r, TColor topLeft, TColor bottomRight, int width) {
    canvas.Pen().SetWidth(1);
    for (int i = 0; i < width && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
        const POINT topLeftEdge[] = {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right - 1, r.top}};
        const POINT bottomRightEdge[] = {
            {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left - 1, r.bottom - 1}};
        canvas.Pen().SetColor(topLeft);
        canvas.Polyline(topLeftEdge);
        canvas.Pen().SetColor(bottomRight);
        canvas.Polyline(bottomRightEdge);
        InflateRect(&r, -1, -1);
    }
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetParentBackground(true);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut cut) {
    FBevelInner = cut;
    Perform(CM_BORDERCHANGED);
}

void TCustomPanel::SetBevelOuter(TBevelCut cut) {
    FBevelOuter = cut;
    Perform(CM_BORDERCHANGED);
}

void TCustomPanel::SetBevelWidth(int width) {
    FBevelWidth.Set(std::max(width, 1), CurrentDpi());
    Perform(CM_BORDERCHANGED);
}

void TCustomPanel::SetBorderWidth(int width) {
    FBorderWidth.Set(std::max(width, 0), CurrentDpi());
    Perform(CM_BORDERCHANGED);
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TCustomPanel::Paint() {
    TCanvas& canvas = *Canvas();
    RECT r = ClientRect();
    const auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        const bool raised = cut == bvRaised;
        const TColor light = cut == bvSpace ? Color() : raised ? clBtnHighlight : clBtnShadow;
        const TColor dark = cut == bvSpace ? Color() : raised ? clBtnShadow : clBtnHighlight;
        Frame3D(canvas, r, light, dark, BevelWidth());
    };
    bevel(FBevelOuter);
    Frame3D(canvas, r, Color(), Color(), BorderWidth());
    bevel(FBevelInner);
    const std::wstring text = Caption();
    if (text.empty()) return;
    static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    canvas.Font().Assign(*Font());
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(
        r, text, DrawTextBiDiModeFlags(DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | alignments[FAlignment]));
}

void TCustomPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_BORDERCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

TPanel::TPanel(TComponent* owner) : TCustomPanel(owner) {}

void TPanel::Publish(TPublisher<TPanel>& p) {
    PublishCaptionedContainer(p);
    p.Enum(L"Alignment", AlignmentType(), &TPanel::Alignment, &TPanel::SetAlignment);
    p.Enum(L"BevelInner", BevelCutType(), &TPanel::BevelInner, &TPanel::SetBevelInner);
    p.Enum(L"BevelOuter", BevelCutType(), &TPanel::BevelOuter, &TPanel::SetBevelOuter);
    p.Integer(L"BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
    p.Integer(L"BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
    p.Enum(L"BorderStyle", BorderStyleType(), &TPanel::BorderStyle, &TPanel::SetBorderStyle);
}

} // namespace orvo
