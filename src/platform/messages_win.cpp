#include "platform/messages_win.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>

namespace zil::platform {
namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::Question:
      return MB_ICONQUESTION;
  }
  return 0;
}

UINT ButtonStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return MB_OK;
    case MessageButtons::OkCancel:
      return MB_OKCANCEL;
    case MessageButtons::YesNo:
      return MB_YESNO;
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNoCancelAll:  // the platform's box has no "All": Yes, No and Cancel are offered
      return MB_YESNOCANCEL;
  }
  return MB_OK;
}

MessageAnswer Unanswered(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNoCancelAll:
      return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
      return MessageAnswer::No;
    case MessageButtons::Ok:
      break;
  }
  return MessageAnswer::Ok;
}

const WCHAR* Wide(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }

PCWSTR TaskIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return TD_ERROR_ICON;
    case MessageIcon::Warning:
      return TD_WARNING_ICON;
    case MessageIcon::Information:
    case MessageIcon::Question:  // task dialogs have no question mark
      return TD_INFORMATION_ICON;
  }
  return nullptr;
}

using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// The common controls of version 6 have task dialogs; the add-in does not link them, since a process
// that runs version 5 has none and the add-in must still load there.
TaskDialogIndirectFunction FindTaskDialog() {
  const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
  if (controls == nullptr) return nullptr;
  return reinterpret_cast<TaskDialogIndirectFunction>(
      reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")));
}

constexpr int kFirstChoice = 100;  // the task dialog's id of the first button

}  // namespace

MessageAnswer Win32Messages::Show(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                                  MessageButtons buttons) {
  // Modal to the active window (AutoCAD's) when there is one, else to the whole thread.
  const HWND owner = GetActiveWindow();
  const UINT modality = owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
  const int answer =
      MessageBoxW(owner, reinterpret_cast<const WCHAR*>(text.c_str()), reinterpret_cast<const WCHAR*>(caption.c_str()),
                  IconStyle(icon) | ButtonStyle(buttons) | modality | MB_SETFOREGROUND);
  switch (answer) {
    case IDOK:
      return MessageAnswer::Ok;
    case IDCANCEL:
      return MessageAnswer::Cancel;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    default:
      return Unanswered(buttons);
  }
}

std::size_t Win32Messages::Choose(const std::u16string& caption, const std::u16string& text, MessageIcon icon,
                                  const std::vector<std::u16string>& choices) {
  if (choices.empty()) return 0;
  if (const TaskDialogIndirectFunction taskDialog = FindTaskDialog()) {
    std::vector<TASKDIALOG_BUTTON> buttons;
    for (std::size_t i = 0; i < choices.size(); ++i)
      buttons.push_back({kFirstChoice + static_cast<int>(i), Wide(choices[i])});
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = GetActiveWindow();
    // Escape and the close box cancel: IDCANCEL, which is the last choice.
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = Wide(caption);
    config.pszMainIcon = TaskIcon(icon);
    config.pszContent = Wide(text);
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = kFirstChoice;
    int pressed = 0;
    if (SUCCEEDED(taskDialog(&config, &pressed, nullptr, nullptr))) {
      const int index = pressed - kFirstChoice;
      return index >= 0 && index < static_cast<int>(choices.size()) ? static_cast<std::size_t>(index)
                                                                    : choices.size() - 1;
    }
  }
  if (choices.size() > 3) return Messages::Choose(caption, text, icon, choices);
  static constexpr MessageButtons kStandIns[] = {MessageButtons::Ok, MessageButtons::YesNo,
                                                 MessageButtons::YesNoCancel};
  static constexpr const char16_t* kNames[] = {u"Yes", u"No", u"Cancel"};
  std::u16string named = text + u"\n";
  if (choices.size() > 1)
    for (std::size_t i = 0; i < choices.size(); ++i) named += u"\n" + std::u16string(kNames[i]) + u": " + choices[i];
  switch (Show(caption, named, icon, kStandIns[choices.size() - 1])) {
    case MessageAnswer::Ok:
    case MessageAnswer::Yes:
      return 0;
    case MessageAnswer::No:
      return 1;
    default:
      return choices.size() - 1;
  }
}

}  // namespace zil::platform
