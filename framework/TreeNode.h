#pragma once
// TTreeNode: one node of a tree view. The tree view owns its nodes; a node
// exists as long as its item in the tree view's window (clearing the tree or
// destroying its window frees every node). Text and Data are kept by the node;
// the expanded and selected states are asked of the window.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Object.h"

class TTreeView;

class TTreeNode : public TObject {
public:
  TTreeView* TreeView() const { return tree_; }  // not owned
  HTREEITEM ItemId() const { return item_; }
  const std::string& Text() const { return text_; }
  // The caller's value kept with the node.
  intptr_t Data = 0;

  TTreeNode* Parent() const { return parent_; }  // not owned
  // 0 for a root node, 1 for its children, ...
  int Level() const;
  int Count() const { return static_cast<int>(children_.size()); }
  TTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)); }
  bool HasChildren() const { return !children_.empty(); }
  // The position in display order, counting every node (collapsed or not).
  int AbsoluteIndex() const;

  bool Expanded() const;
  void SetExpanded(bool value) { value ? Expand(false) : Collapse(false); }
  void Expand(bool recurse);
  void Collapse(bool recurse);
  bool Selected() const;
  // Expands the parents and scrolls the node into view.
  void MakeVisible();
  // The node's row (or, with textOnly, its text) in the tree's client
  // coordinates; empty while the node is not shown (a parent collapsed).
  RECT DisplayRect(bool textOnly) const;

private:
  friend class TTreeView;
  TTreeNode(TTreeView* tree, TTreeNode* parent, std::string text, intptr_t data)
      : Data(data), tree_(tree), parent_(parent), text_(std::move(text)) {}

  TTreeView* tree_;
  TTreeNode* parent_;
  std::string text_;
  HTREEITEM item_ = nullptr;
  std::vector<TTreeNode*> children_;  // owned by the tree view
};
