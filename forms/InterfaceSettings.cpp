#include "forms/InterfaceSettings.h"

TInterfaceSettings InterfaceSettings;
