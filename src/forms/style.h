#pragma once

namespace motoreckon {

// Gives the running QApplication the style the program draws its windows with: the platform's
// own, with the pictures every child window shares made once. Call it once the application
// object exists, before any window.
void installStyle();

// Makes the program's own icon, the one its package installs, the icon of every window that
// has none of its own, from the pictures of it the build rendered. Call it once the application
// object exists, before any window.
void installWindowIcon();

}  // namespace motoreckon
