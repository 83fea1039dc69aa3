#pragma once

namespace motoreckon {

// Gives the running QApplication the style the program draws its windows with: the platform's
// own, with the pictures every child window shares made once. Call it once the application
// object exists, before any window.
void installStyle();

}  // namespace motoreckon
