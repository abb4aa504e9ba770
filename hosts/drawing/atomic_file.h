// Replacing a file so that it is either the old file or the whole new one, never a mixture: the bytes go
// to a temporary file in the same folder, which is flushed to the disk and then renamed over the target.
// A failure removes the temporary file, leaves the target as it was and says why (DxfError).
#pragma once

#include <functional>
#include <string>

#include "drawing/writer.h"

namespace zil::drawing {

// Calls `write` with a sink into the temporary file, then puts it in place of `path`. A `path` that is a
// symbolic link has its target replaced. A new file gets the permissions 0666 less the umask; an existing
// one keeps its own.
void ReplaceFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write);

}  // namespace zil::drawing
