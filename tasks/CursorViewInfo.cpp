#include "tasks/CursorViewInfo.h"

namespace {
bool ValidCoord(int32_t c) { return c >= 1 && c <= 3; }
}  // namespace

bool UsableViewRec(const TCursorViewRec& r) {
  return r.View && r.Control && ValidCoord(r.HorzCoord) && ValidCoord(r.VertCoord) && ValidCoord(r.DepthCoord);
}

bool ReadViewRec(TCursorViewInfo* info, TCursorViewRec& rec) {
  rec = TCursorViewRec{};
  if (!info || !info->HasView()) return false;
  info->GetInfo(rec);
  return UsableViewRec(rec);
}
