#pragma once

namespace app {

// Names the program to Qt; message boxes carry this name in their title bar.
// It sets no display name: the window system would append that to every
// window's title, and title bars show the windows' own captions exactly.
void NameApplication();

} // namespace app
