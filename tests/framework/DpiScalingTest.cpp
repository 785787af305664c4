// A form made for 96 DPI scaled to the screen's DPI: edges scale (controls
// that meet still meet), own fonts scale and followed fonts follow the form,
// auto-sized labels measure their text anew from their anchored edge; at
// 96 DPI nothing changes.

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/CustomForm.h"
#include "framework/DpiScaling.h"
#include "framework/Label.h"
#include "framework/Shape.h"

namespace {

TEST(DpiScaling, AFormKeepsItsDesignedProportions) {
  for (int dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    auto* form = TCustomForm::Create<TForm>(Application);
    form->SetClientWidth(301);
    form->SetClientHeight(201);
    form->Font()->SetHeight(-11);
    auto place = [&](TControl* c, int left, int top, int width, int height) {
      c->SetParent(form);
      c->SetBounds(left, top, width, height);
    };
    auto* left = new TShape(form);
    place(left, 0, 0, 101, 51);
    auto* right = new TShape(form);
    place(right, 101, 0, 99, 51);
    auto* own = new TLabel(form);  // auto-sized, right-justified, a font of its own
    place(own, 200, 100, 60, 16);
    own->SetAlignment(taRightJustify);
    own->Font()->SetHeight(-14);
    own->SetCaption("Kilépés");
    const int ownRight = own->Left() + own->Width();
    auto* follower = new TLabel(form);
    place(follower, 10, 150, 50, 13);
    follower->SetCaption("Lépésről lépésre");
    const int followerWidth = follower->Width();

    ScaleForm(*form, dpi);
    auto scaled = [&](int v) { return v * dpi / 96; };
    EXPECT_EQ(form->ClientWidth(), scaled(301));
    EXPECT_EQ(form->ClientHeight(), scaled(201));
    EXPECT_EQ(left->Left(), 0);
    EXPECT_EQ(left->Left() + left->Width(), right->Left()) << "the two shapes still meet";
    EXPECT_EQ(right->Left() + right->Width(), scaled(200));
    EXPECT_EQ(right->Height(), scaled(51));
    EXPECT_EQ(form->Font()->Height(), -11 * dpi / 96);
    EXPECT_EQ(own->Font()->Height(), -14 * dpi / 96);
    EXPECT_EQ(follower->Font()->Height(), form->Font()->Height());
    EXPECT_EQ(own->Left() + own->Width(), scaled(ownRight)) << "a right-justified label keeps its right edge";
    EXPECT_EQ(follower->Left(), scaled(10));
    // The text is measured in the larger font: about as much wider.
    EXPECT_NEAR(follower->Width(), scaled(followerWidth), scaled(followerWidth) / 6 + 2);
    TComponent::Free(form);
  }
}

}  // namespace
