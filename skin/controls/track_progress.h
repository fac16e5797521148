// Track bars and progress bars.
//
// Classes in this file:
//   TSkinTrackBar  a track bar (msctls_trackbar32) through the platform's custom drawing: the
//                  control asks for each part (NM_CUSTOMDRAW, reflected to a framework control as
//                  CN_NOTIFY); the channel comes from Track (TRACKVERT for a vertical bar), the
//                  thumb from frame 2 of Trackbar.ThumbHorz / Trackbar.ThumbVert, ticks stay the
//                  platform's. A skin change only invalidates: custom drawing runs at every paint.
//   TSkinProgress  a progress bar (msctls_progress32) from Progress: the trough (frame 1) and the
//                  fill (frame 2) in proportion to the position within the range, or (Style 1)
//                  the Progress.Chunk image repeated or stretched over the filled part; a vertical
//                  bar is drawn lying down and turned, so it fills from the bottom.
//
// Messages: WM_NOTIFY / CN_NOTIFY (NM_CUSTOMDRAW) for track bars; WM_PAINT, WM_ERASEBKGND for
// progress bars. Without a Track image the channel is the platform's; without a thumb image the
// thumb is a ButtonShadow outline; without a Progress image (or a chunk image for Style 1) the
// bar is the platform's.
#pragma once

#include "skin/controls/control_skin.h"

#include <commctrl.h>

namespace orvo {

// The custom-draw answer for a stage and a part (dwItemSpec): which parts the skin draws itself.
LRESULT TrackCustomDrawAnswer(DWORD stage, DWORD_PTR part, bool channelImage) noexcept;
// The channel rectangle of a vertical track bar: the platform reports it as if the bar lay down on
// Windows and standing up under Wine; a rectangle wider than high is turned.
RECT VerticalChannelRect(const RECT& reported) noexcept;
// The filled length of a bar `length` long: in proportion to (position - minimum) / (maximum -
// minimum), nothing when the range is empty or the position is at (or below) its minimum, at most
// the whole length.
int ProgressFillLength(int length, int minimum, int maximum, int position) noexcept;
// How many whole chunks of `chunkWidth` a fill of `fill` pixels shows in a trough with `room`
// pixels for them: every chunk the fill has begun, as many as fit whole.
int ProgressChunkCount(int fill, int chunkWidth, int room) noexcept;

class TSkinTrackBar : public TSkinControl {
    ORVO_CLASS(TSkinTrackBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    void SkinChanged() override;

protected:
    bool BeforeMessage(TMessage& message) override;

private:
    LRESULT CustomDraw(NMCUSTOMDRAW& draw);
    void DrawThumb(HDC dc);
    void DrawChannel(HDC dc);
    bool Vertical() const { return Style() & TBS_VERT; }
    bool HasChannelImage() const;
};

class TSkinProgress : public TSkinControl {
    ORVO_CLASS(TSkinProgress, TSkinControl)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& r) override;

private:
    bool Drawable() const;
    void DrawPlain(HDC dc, int width, int height, int fill);
    void DrawChunks(HDC dc, int width, int height, int fill);
};

} // namespace orvo
