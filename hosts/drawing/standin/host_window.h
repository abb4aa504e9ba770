// The window of a host that shows its drawings (the workbench), as the stand-in host sees it: the view it
// shows of a document, zooming it, and printing. Without a window the stand-in host keeps the view in the
// drawing (system_variables.h) and has no plotter.
#pragma once

#include <optional>
#include <string>

#include "drawing/standin/document.h"

namespace zil::standin {

class HostWindow {
 public:
  virtual ~HostWindow() = default;
  // The view the window shows of the document's active space, nothing when it shows another space or
  // another document. VIEWCTR and VIEWSIZE read it.
  virtual std::optional<View> ShownView(StandInDocument& document) = 0;
  // Shows `view` of the document's active space (ZoomCenter); false when the window does not show that
  // space, and the view is then kept in the drawing.
  virtual bool ShowView(StandInDocument& document, const View& view) = 0;
  // The PLOT command on the document: returns what was printed, for the command's report; throws
  // acad::Error saying why when nothing was (the user cancelled, the file could not be written).
  virtual std::u16string Plot(StandInDocument& document) = 0;
};

}  // namespace zil::standin
