#pragma once

class QLineEdit;
class QString;

namespace motoreckon {

// A short note just below `box` that tells why a key typed into it went nowhere, the way the
// desktop's own number-only boxes do: it never takes the focus, makes no sound, and a screen
// reader announces it as a notification each time it is shown. It goes away by itself after a
// few seconds, or sooner when the box's text changes, the box loses the focus or is hidden, the
// note is clicked, or hideRefusalTip is called. A note shown again replaces the one shown.
void showRefusalTip(QLineEdit* box, const QString& text);
void hideRefusalTip(QLineEdit* box);

}  // namespace motoreckon
