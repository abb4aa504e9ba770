// A form's status bar of fixed panels, as the forms are designed: a label per panel of the given width,
// named "StatusPanel0", "StatusPanel1", ... for code and tests to find. The last panel may grow.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <initializer_list>
#include <vector>

namespace zil::dialogs {

inline std::vector<QLabel*> AddStatusPanels(QStatusBar& bar, std::initializer_list<int> widths) {
  std::vector<QLabel*> panels;
  bar.setSizeGripEnabled(false);
  for (const int width : widths) {
    auto* panel = new QLabel(&bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(panels.size()));
    panel->setMinimumWidth(width);
    panel->setMaximumWidth(panels.size() + 1 == widths.size() ? QWIDGETSIZE_MAX : width);
    bar.addWidget(panel);
    panels.push_back(panel);
  }
  return panels;
}

}  // namespace zil::dialogs
