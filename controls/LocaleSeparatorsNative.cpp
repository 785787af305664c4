#include "LocaleSeparators.h"

TLocaleSeparators UserLocaleSeparators() { return {'.', ','}; }
