// Crossing between our strings and paths and Qt's, at the widget boundary only: UTF-16 both ways unit by
// unit, paths through Qt's file-name encoding (the bytes of a Linux path survive the round trip).
#pragma once

#include <QFile>
#include <QString>
#include <filesystem>
#include <string>

namespace zil::platform {

inline QString ToQString(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
inline std::u16string FromQString(const QString& s) { return s.toStdU16String(); }

inline QString ToQPath(const std::filesystem::path& p) {
  return QFile::decodeName(QByteArray::fromStdString(p.native()));
}
inline std::filesystem::path FromQPath(const QString& p) {
  return std::filesystem::path(QFile::encodeName(p).toStdString());
}

}  // namespace zil::platform
