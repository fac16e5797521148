// TSkinElementAccess: the named accessors of a loaded skin's definitions, shared by the skin
// component (the skin as designed, at 96 DPI) and TScaledSkin (the same skin at another DPI), so
// the drawing code reads both the same way: skin.MenuBar(), skin.AtDpi(dpi).MenuBar().
#pragma once

#include "skin/data/skin_definitions.h"

#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TSkinElementAccess {
public:
    const std::wstring& SkinName() const { return FDefinitions->SkinName; }

    TDataSkinBorder& Left() const { return FDefinitions->Left; }
    TDataSkinBorder& Right() const { return FDefinitions->Right; }
    TDataSkinBorder& Top() const { return FDefinitions->Top; }
    TDataSkinBorder& Bottom() const { return FDefinitions->Bottom; }
    TDataSkinTitle& Title() const { return FDefinitions->Title; }
    TDataSkinButton& Buttons() const { return FDefinitions->Buttons; }
    // The skin's caption buttons, then those of a maximised MDI child (actions 7, 8, 9).
    const std::vector<std::unique_ptr<TDataSkinSysButton>>& SysButtons() const { return FDefinitions->SysButtons; }
    // Any optional element; null when the skin lacks it.
    TDataSkinObject* Element(TSkinElement element) const { return FDefinitions->Element(element); }

    TDataSkinBorder* Progress() const { return Border(TSkinElement::Progress); }
    TDataSkinObject* ProgressChunk() const { return Element(TSkinElement::ProgressChunk); }
    TDataSkinObject* MenuBar() const { return Element(TSkinElement::MenuBar); }
    TDataSkinObject* GroupBoxEdge() const { return Element(TSkinElement::GroupBoxEdge); }
    TDataSkinBoxLabel* GroupBox() const {
        return static_cast<TDataSkinBoxLabel*>(Element(TSkinElement::GroupBox));
    }
    TDataSkinBorder* Tabs() const { return Border(TSkinElement::Tabs); }
    TDataSkinObject* StatusBarEdges() const { return Element(TSkinElement::StatusBarEdges); }
    TDataSkinObject* TabPane() const { return Element(TSkinElement::TabPane); }
    TDataSkinObject* ToolBars() const { return Element(TSkinElement::ToolBars); }
    TDataSkinBorder* ComboButton() const { return Border(TSkinElement::ComboButton); }
    TDataSkinObject* SunkEdge() const { return Element(TSkinElement::SunkEdge); }
    TDataSkinObject* ExtraImages() const { return Element(TSkinElement::ExtraImages); }
    TDataSkinObject* Headerbar() const { return Element(TSkinElement::Headerbar); }
    TDataSkinObject* MenuItem() const { return Element(TSkinElement::MenuItem); }
    TDataSkinObject* MenuBackground() const { return Element(TSkinElement::MenuBackground); }
    TDataSkinObject* Scrollbar() const { return Element(TSkinElement::Scrollbar); }
    TDataSkinObject* HorzScroll() const { return Element(TSkinElement::HorzScroll); }
    TDataSkinObject* VertScroll() const { return Element(TSkinElement::VertScroll); }
    TDataSkinObject* HorzScrollThumb() const { return Element(TSkinElement::HorzScrollThumb); }
    TDataSkinObject* VertScrollThumb() const { return Element(TSkinElement::VertScrollThumb); }
    TDataSkinBorder* UpDownHorz() const { return Border(TSkinElement::UpDownHorz); }
    TDataSkinBorder* UpDownVert() const { return Border(TSkinElement::UpDownVert); }
    TDataSkinObject* Track() const { return Element(TSkinElement::Track); }
    TDataSkinObject* TrackVert() const { return Element(TSkinElement::TrackVert); }
    TDataSkinObject* ComboxArrow() const { return Element(TSkinElement::ComboxArrow); }
    TDataSkinObject* Toolbar() const { return Element(TSkinElement::Toolbar); }

    const TSkinColours& Colours() const { return FDefinitions->Colours; }
    TColor Colour(TSkinColourIndex index) const { return FDefinitions->Colours[index]; }
    TColor FrameSample() const { return FDefinitions->FrameSample; }

protected:
    explicit TSkinElementAccess(TSkinDefinitions& definitions) : FDefinitions(&definitions) {}
    ~TSkinElementAccess() = default;
    TSkinElementAccess(const TSkinElementAccess&) = delete;
    TSkinElementAccess& operator=(const TSkinElementAccess&) = delete;

private:
    TDataSkinBorder* Border(TSkinElement element) const {
        return static_cast<TDataSkinBorder*>(Element(element));
    }

    TSkinDefinitions* FDefinitions;
};

} // namespace orvo
