#pragma once
// TCursorViewInfo: the view-information provider through which tasks and
// their cursors reach a host's drawing view. This class itself reports that
// no view is attached; a host descendant answers HasView true and fills the
// record while its view exists (and must answer false once the view or its
// control is gone).
//
// A record counts as a view only when it names a drawing view and a control
// and its three coordinate indices lie in 1..3 (UsableViewRec): anything else
// is treated as no view rather than followed.

#include <cstdint>

#include "framework/Object.h"
#include "tasks/TaskTypes.h"

class TComponent;
class TDrawingView;
class TCursorViewControl;

struct TCursorViewRec {
  // 3: world positions are not snapped, the per-coordinate grid is not used
  // and the depth keys do nothing. No other value means anything here.
  uint8_t Kind = 0;
  int32_t HorzCoord = 0;   // world coordinate (1..3) shown horizontally
  int32_t VertCoord = 0;   // ... vertically
  int32_t DepthCoord = 0;  // ... perpendicular to the screen
  double SnapStep = 0.0;   // copied into a cursor's FSnapStep on attachment
  double Factor = 0.0;     // precision factor while Ctrl is held
  double HostReals[3] = {0.0, 0.0, 0.0};  // the host's
  double Steps[3] = {0.0, 0.0, 0.0};      // per world coordinate 1..3: keys and grid
  bool GridMode = false;   // mouse positions may snap to Steps
  int32_t HostFlags = 0;   // the host's
  TComponent* HostForm = nullptr;  // the form holding the view; parent of hint windows
  TDrawingView* View = nullptr;
  TCursorViewControl* Control = nullptr;
  void* HostData = nullptr;  // the host's

  double StepOf(int32_t coord) const { return Steps[coord - 1]; }
};

bool UsableViewRec(const TCursorViewRec& r);

class TCursorViewInfo : public TObject {
public:
  virtual bool HasView() { return false; }
  virtual void GetInfo(TCursorViewRec& rec) { rec = TCursorViewRec{}; }
  // For the host: a world point in the provider's terms.
  virtual void ConvertPoint(const TWorldPoint& in, TWorldPoint& out) { out = in; }
  virtual void Refresh() {}
};

// Fills rec and answers whether the provider reports a usable view.
bool ReadViewRec(TCursorViewInfo* info, TCursorViewRec& rec);
