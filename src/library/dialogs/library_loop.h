// The text library's automation member (Hlib), after the host refresh: the library window is shown
// until the user closes it, and between two showings the drawing work it asked for is done — picking
// texts (its result code kPick), placing the text to put as one text (kPut) or line by line (kPutMt, and
// kPut when the Properties page says to explode).
//
// The window is made at the first showing (opening the library) and kept, with its tree, editor and
// search, until the loop ends; then its remembered searches are written back, it is freed and the
// keyboard returns to US English — also when an error ends the loop. A failure while the window is made
// fails the member before anything is shown, and leaves the keyboard as it was. A placement that fails
// for another reason than a cancelled prompt is shown to the user (what was placed before stays) and
// the window comes back; a failed pick ends the loop and the member with its error.
#pragma once

#include <filesystem>
#include <memory>

#include "acad/host_state.h"
#include "config/font_definitions.h"
#include "platform/services.h"

namespace zil::library {

class TfrmExpl;

void Hlib(std::unique_ptr<TfrmExpl>& window, acad::HostState& host, config::FontDefinitions& fonts,
          platform::Services services, const std::filesystem::path& dataFolder);

// Frees a library window left open (module shut-down), writing its remembered searches first.
void FreeLibraryWindow(std::unique_ptr<TfrmExpl>& window);

}  // namespace zil::library
