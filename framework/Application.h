#pragma once
// TApplication: the program's message loop and its application window.
//
// The application window is a zero-size window that carries the program's
// title on the task bar; every form is owned by it, so forms get no task-bar
// buttons of their own. It is shown while the main form is.
//
// The main form is the first form made through CreateForm; closing it ends
// the message loop. Messages are processed only on the interface thread; the
// Terminated flag is set when the loop receives WM_QUIT (Terminate() posts
// it), and nested loops (ProcessMessages, modal forms, waits) check it.
//
// Exceptions that reach the message loop or a window procedure go to
// HandleException: OnException when assigned, else a message dialog.
//
// Message hooks see every message the application's loops take (Run,
// HandleMessage, ProcessMessages; not WM_QUIT) before it is translated and
// dispatched, the hook added last first. A hook that sets Handled swallows the
// message: the hooks added before it and the window never see it. A hook
// removed while the message is going round is not called any more, so an
// object may remove its hook (or be freed) from inside a hook.

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Event.h"

class TCustomForm;

using TExceptionEvent = TEvent<void(TObject* Sender, const std::exception* E)>;
using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // Makes the application window.
  void Initialize();

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  HWND Handle() const { return handle_; }
  TCustomForm* MainForm() const { return mainForm_; }
  // The form that was activated last, if it still exists.
  TCustomForm* ActiveForm() const { return activeForm_; }
  bool ShowMainForm = true;
  // The hint-changed handler: raised by whatever changes the text the host
  // shows as its hint or status (the task framework, with the task as Sender).
  TNotifyEvent OnHint;

  // Makes a form of class T owned by the application, with ref set before its
  // OnCreate runs; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& ref);

  // Shows the main form and processes messages until Terminated.
  void Run();
  // Processes every message waiting now, without waiting for more.
  void ProcessMessages();
  // Waits for one message and processes it.
  void HandleMessage();
  bool Terminated() const { return terminated_; }
  void Terminate();

  void HandleException(const std::exception* e);
  TExceptionEvent OnException;

  // Adding a hook that is already there, or removing one that is not, does
  // nothing.
  void AddMessageHook(TMessageEvent hook);
  void RemoveMessageHook(TMessageEvent hook);
  bool HasMessageHook(TMessageEvent hook) const;

  // For forms: bookkeeping of the framework.
  void MainFormShowing(bool showing);
  void Minimize();
  void Restore();
  void FormActivated(TCustomForm* form);
  void FormDestroyed(TCustomForm* form);
  // Frees the form once the current message is done (owned by the
  // application or by nobody; a form freed in between is forgotten).
  void Release(TCustomForm* form);
  // Frees every form (and whatever else the application owns), last made
  // first: the end of a program, before the units its forms use stop.
  void FreeForms();

private:
  void FormCreated(TCustomForm* form);
  bool ProcessMessage(MSG& msg);
  bool RunMessageHooks(MSG& msg);
  bool HandleDialogKeys(MSG& msg);
  static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);

  HWND handle_ = nullptr;
  std::string title_;
  TCustomForm* mainForm_ = nullptr;    // owned (as a component), not separately
  TCustomForm* activeForm_ = nullptr;  // not owned
  std::vector<TCustomForm*> released_;  // waiting to be freed; not owned until then
  bool terminated_ = false;
  bool quitPosted_ = false;  // Terminate was called
  std::vector<TMessageEvent> messageHooks_;  // oldest first; the objects are not owned
};

// The one application object of the program; made by StartFramework().
extern TApplication* Application;

// Starts the framework: the application object and the classes layouts may
// name. StopFramework() frees the application and with it every form.
void StartFramework();
void StopFramework();

// For window procedures: hands an exception to the application (or, without
// one, reports it on the error output).
void HandleUnexpectedException(const std::exception* e);

#include "framework/CustomForm.h"

template <class T>
void TApplication::CreateForm(T*& ref) {
  T* form = new T(this);
  ref = form;
  try {
    form->InitializeComponents();
    FormCreated(form);
    form->AfterConstruction();
  } catch (...) {
    ref = nullptr;
    if (mainForm_ == form) mainForm_ = nullptr;
    TComponent::Free(form);
    throw;
  }
}
