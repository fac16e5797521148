// Windows made on demand from the inside out: asking a nested control for its window makes each
// window of the chain once, children in their parents.
#include "framework/controls/edit.h"
#include "framework/forms/forms.h"
#include "framework/controls/group_box.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvo {
namespace {

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

TEST(WindowCreation, ANestedControlAskedFirstMakesEveryWindowOnce) {
    TForm form(nullptr);
    auto* first = new TGroupBox(&form);
    first->SetParent(&form);
    auto* box = new TGroupBox(&form);
    box->SetParent(&form);
    auto* edit = new TEdit(&form);
    edit->SetParent(box);
    auto* sibling = new TEdit(&form);
    sibling->SetParent(box);
    ASSERT_FALSE(form.HandleAllocated());

    HWND editWindow = edit->Handle();
    ASSERT_TRUE(form.HandleAllocated());
    EXPECT_EQ(ChildWindows(form.Handle()), (std::vector<HWND>{first->Handle(), box->Handle()}))
        << "one window per group box, no strays";
    EXPECT_EQ(ChildWindows(box->Handle()), (std::vector<HWND>{editWindow, sibling->Handle()}));
    EXPECT_EQ(GetParent(editWindow), box->Handle());
    EXPECT_EQ(edit->Handle(), editWindow) << "asking again gives the same window";
}

} // namespace
} // namespace orvo
