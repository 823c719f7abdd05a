#pragma once

namespace controls {

// Lets screen readers reach every XPButton through an interface whose name
// follows the caption. Safe to call more than once.
void installXPButtonAccessibility();

} // namespace controls
