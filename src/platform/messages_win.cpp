#include "platform/messages_win.h"

#include <windows.h>

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

}  // namespace zil::platform
