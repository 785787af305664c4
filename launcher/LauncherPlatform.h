#pragma once
// The system calls of the launcher, one thin function each, so that the
// launcher's own code reads as its rules. Paths and command lines are UTF-16
// from the system call that produced them to the one that uses them, so no
// character of a folder name is lost; names and texts are code page 1250 and
// cross to the system through the wide-character calls.

#include <windows.h>

#include <string>

// The shell-link object's two interfaces (declared by the system headers;
// the launcher only holds and passes them).
struct IShellLinkW;
struct IPersistFile;

// Restricts where the program's DLLs are loaded from to the system folder,
// so that a DLL planted beside the program (a copied medium in a downloads
// folder) is never loaded. Called first thing in the program entry; on a
// system without the restriction it only loads from the system folder the
// libraries that system libraries load later by their bare names.
void RestrictDllSearch();

// The launcher takes no typed text: its windows go without the input method's
// windows and the libraries those load, which would lengthen its start. Called
// in the program entry, before any window is made.
void DisableInputMethods();

// Folder of the running program file, ending in a backslash.
std::wstring ProgramFolder();

// Posts WM_QUIT (both parameters 0) to a top-level window of the class, any
// title. False if there is no such window.
bool PostQuitToWindowOfClass(const std::string& className);

// Starts a command line as WinExec does (no program name of its own, the
// command line parsed by the system, the given show command), without
// waiting. True if the program started.
bool ExecuteCommandLine(const std::wstring& commandLine, int showCommand);

// Starts a program through the shell (the default action, normal window) and
// keeps its process handle, which may be null when the shell handed the
// request to a running program. With noErrorUi the shell shows no error
// dialog of its own when the program cannot be started.
bool ShellExecuteKeepingProcess(HWND owner, const std::wstring& program, const std::wstring& parameters,
                                bool noErrorUi, HANDLE& process);

enum class TProcessWait { Ended, TimedOut, Failed };
// Waits up to `milliseconds` for the process to end.
TProcessWait WaitForProcess(HANDLE process, unsigned milliseconds);
void CloseProcessHandle(HANDLE process);

// Opens a document (or starts a program) through the shell with the default
// action in a normal window; the result is not reported.
void ShellOpen(HWND owner, const std::wstring& file);

// Whether the key can be opened for reading (KEY_READ).
bool RegistryKeyCanBeRead(HKEY root, const std::string& path);

bool FileExists(const std::wstring& path);
// Creates one folder; false if it exists already or cannot be made.
bool CreateFolder(const std::wstring& path);
// The user's desktop folder as the shell knows it, without a trailing
// backslash; empty if the shell cannot name an existing one.
std::wstring ShellDesktopFolder();

// Blocks the interface thread (no messages are processed meanwhile).
void Pause(unsigned milliseconds);

// The shell and COM are started on the interface thread by the first action
// that needs them (not with the program, whose window appears sooner so);
// this ends COM at program end if it was started.
void StopComApartment();

// Makes one shell-link object and returns its two interfaces (both null on
// failure). ReleaseShellLinkObject releases whatever the two refer to.
bool CreateShellLinkObject(IShellLinkW*& link, IPersistFile*& file);
void ReleaseShellLinkObject(IShellLinkW*& link, IPersistFile*& file);
// The results of these calls are not reported: a shortcut that cannot be
// written is simply missing.
void ShellLinkSetArguments(IShellLinkW* link, const std::wstring& arguments);
void ShellLinkSetPath(IShellLinkW* link, const std::wstring& path);
void ShellLinkSetWorkingDirectory(IShellLinkW* link, const std::wstring& folder);
void PersistFileSave(IPersistFile* file, const std::wstring& fileName, bool remember);
