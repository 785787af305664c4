// The menu-loop events of the library forms, in a unit of their own so that
// a program can connect them without linking the forms themselves.
#include "forms/frDefaul.h"

TNotifyEvent OnFormMenuLoopEnter;
TNotifyEvent OnFormMenuLoopExit;
