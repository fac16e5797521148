// Menus in stored forms: nested items, events bound to the form's methods by name, references to
// an image list written further down, and the whole form freed in its owner's order.
#include "framework/forms/form_reader.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/popup_menu.h"
#include "framework/base/properties.h"

#include "menu_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo {
namespace {

class TfMenuForm : public TComponent {
    ORVO_CLASS(TfMenuForm, TComponent)
public:
    using TComponent::TComponent;
    ~TfMenuForm() override { DestroyComponents(); }

    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* N6 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    std::vector<std::wstring> Clicks;

    void N6Click(TObject* sender) { Clicks.push_back(L"N6 " + static_cast<TMenuItem*>(sender)->Name()); }
    void N3Click(TObject*) { Clicks.push_back(L"N3"); }

    static void Publish(TPublisher<TfMenuForm>& p) {
        p.Field(L"MainMenu1", &TfMenuForm::MainMenu1);
        p.Field(L"N1", &TfMenuForm::N1);
        p.Field(L"N6", &TfMenuForm::N6);
        p.Field(L"PopupMenu1", &TfMenuForm::PopupMenu1);
        p.Method(L"N6Click", &TfMenuForm::N6Click);
        p.Method(L"N3Click", &TfMenuForm::N3Click);
    }
};
ORVO_IMPLEMENT_CLASS(TfMenuForm);

constexpr const char* FormText = R"(object fMenuForm: TfMenuForm
  object MainMenu1: TMainMenu
    object N1: TMenuItem
      Caption = '文件'
      object N6: TMenuItem
        Caption = '退出'
        ShortCut = 16465
        OnClick = N6Click
      end
    end
    object N2: TMenuItem
      Caption = '帮助'
      object N4: TMenuItem
        Caption = '产品主页'
      end
      object N5: TMenuItem
        Caption = '关于'
        Enabled = False
      end
    end
    object N3: TMenuItem
      Caption = '联系我们'
      OnClick = N3Click
    end
  end
  object PopupMenu1: TPopupMenu
    Images = ImageList1
    OwnerDraw = True
    Alignment = paRight
    Tag = 33333
    object P1: TMenuItem
      Caption = '-'
    end
    object P2: TMenuItem
      Caption = 'Checked'
      Checked = True
      RadioItem = True
      GroupIndex = 2
      ImageIndex = 0
      Visible = False
    end
  end
  object ImageList1: TImageList
  end
end
)";

TEST(MenuForm, ItemsNestAndEventsBindByName) {
    TfMenuForm form(nullptr);
    ReadFormText(&form, FormText);
    ASSERT_NE(form.MainMenu1, nullptr);
    TMenuItem* items = form.MainMenu1->Items();
    ASSERT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Items(0), form.N1);
    EXPECT_EQ(form.N1->Items(0), form.N6);
    EXPECT_EQ(form.N6->GetParentComponent(), form.N1);
    EXPECT_EQ(form.N1->GetParentComponent(), form.MainMenu1);
    EXPECT_EQ(items->Items(1)->Count(), 2);
    EXPECT_FALSE(items->Items(1)->Items(1)->Enabled());
    EXPECT_EQ(form.N6->ShortCut(), scCtrl | 'Q');

    // The native menu as a form would attach it.
    test::TMenuTestWindow window;
    window.Attach(form.MainMenu1);
    HMENU bar = GetMenu(window.Handle());
    EXPECT_EQ(test::NativeTexts(bar), (std::vector<std::wstring>{L"文件", L"帮助", L"联系我们"}));
    EXPECT_EQ(test::NativeTexts(form.N1->Handle()), (std::vector<std::wstring>{L"退出\tCtrl+Q"}));
    SendMessageW(window.Handle(), WM_COMMAND, form.N6->Command(), 0);
    SendMessageW(window.Handle(), WM_COMMAND, items->Items(2)->Command(), 0);
    EXPECT_EQ(form.Clicks, (std::vector<std::wstring>{L"N6 N6", L"N3"}));
    EXPECT_TRUE(form.MainMenu1->IsShortCut('Q', TShiftState{ssCtrl}));
    EXPECT_EQ(form.Clicks.size(), 3u);
    window.Attach(nullptr);

    TPopupMenu* popup = form.PopupMenu1;
    EXPECT_EQ(popup->Images(), form.FindComponent(L"ImageList1"));
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_EQ(popup->Alignment(), paRight);
    EXPECT_EQ(popup->Tag(), 33333);
    TMenuItem* checked = popup->Items()->Items(1);
    EXPECT_TRUE(checked->Checked() && checked->RadioItem() && !checked->Visible());
    EXPECT_EQ(checked->GroupIndex(), 2);
    EXPECT_EQ(checked->ImageIndex(), 0);
    EXPECT_EQ(GetMenuItemCount(popup->GetHandle()), 1);
}

TEST(MenuForm, AnItemOutsideAMenuIsRefused) {
    TfMenuForm form(nullptr);
    EXPECT_THROW(ReadFormText(&form, "object fMenuForm: TfMenuForm\n object X: TMenuItem\n end\nend\n"),
                 EReadError);
    EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(MenuForm, FreeingTheMenuFirstFreesItsItemsWithIt) {
    TfMenuForm form(nullptr);
    ReadFormText(&form, FormText);
    HMENU sub = form.N1->Handle();
    delete form.MainMenu1;
    EXPECT_EQ(form.MainMenu1, nullptr);
    EXPECT_EQ(form.N6, nullptr);
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_EQ(form.ComponentCount(), 4); // the popup menu, its two items and the image list
}

} // namespace
} // namespace orvo
