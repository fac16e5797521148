// Shows the radio, bit and speed button, menu button and status bar families on one form read
// from a stored form, for looking at them (not a test): framework_families_demo.exe under Wine.
#include "framework/controls/bit_btn.h"
#include "framework/controls/group_box.h"
#include "framework/controls/menu_button.h"
#include "framework/controls/radio_group.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/status_bar.h"
#include "framework/forms/application.h"
#include "framework/forms/form_reader.h"
#include "framework/forms/forms.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"

#include <windows.h>

namespace {

const char* const DemoForm = R"(object fDemo: TForm
  Caption = 'Control families'
  ClientWidth = 460
  ClientHeight = 250
  object Mode: TRadioGroup
    Left = 10
    Top = 8
    Width = 200
    Height = 100
    Caption = '拆分方式'
    Columns = 2
    ItemIndex = 0
    Items.Strings = ('按行' '按大小' '按数量' '按章节')
  end
  object Box: TGroupBox
    Left = 220
    Top = 8
    Width = 230
    Height = 100
    Caption = 'Radio buttons'
    object rbOne: TRadioButton
      Left = 12
      Top = 24
      Width = 200
      Caption = 'Caption right'
      Checked = True
    end
    object rbTwo: TRadioButton
      Left = 12
      Top = 48
      Width = 200
      Caption = 'Caption left'
      Alignment = taLeftJustify
    end
    object rbThree: TRadioButton
      Left = 12
      Top = 72
      Width = 200
      Caption = 'Disabled'
      Enabled = False
    end
  end
  object btnOk: TBitBtn
    Left = 10
    Top = 120
    Width = 90
    Height = 28
    Kind = bkOK
  end
  object btnCancel: TBitBtn
    Left = 106
    Top = 120
    Width = 90
    Height = 28
    Kind = bkCancel
  end
  object btnRetry: TBitBtn
    Left = 202
    Top = 120
    Width = 60
    Height = 44
    Kind = bkRetry
    Layout = blGlyphTop
  end
  object btnHelp: TBitBtn
    Left = 268
    Top = 120
    Width = 90
    Height = 28
    Kind = bkHelp
    Enabled = False
  end
  object btnMore: TMenuButton
    Left = 364
    Top = 120
    Width = 86
    Height = 28
    Caption = 'More'
    DropDownMenu = Menu1
  end
  object sbLeft: TSpeedButton
    Left = 10
    Top = 176
    Width = 28
    Height = 26
    Caption = 'L'
    GroupIndex = 1
    Down = True
  end
  object sbMid: TSpeedButton
    Left = 38
    Top = 176
    Width = 28
    Height = 26
    Caption = 'C'
    GroupIndex = 1
  end
  object sbRight: TSpeedButton
    Left = 66
    Top = 176
    Width = 28
    Height = 26
    Caption = 'R'
    GroupIndex = 1
  end
  object sbFlat: TSpeedButton
    Left = 110
    Top = 176
    Width = 60
    Height = 26
    Caption = 'Flat'
    Flat = True
  end
  object sbPlain: TSpeedButton
    Left = 176
    Top = 176
    Width = 60
    Height = 26
    Caption = 'Plain'
  end
  object StatusBar1: TStatusBar
    Panels = <
      item
        Text = '就绪'
        Width = 120
      end
      item
        Text = 'centred, raised'
        Alignment = taCenter
        Bevel = pbRaised
        Width = 140
      end
      item
        Text = 'right'
        Alignment = taRightJustify
      end>
  end
  object Menu1: TPopupMenu
    object miExport: TMenuItem
      Caption = '&Export'
    end
  end
end)";

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace orvo;
    // Classes named only in the stored form are linked in by naming them once.
    for (const TClassInfo* cls : {&TRadioGroup::StaticClass(), &TRadioButton::StaticClass(), &TBitBtn::StaticClass(),
                                  &TMenuButton::StaticClass(), &TSpeedButton::StaticClass(),
                                  &TStatusBar::StaticClass(), &TGroupBox::StaticClass(),
                                  &TPopupMenu::StaticClass(), &TMenuItem::StaticClass()})
        (void)cls;
    Application->Initialize();
    TForm* form = nullptr;
    Application->CreateForm(form);
    ReadFormText(form, DemoForm);
    form->SetBounds(40, 40, form->Width(), form->Height());
    Application->Run();
    return 0;
}
