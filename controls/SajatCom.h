#pragma once
// The input-control unit: the typed value edit (TTmrEdit), the typed spin
// edit (TTmrSpinEdit), the typed combo (TTmrCombo) with the grid it can edit
// in (TTmrDrawGrid), what they share (ValueEdit.h) and the unit's small
// routines (SignOf, TruncTolerant, ContainsChar, NotAFloat, NotAnInteger).
//
// SajatComUnitStart() registers the unit's classes so that layouts can
// create them; call it once after StartFramework() and before the first
// form is made (calling it again does no harm). The unit holds nothing that
// needs stopping.

#include "controls/EditType.h"
#include "controls/TmrCombo.h"
#include "controls/TmrDrawGrid.h"
#include "controls/TmrEdit.h"
#include "controls/TmrSpinEdit.h"
#include "controls/ValueEdit.h"
#include "controls/ValueRoutines.h"

void SajatComUnitStart();
