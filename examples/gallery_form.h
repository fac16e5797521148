// The skin gallery: every control family the skin engine knows on one page of a page control
// each, every control in its interesting states beside a twin with Tag 99 that keeps the platform's
// look, a page that opens the platform's dialogs and a modal form, and a Skin menu that switches at
// run time between the built-in skin, the second skin, a store from disk and no skin.
#pragma once

#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/controls/page_control.h"
#include "framework/controls/status_bar.h"
#include "framework/forms/forms.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/menus.h"
#include "framework/menus/popup_menu.h"
#include "skin/data/skin_data.h"

#include <memory>
#include <string>

namespace orvo {

class TSkinChooser;

class TfGallery : public TForm {
    ORVO_CLASS(TfGallery, TForm)
public:
    explicit TfGallery(TComponent* owner);
    ~TfGallery() override;
    static void Publish(TPublisher<TfGallery>& p);

    TPageControl* Pages = nullptr;
    TMemo* MemoLog = nullptr;
    TStatusBar* stGallery = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* miSkinSlate = nullptr;
    TMenuItem* miSkinJade = nullptr;
    TMenuItem* miSkinNight = nullptr;
    TMenuItem* miSkinFile = nullptr;
    TMenuItem* miSkinNone = nullptr;
    TPopupMenu* pmExample = nullptr;
    TSkinData* SkinData1 = nullptr;

    void FormCreate(TObject* Sender);
    void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void btnMessageClick(TObject* Sender);
    void btnQuestionClick(TObject* Sender);
    void btnOpenFileClick(TObject* Sender);
    void btnFolderClick(TObject* Sender);
    void btnModalClick(TObject* Sender);
    void btnMdiClick(TObject* Sender);
    void lbLinkClick(TObject* Sender);
    void miExitClick(TObject* Sender);
    void miSkinClick(TObject* Sender);
    void miSkinFileClick(TObject* Sender);

    // The skin given on the command line (a .skn file), applied once the form exists.
    void UseSkinFile(const std::wstring& path);

private:
    void Log(const std::wstring& line);
    void ShowStates(const std::wstring& suffix);
    void FillScrollingPage();
    void SkinChosen(TMenuItem* item, const std::wstring& refused);

    std::unique_ptr<TSkinChooser> FSkins;
    TImageList FGlyphs{nullptr};
};

extern TfGallery* fGallery;

} // namespace orvo
