#pragma once
// TStructCombo: a one-line selector for a choice from a hierarchical list.
// It shows the chosen item's text with a drop button at its right end; the
// button, a left click, Enter, Space or Down opens a tree under it in which
// groups (bold, in ParentNodeColor) open and close and only leaves can be
// chosen. Every item carries an integer identifier; the choice is read and
// set by it (ObjectIndex), not by position.
//
// Items: one entry per node, in display order. The number of leading '_'
// gives the level (0 to 3), the rest is the caption, the entry's object is
// the identifier. A level n entry (n = 1..3) becomes a child of the most
// recent node of level n-1, or a root node while there is none; more than
// three '_' make a root node like level 0. An empty entry ends the list:
// later entries get no node (and count as absent for ObjectIndex).
//
// States of the tree: closed (hidden) and open (shown, normally focused).
//   closed -> open    ToggleTree (button, click, Enter/Space/Down on the combo)
//   open -> closed    choosing a leaf, Escape, a click anywhere outside the
//                     tree (swallowed), ToggleTree, or the focus going
//                     elsewhere. Every close raises OnCloseUp once.
// While the tree has the focus the combo's application message hook is
// installed (it sees clicks outside the tree); it is removed on every close
// and when the combo is destroyed, and installed at most once. When the
// focus cannot go back to the combo (it was disabled or hidden meanwhile),
// the tree is closed directly.
//
// StructComboUnitStart() registers the class for layouts. Programs using the
// combo link the library's bitmaps (the drop button's glyph "DROPBUTTON12").

#include <vector>

#include "framework/Panel.h"
#include "framework/StringList.h"
#include "framework/TreeView.h"

class TDropButton;
class TComboTree;

class TStructCombo : public TPanel {
public:
  explicit TStructCombo(TComponent* owner);
  ~TStructCombo() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TDropButton* DropButton() const { return dropButton_; }  // owned
  TComboTree* Tree() const { return tree_; }               // owned; null once destroyed

  const TStringList& Items() const { return items_; }
  // Copies the entries and rebuilds the tree.
  void SetItems(const TStringList& items);
  // The identifier of the chosen item, -1 for none. Setting an identifier
  // that no entry (with a node) has empties the text and raises OnChange;
  // setting a found one shows its text and selects its node, without
  // OnChange.
  int32_t ObjectIndex() const { return objectIndex_; }
  void SetObjectIndex(int32_t value);
  TColor ParentNodeColor() const { return parentNodeColor_; }
  void SetParentNodeColor(TColor value);
  // Upper limits of the tree's size in pixels (0: none) and the indentation
  // per level; all three take effect at the next rebuild.
  int TreeHeight() const { return treeHeight_; }
  void SetTreeHeight(int value) { treeHeight_ = value; }
  int TreeIndent() const { return treeIndent_; }
  void SetTreeIndent(int value) { treeIndent_ = value; }
  int TreeMaxWidth() const { return treeMaxWidth_; }
  void SetTreeMaxWidth(int value) { treeMaxWidth_ = value; }
  // The tree's height as the last rebuild computed it.
  int UsedTreeHeight() const { return usedTreeHeight_; }
  bool Drawing() const { return drawing_; }
  bool TreeOpen() const { return open_; }

  TNotifyEvent OnChange;   // the chosen item changed (while moving through the open tree, too)
  TNotifyEvent OnCloseUp;  // the tree closed

  // Handlers of the drop button and the tree.
  virtual void ToggleTree(TObject* Sender);
  virtual void TreeCustomDraw(TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw);
  virtual void TreeKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  virtual void TreeMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void TreeEnter(TObject* Sender);
  void TreeExit(TObject* Sender);
  void TreeChange(TObject* Sender, TTreeNode* Node);
  void MessageHook(MSG& Msg, bool& Handled);

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

  // For the tree.
  void TreeDestroyed(TComboTree* tree);
  void TreeFocusLost(HWND next);
  void TreeNodesGone() { entryNodes_.clear(); }
  // The tree's window was made; made anew (its form's window was made
  // again), it has lost its nodes, which are built again.
  void TreeWindowMade();

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(TCanvas& canvas) override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  void BoundsChanged() override;

private:
  void Rebuild();
  void SizeTree();
  void LayoutButton();
  void GiveTreeItsParent();
  void Choose(TTreeNode* node);
  void CloseTree();
  void Unhook();
  // The combo or its form is being destroyed: no events any more.
  bool Dying() const;

  TDropButton* dropButton_ = nullptr;
  TComboTree* tree_ = nullptr;
  TStringList items_;
  std::vector<TTreeNode*> entryNodes_;  // the node of each entry; null where the build stopped
  int32_t objectIndex_ = -1;
  TColor parentNodeColor_ = 0x000080;
  int treeMaxWidth_ = 0;
  int treeHeight_ = 125;
  int treeIndent_ = 20;
  int usedTreeHeight_ = 0;
  bool drawing_ = false;
  bool open_ = false;    // shown by ToggleTree and not closed since
  bool hooked_ = false;  // MessageHook is among the application's hooks
  bool rebuilding_ = false;
};

void StructComboUnitStart();
