#pragma once
// Types shared by the controls: alignment, mouse and keyboard event
// signatures and the shift state.

#include <cstdint>

#include "framework/Event.h"
#include "framework/Set.h"

class TEnumInfo;

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
// The edges of its parent a control keeps its distance to when the parent's
// client area changes size (see TWinControl).
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

// Shift 1, Alt 2, Ctrl 4 in the low bits, then the mouse buttons held.
enum TShiftFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftFlag>;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// Key is a virtual key code; a handler that sets it to 0 consumes the key.
using TKeyEvent = TEvent<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
// Key is a code page 1250 character; a handler that sets it to 0 consumes it.
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;

const TEnumInfo& AlignInfo();
const TEnumInfo& AlignmentInfo();
const TEnumInfo& AnchorKindInfo();

// Modal results, as buttons and dialogs return them.
enum TModalResult : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
  mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10
};
