// The Properties page of the library window: a name/value list with the rows "Style", "Height", "Layer"
// and "Explode", for the texts the window places into the drawing. The style and the layer are chosen
// from the drawing's lists and "Explode" from "Yes" and "No", each in a drop-down list; the height is
// typed in the user's number format (empty: asked when a text is placed). A height that is not a number
// above 0 is refused and the cell shows the height it had.
#pragma once

#include <QTableWidget>
#include <functional>
#include <string>
#include <vector>

#include "library/window/placement.h"

namespace zil::library {

class PropertiesPage final : public QTableWidget {
  Q_OBJECT

 public:
  enum Row { kStyle, kHeight, kLayer, kExplode };

  explicit PropertiesPage(QWidget* parent = nullptr);

  // The lists to choose from and the values shown.
  void Fill(std::vector<std::u16string> styles, std::vector<std::u16string> layers, const tprop& values);
  const tprop& Values() const { return values_; }

  // A value the user chose; `refused` hears of a value that was not taken, with the reason.
  std::function<void(const tprop& values)> changed;
  std::function<void(const std::string& reason)> refused;

 private:
  QStringList Choices(int row) const;
  void ValueChanged(int row);
  void Show(int row, const QString& text);

  std::vector<std::u16string> styles_, layers_;
  tprop values_;
  QString heightText_;  // the height as last taken
};

}  // namespace zil::library
