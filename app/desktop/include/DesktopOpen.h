// kvcad open [DRAWING]: the desktop host's main window (DesktopWindow), with the drawing opened
// when one is given. Runs until the window is closed.
#ifndef KV_DESKTOP_OPEN_H
#define KV_DESKTOP_OPEN_H

#include <CKvSystemServices.h>

#include <string>
#include <vector>

// `services` are the host's, with the standards module loaded; `args` are the words after
// "open". Returns kvcad's exit status: 0 when the window was closed, 2 for wrong arguments, no
// display, or a drawing that cannot be read (one line on stderr naming the file).
int runOpen(CKvSystemServices& services, const std::vector<std::string>& args);

#endif  // KV_DESKTOP_OPEN_H
