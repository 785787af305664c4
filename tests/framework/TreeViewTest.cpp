// The tree view with its nodes in a real window: display order and levels
// whatever the order of adding, hit testing, selection events (none while
// clearing), custom-drawn colours on the screen, and mouse presses reported
// after the tree view has selected the node.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/CustomForm.h"
#include "framework/GdiCache.h"
#include "framework/TreeView.h"

namespace {

using TLines = std::vector<std::string>;

class TreeViewWindow : public ::testing::Test {
protected:
  void SetUp() override {
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(60, 60, 300, 300);
    tree = new TTreeView(form);
    tree->SetParent(form);
    tree->SetBounds(10, 10, 220, 220);
    // Added out of display order: A3 comes after B.
    TTreeNode* a = tree->AddChild(nullptr, "A", 1);
    tree->AddChild(a, "A1", 2);
    TTreeNode* a2 = tree->AddChild(a, "A2", 3);
    TTreeNode* b = tree->AddChild(nullptr, "B", 4);
    tree->AddChild(b, "B1", 5);
    tree->AddChild(a, "A3", 6);
    tree->AddChild(a2, "A21", 7);
    tree->FullExpand();
    tree->OnChange = TTVChangedEvent::Of<&TreeViewWindow::Changed>(this);
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    Pump(20);
    log.clear();  // taking the focus, the tree selected its first node
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }
public:  // event handlers
  void Changed(TObject*, TTreeNode* node) { log.push_back("change " + (node ? node->Text() : "none")); }
  void Pressed(TObject*, TMouseButton, TShiftState, int, int) {
    log.push_back("down " + (tree->Selected() ? tree->Selected()->Text() : "none"));
  }
  void DoubleClicked(TObject*) { log.push_back("double"); }
  void Draw(TTreeView* sender, TTreeNode* node, TCustomDrawState, bool&) {
    if (node->Text() == "B") sender->Canvas()->Brush().SetColor(clRed);
    if (node->HasChildren()) sender->Canvas()->Font().SetStyle({fsBold});
  }

protected:
  TTreeNode* Find(const std::string& text) {
    for (int i = 0; i < tree->NodeCount(); ++i)
      if (tree->Node(i)->Text() == text) return tree->Node(i);
    return nullptr;
  }
  POINT Middle(TTreeNode* node) {
    RECT r = node->DisplayRect(true);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  TLines Take() {
    TLines out;
    out.swap(log);
    return out;
  }

  TForm* form = nullptr;
  TTreeView* tree = nullptr;
  TLines log;
};

TEST_F(TreeViewWindow, NodesAreInDisplayOrderWhateverTheOrderOfAdding) {
  const std::pair<const char*, int> expected[] = {{"A", 0},  {"A1", 1}, {"A2", 1}, {"A21", 2},
                                                  {"A3", 1}, {"B", 0},  {"B1", 1}};
  ASSERT_EQ(tree->NodeCount(), 7);
  for (int i = 0; i < 7; ++i) {
    TTreeNode* n = tree->Node(i);
    ASSERT_NE(n, nullptr) << i;
    EXPECT_EQ(n->Text(), expected[i].first);
    EXPECT_EQ(n->Level(), expected[i].second) << n->Text();
    EXPECT_EQ(n->AbsoluteIndex(), i) << n->Text();
    EXPECT_EQ(tree->GetNodeAt(Middle(n).x, Middle(n).y), n) << n->Text();
  }
  EXPECT_EQ(tree->Node(7), nullptr);
  EXPECT_EQ(tree->Node(-1), nullptr);
  EXPECT_EQ(Find("A21")->Parent(), Find("A2"));
  EXPECT_EQ(Find("B1")->Data, 5);

  Find("A")->Collapse(false);
  EXPECT_FALSE(Find("A")->Expanded());
  EXPECT_TRUE(Find("A2")->Expanded());
  tree->FullCollapse();
  EXPECT_FALSE(Find("A2")->Expanded());
  EXPECT_EQ(Find("A1")->DisplayRect(false).bottom, 0);  // hidden under its parent
}

TEST_F(TreeViewWindow, SelectionChangesReachOnChangeButClearingDoesNot) {
  tree->SetSelected(Find("A1"));
  tree->SetFocus();
  SendMessageW(tree->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Take(), (TLines{"change A1", "change A2"}));
  EXPECT_TRUE(Find("A2")->Selected());

  tree->ClearNodes();
  Pump(20);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(tree->NodeCount(), 0);
  EXPECT_EQ(tree->Selected(), nullptr);
  EXPECT_EQ(tree->FirstNode(), nullptr);
}

TEST_F(TreeViewWindow, CustomDrawnColoursReachTheScreen) {
  tree->OnCustomDrawItem = TTVCustomDrawItemEvent::Of<&TreeViewWindow::Draw>(this);
  InvalidateRect(tree->Handle(), nullptr, TRUE);
  UpdateWindow(tree->Handle());
  Pump(20);
  auto pixelLeftOf = [&](TTreeNode* n) {
    RECT r = n->DisplayRect(true);
    POINT p = ClientToScreenPoint(tree->Handle(), r.left + 1, r.top + 1);
    return ScreenPixel(p.x, p.y);
  };
  EXPECT_EQ(pixelLeftOf(Find("B")), RGB(255, 0, 0));
  EXPECT_EQ(pixelLeftOf(Find("B1")), gdi::ColorToRGB(clWindow));
  EXPECT_EQ(tree->Canvas(), nullptr);  // only while drawing
}

TEST_F(TreeViewWindow, APressIsReportedAfterTheTreeSelectedTheNode) {
  tree->OnMouseDown = TMouseEvent::Of<&TreeViewWindow::Pressed>(this);
  tree->OnDblClick = TNotifyEvent::Of<&TreeViewWindow::DoubleClicked>(this);
  tree->SetDoubleClicks(false);
  POINT p = Middle(Find("A2"));
  PostMessageW(tree->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageW(tree->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Pump(50);
  EXPECT_EQ(Take(), (TLines{"change A2", "down A2"}));

  p = Middle(Find("B1"));
  PostMessageW(tree->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageW(tree->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  Pump(50);
  EXPECT_EQ(Take(), (TLines{"change B1", "down B1"}));  // a second press, not a double click
}

}  // namespace
