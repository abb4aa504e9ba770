// The stand-in CAD host served as a COM automation server: its application, documents, collections,
// table records, blocks, selection sets, utility and entities through IDispatch by name, with the members
// AutoCAD's command layer and zil call (dispatch_object.h). The stand-in host behaves as on Linux: undo
// marks, HandleToObject failing on an unknown handle, GetDistance's keyword error; SendCommand queues its
// text, which runs when the client asks, after its call to the add-in has returned.
//
// The application has two members of its own for the client that plays AutoCAD's command loop:
//   RunQueuedCommands()  runs the queued command text and returns one line per text, as `zil script`
//                        reports it (an array of strings, empty when nothing was queued)
//   SetInput(TEXT)       the answers to the host's prompts, one per line (standin/input_source.h)
#pragma once

#include "dispatch_object.h"

namespace zil::testhost {

// A new application with no drawing open; the caller owns its one reference.
DispatchObject* NewApplication();

}  // namespace zil::testhost
