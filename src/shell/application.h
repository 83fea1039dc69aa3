#pragma once

namespace motoreckon {

// Sets up the running QApplication as the program runs it: its name and version, and the style
// that draws its windows. Call it once the application object exists, before any window.
void setUpApplication();

}  // namespace motoreckon
