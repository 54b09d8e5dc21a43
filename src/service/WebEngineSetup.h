#pragma once
// Start-up options of the embedded browser engine. They take effect only when set
// before the engine starts, so call this before the QApplication is created.

namespace webengine {

// The browser sandbox stays on, except for a run as root, where the engine cannot
// start with it. The hidden page is drawn in software with a single renderer.
void prepare();

} // namespace webengine
