#include "framework/controls/group_box.h"

#include "framework/controls/control_publish.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomGroupBox);
ORVO_IMPLEMENT_CLASS(TGroupBox);

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 185, 105);
    SetParentBackground(true);
}

void TCustomGroupBox::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Font().Assign(*Font());
    const int textHeight = canvas.TextHeight(L"0");
    RECT frame = ClientRect();
    frame.top = textHeight / 2 - 1;
    DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring text = Caption();
    if (text.empty()) return;
    // The caption blanks out the frame line behind it with the box's colour.
    RECT r{0, 0, 0, textHeight};
    canvas.TextRect(r, text, DT_SINGLELINE | DT_CALCRECT);
    const int width = r.right + ScaleValue(2);
    const int indent = ScaleValue(8);
    r.left = UseRightToLeftAlignment() ? ClientWidth() - indent - width : indent;
    r.right = r.left + width;
    r.bottom = textHeight;
    canvas.Brush().SetColor(Color());
    canvas.TextRect(r, text, DrawTextBiDiModeFlags(DT_SINGLELINE | DT_CENTER));
}

void TCustomGroupBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && CanFocus()) {
            SelectFirst();
            m.Result = 1;
            return;
        }
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}

void TGroupBox::Publish(TPublisher<TGroupBox>& p) {
    PublishCaptionedContainer(p);
}

} // namespace orvo
