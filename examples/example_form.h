// The example form: every control of the framework on one form, read from its stored description.
#pragma once

#include "framework/controls/bit_btn.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/edit.h"
#include "framework/forms/forms.h"
#include "framework/controls/group_box.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/memo.h"
#include "framework/controls/menu_button.h"
#include "framework/menus/menus.h"
#include "framework/controls/panel.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/radio_group.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/status_bar.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/popup_menu.h"
#include "skin/data/skin_data.h"

#include <memory>

namespace orvo {

class TSkinChooser;

class TfExample : public TForm {
    ORVO_CLASS(TfExample, TForm)
public:
    explicit TfExample(TComponent* owner);
    ~TfExample() override;
    static void Publish(TPublisher<TfExample>& p);

    TGroupBox* GroupBox1 = nullptr;
    TButton* btnBrowse = nullptr;
    TEdit* edtFile = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TLabel* lbLines = nullptr;
    TLabel* lbLimit = nullptr;
    TEdit* edtLines = nullptr;
    TCheckBox* ckSameDir = nullptr;
    TCheckBox* ckGrayed = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* lbInPanel = nullptr;
    TImage* Image1 = nullptr;
    TLabel* lbTitle = nullptr;
    TLabel* lbVersion = nullptr;
    TLabel* lbLink = nullptr;
    TMemo* MemoLog = nullptr;
    TPanel* pnStatus = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* miSkinSlate = nullptr;
    TMenuItem* miSkinJade = nullptr;
    TMenuItem* miSkinFile = nullptr;
    TMenuItem* miSkinNone = nullptr;
    TPopupMenu* pmExample = nullptr;
    TSkinData* SkinData1 = nullptr;
    // The skinned control families, each beside its twin with Tag 99 (the platform's look).
    TGroupBox* gbSkinned = nullptr;
    TGroupBox* gbTwin = nullptr;
    TBitBtn* bbSkinned = nullptr;
    TMenuButton* mbSkinned = nullptr;
    TSpeedButton* sbDownSkinned = nullptr;
    TRadioButton* rb1Skinned = nullptr;
    TRadioGroup* rgSkinned = nullptr;
    TStatusBar* stSkinned = nullptr;

    void FormCreate(TObject* Sender);
    void btnBrowseClick(TObject* Sender);
    void edtLinesKeyPress(TObject* Sender, wchar_t& Key);
    void ckSameDirClick(TObject* Sender);
    void lbLinkClick(TObject* Sender);
    void btnOkClick(TObject* Sender);
    void btnCancelClick(TObject* Sender);
    void miExitClick(TObject* Sender);
    void miSkinClick(TObject* Sender);
    void miSkinFileClick(TObject* Sender);
    void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // The skin given on the command line (a .skn file), applied once the form exists.
    void UseSkinFile(const std::wstring& path);

private:
    void Log(const std::wstring& line);
    void SkinChosen(TMenuItem* item, const std::wstring& refused);

    std::unique_ptr<TSkinChooser> FSkins;
    TImageList FGlyphs{nullptr};
};

extern TfExample* fExample;

} // namespace orvo
