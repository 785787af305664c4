#pragma once
// TTreeView: the system's tree view ("SysTreeView32"), with TTreeNode objects
// standing for its items. Nodes are added as the last child of a parent (or
// as the last root) and live until ClearNodes() or until the window goes.
// Adding nodes makes the window if it does not exist yet (it needs a parent).
//
// Events: OnChange when the selected node changes (by keyboard, mouse or
// program; not while the nodes are being cleared); OnCustomDrawItem before
// each node is drawn, with Canvas() describing how: the handler sets the
// canvas's brush colour (background), font colour and font style, and these
// are used for the node's text (DefaultDraw false leaves the node undrawn).
// Mouse buttons going down raise OnMouseDown after the tree view has handled
// them (so the clicked node is already selected). With DoubleClicks off, a
// double click reaches the tree view as a second single press.

#include "framework/TreeNode.h"
#include "framework/WinControl.h"

#include <memory>

enum TCustomDrawStateFlag : uint8_t {
  cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate
};
using TCustomDrawState = TSet<TCustomDrawStateFlag>;

class TTreeView;
using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVCustomDrawItemEvent =
    TEvent<void(TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;

class TTreeView : public TWinControl {
public:
  explicit TTreeView(TComponent* owner);
  ~TTreeView() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Nodes.
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text, intptr_t data = 0);
  void ClearNodes();
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  // The node at this position in display order (every node counted), or null.
  TTreeNode* Node(int absoluteIndex) const;
  TTreeNode* FirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
  // The node whose row holds the client point, or null.
  TTreeNode* GetNodeAt(int x, int y) const;
  TTreeNode* Selected() const;
  // Makes node the selected one (null: no selection).
  void SetSelected(TTreeNode* node);
  // Scrolls node to the top row.
  void SetTopItem(TTreeNode* node);
  void FullExpand();
  void FullCollapse();
  // Redrawing pauses between BeginUpdate and the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // Appearance and behaviour (window styles).
  bool AutoExpand() const { return autoExpand_; }
  void SetAutoExpand(bool value) { autoExpand_ = value; ApplyStyles(); }
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool value) { hotTrack_ = value; ApplyStyles(); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; ApplyStyles(); }
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool value) { showButtons_ = value; ApplyStyles(); }
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool value) { showLines_ = value; ApplyStyles(); }
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool value) { showRoot_ = value; ApplyStyles(); }
  // A flat tree has a one-pixel border instead of the sunken 3-D edge.
  bool Flat() const { return flat_; }
  void SetFlat(bool value) { flat_ = value; ApplyStyles(); }
  bool DoubleClicks() const { return doubleClicks_; }
  void SetDoubleClicks(bool value) { doubleClicks_ = value; }
  // The height of a row as the window shows it (from its font), pixels; 0
  // without a window. (A node's DisplayRect may be a pixel short of it.)
  int ItemHeight() const;
  // Pixels per level; the window may raise it to its minimum.
  int Indent() const;
  void SetIndent(int value);

  // The drawing description during OnCustomDrawItem, else null.
  TCanvas* Canvas() const { return drawCanvas_; }

  TTVChangedEvent OnChange;
  TTVCustomDrawItemEvent OnCustomDrawItem;

  // For the nodes.
  LRESULT SendTree(UINT message, WPARAM wParam, LPARAM lParam) const;

protected:
  void CreateParams(TCreateParams& params) override;
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool Notify(NMHDR& header, LRESULT& result) override;
  void ColorChanged() override;

private:
  friend class TTreeNode;
  DWORD TreeStyles() const;
  void ApplyStyles();
  void ForgetNodes();
  LRESULT CustomDraw(NMTVCUSTOMDRAW& draw);
  static TTreeNode* NodeOf(HTREEITEM item, const TTreeView* tree);
  int DescendantCount(const TTreeNode* node) const;
  void MouseButtonDown(TMouseButton button, WPARAM wParam, LPARAM lParam);

  std::vector<std::unique_ptr<TTreeNode>> nodes_;  // every node, in the order added
  std::vector<TTreeNode*> roots_;
  bool autoExpand_ = false;
  bool hotTrack_ = false;
  bool readOnly_ = false;
  bool showButtons_ = true;
  bool showLines_ = true;
  bool showRoot_ = true;
  bool flat_ = false;
  bool doubleClicks_ = true;
  int indent_ = 19;
  int updateCount_ = 0;
  bool clearing_ = false;
  TCanvas* drawCanvas_ = nullptr;  // not owned; set during OnCustomDrawItem
};
