#pragma once

namespace sys {

// The system's font configuration, read ahead. Reading it parses some thirty XML files
// (about 3 ms), and a window's first text waits for it. The window starts the reading as
// it connects to the display and waits for it before it lists its fonts, so the
// configuration is read once.
class FontConfigReader {
public:
    // Opens the font configuration library and reads the configuration on a thread. Once per
    // process; nothing happens where the library is missing.
    static void start();
    // Returns once the configuration has been read; at once when start() was never called.
    static void wait();
};

}  // namespace sys
