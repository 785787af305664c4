#include "framework/StandardClasses.h"

#include "framework/Bevel.h"
#include "framework/Button.h"
#include "framework/ClassRegistry.h"
#include "framework/ComboBox.h"
#include "framework/DrawGrid.h"
#include "framework/Edit.h"
#include "framework/Image.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Memo.h"
#include "framework/Panel.h"
#include "framework/Shape.h"
#include "framework/SpeedButton.h"
#include "framework/SpinEdit.h"
#include "framework/StaticText.h"
#include "framework/Timer.h"

void RegisterStandardClasses() {
  TClassRegistry& r = TClassRegistry::Instance();
  r.Register(TBevel::StaticClassInfo());
  r.Register(TButton::StaticClassInfo());
  r.Register(TComboBox::StaticClassInfo());
  r.Register(TDrawGrid::StaticClassInfo());
  r.Register(TEdit::StaticClassInfo());
  r.Register(TImage::StaticClassInfo());
  r.Register(TImageList::StaticClassInfo());
  r.Register(TLabel::StaticClassInfo());
  r.Register(TMemo::StaticClassInfo());
  r.Register(TPanel::StaticClassInfo());
  r.Register(TShape::StaticClassInfo());
  r.Register(TSpeedButton::StaticClassInfo());
  r.Register(TSpinEdit::StaticClassInfo());
  r.Register(TStaticText::StaticClassInfo());
  r.Register(TTimer::StaticClassInfo());
}
