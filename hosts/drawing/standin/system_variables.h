// The system variables the add-in reads and writes, over the drawing's header and its view, as the
// stand-in host serves them. Names compare without regard to case.
//
//   VIEWCTR     the centre of the active space's view (a point); read only
//   VIEWSIZE    the height of that view in drawing units; read only (ZoomCenter changes the view)
//   SCREENSIZE  the drawing window in pixels, as a point (width, height, 0); read only
//   TEXTSIZE    $TEXTSIZE, the default text height (a number above 0)
//   TEXTSTYLE   $TEXTSTYLE, the current text style (the name of a style of the drawing)
//   CECOLOR     $CECOLOR as a string: "BYLAYER", "BYBLOCK" or "1" .. "255"
//   CLAYER      $CLAYER, the current layer (a layer of the drawing that is not frozen)
//   DIMTXSTY    $DIMTXSTY, else the text style of the current dimension style, else "Standard"
// Any other name reads the header variable of that name when the drawing has one (a point, a number or
// a string by its group code) and fails otherwise; only the names above can be set. A value of the wrong
// kind, or one out of range, fails with acad::Error and changes nothing.
//
// The view: of model space, the active viewport (the VPORT record "*Active": centre in groups 12/22,
// height in 40); of paper space, the paper space viewport (the VIEWPORT entity with id 1: 12/22 and 45);
// else the header's $VIEWCTR and $VIEWSIZE; a drawing that keeps none of these gets one of its own, around
// its extents ($EXTMIN, $EXTMAX) when they are set, else centred on the origin and 10 units high. While a
// host's window shows the active space, VIEWCTR and VIEWSIZE are the view it shows (host_window.h).
#pragma once

#include <string>

#include "acad/value.h"
#include "drawing/drawing.h"

namespace zil::standin {

class StandInDocument;
struct View;

acad::Value ReadSystemVariable(StandInDocument& document, const std::u16string& name);
void WriteSystemVariable(StandInDocument& document, const std::u16string& name, const acad::Value& value);

// The text style named by a dimension style (its group 340); empty when it names none.
std::u16string DimensionTextStyle(drawing::Drawing& d, drawing::Record& style);

View ReadView(StandInDocument& document);
// Sets the view where ReadView finds it (one undo step, as a zoom is).
void WriteView(StandInDocument& document, const View& view);

}  // namespace zil::standin
