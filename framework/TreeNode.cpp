#include "framework/TreeNode.h"

#include <cstring>

#include "framework/TreeView.h"

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

int TTreeNode::AbsoluteIndex() const {
  // Every node before this one in display order: the earlier siblings with
  // all their descendants, then the parent itself, up to the root.
  int index = 0;
  const TTreeNode* n = this;
  while (n) {
    const std::vector<TTreeNode*>& siblings = n->parent_ ? n->parent_->children_ : tree_->roots_;
    for (const TTreeNode* s : siblings) {
      if (s == n) break;
      index += 1 + tree_->DescendantCount(s);
    }
    if (n->parent_) ++index;
    n = n->parent_;
  }
  return index;
}

bool TTreeNode::Expanded() const {
  return (tree_->SendTree(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand(bool recurse) {
  tree_->SendTree(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
  if (recurse)
    for (TTreeNode* c : children_) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  tree_->SendTree(TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
  if (recurse)
    for (TTreeNode* c : children_) c->Collapse(true);
}

bool TTreeNode::Selected() const { return tree_->Selected() == this; }

void TTreeNode::MakeVisible() { tree_->SendTree(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_)); }

RECT TTreeNode::DisplayRect(bool textOnly) const {
  RECT r{};
  HTREEITEM item = item_;
  std::memcpy(&r, &item, sizeof item);  // the message takes the item in the rectangle
  if (!tree_->SendTree(TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r))) r = RECT{};
  return r;
}
