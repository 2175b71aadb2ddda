#pragma once

class QWidget;

namespace quintara::qt {

// Puts a top-level window in the middle of the screen it is on (the primary one before it is
// shown).
void centreOnScreen(QWidget& window);

}  // namespace quintara::qt
