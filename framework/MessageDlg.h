#pragma once
// The framework's message dialog: a modal window with an icon, the message
// and a row of buttons, all of them child windows that carry their texts
// (so screen readers and test tools can read and press them). The captions
// are the framework's own ("Confirm", "&Yes", ...) whatever the system's
// language. Enter presses the first of OK and Yes; Esc the first of Cancel,
// No and OK; closing the window gives mrCancel.

#include <string>

#include "framework/Controls.h"
#include "framework/Set.h"

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// Shows the dialog and returns the modal result of the button pressed.
int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
// The same with the message as UTF-16, shown exactly: for a message that
// names a path, whose letters code page 1250 may lack.
int MessageDlg(const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);

// The caption of a dialog of this type ("Information", "Confirm", ...).
std::string MessageDlgCaption(TMsgDlgType type);
// The caption of a button ("&Yes", "&No", "OK", ...) and its modal result.
std::string MessageDlgButtonCaption(TMsgDlgBtn button);
int MessageDlgButtonResult(TMsgDlgBtn button);
