// Published properties that only some controls have (a button has no Color, an image no Font):
// each control class publishes the groups it shows, under the common names that code reading
// properties by name relies on.
#pragma once

#include "framework/controls/control.h"
#include "framework/graphics/graphics_types.h"
#include "framework/base/properties.h"

namespace orvo {

template <class T> void PublishCaption(TPublisher<T>& p) {
    p.String(L"Caption", &T::Caption, &T::SetCaption);
}

template <class T> void PublishColor(TPublisher<T>& p) {
    p.Integer(L"Color", ColorType(), &T::Color, &T::SetColor);
    p.Boolean(L"ParentColor", &T::ParentColor, &T::SetParentColor);
}

template <class T> void PublishFont(TPublisher<T>& p) {
    p.Object(L"Font", &T::Font, &T::SetFont);
    p.Boolean(L"ParentFont", &T::ParentFont, &T::SetParentFont);
}

// What a container that draws its own caption over its parent's background shows: a group box, a
// panel.
template <class T> void PublishCaptionedContainer(TPublisher<T>& p) {
    PublishCaption(p);
    PublishColor(p);
    PublishFont(p);
    p.Boolean(L"ParentBackground", &T::ParentBackground, &T::SetParentBackground);
}

} // namespace orvo
