#include "dialogs/hebrew_typing.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <string>

#include "textcore/charmaps.h"
#include "textcore/codepage.h"
#include "textcore/keyboard.h"

namespace zil::dialogs {

std::optional<char16_t> HebrewForKey(char16_t key) {
  if (key >= 0x80) return std::nullopt;
  const std::string typed(1, static_cast<char>(key));
  // The letters at their Windows-1255 positions, then to Unicode.
  const std::string letter = textcore::KeysToWinLetters(typed);
  if (textcore::IsWinLetter(static_cast<unsigned char>(letter[0]))) return textcore::FromAnsi(letter)[0];
  // The punctuation keys the layout moves ("q" types "/", "w" "'", "'" ",", "/" "."): the DOS key map has
  // them as the layout does.
  std::string moved = typed;
  textcore::KeysToDosLetters(moved);
  if (moved != typed) return static_cast<char16_t>(static_cast<unsigned char>(moved[0]));
  return std::nullopt;
}

HebrewTyping::HebrewTyping(platform::KeyboardLayouts& layouts, QObject* parent) : QObject(parent), layouts_(layouts) {}

void HebrewTyping::Watch(QWidget* editor) { editor->installEventFilter(this); }

bool HebrewTyping::eventFilter(QObject* watched, QEvent* event) {
  if (resending_ || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers held =
      key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (held != Qt::NoModifier || key->text().size() != 1 || !textcore::KeyboardIsHebrew(layouts_)) return false;
  const auto hebrew = HebrewForKey(key->text().front().unicode());
  if (!hebrew) return false;
  QKeyEvent mapped(key->type(), key->key(), key->modifiers(), QString(QChar(*hebrew)), key->isAutoRepeat(),
                   static_cast<quint16>(key->count()));
  resending_ = true;
  QCoreApplication::sendEvent(watched, &mapped);
  resending_ = false;
  return true;
}

}  // namespace zil::dialogs
