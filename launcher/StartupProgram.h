#pragma once
// The launcher program: the framework and the library's units, the launcher
// form (the main form) and the hidden set-up information window, the message
// loop, and the orderly end (LibraryUnits.h). COM is started on this (the
// interface) thread for the program's lifetime.
//
// afterCreate, when given, runs once both forms exist and before the message
// loop starts; only test variants of the program pass one.

int RunStartupProgram(void (*afterCreate)() = nullptr);
