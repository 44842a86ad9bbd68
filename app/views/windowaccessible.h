#pragma once

// The program's own top-level windows are plain widgets (the about box, the options, the
// version check, the print preview). Assistive tools would meet them as fillers, the role of
// a plain widget, and say nothing when one opens; from now on they meet every top-level plain
// widget as a window, as they meet the main window. Installs once, after the application
// object is made; each such window calls it as it is made.
void installWindowAccessibleFactory();
