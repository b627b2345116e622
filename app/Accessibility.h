#pragma once

namespace kelvora {

// Makes screen readers call every combo box of the program by its name (the caption of its
// label), with the entry it shows as its value. Left to itself, Qt on Linux reports a combo box's
// shown entry as its name, so a reader would announce "Prepared Dishes" instead of "Meal
// Category, Prepared Dishes". Safe to call more than once.
void nameCombosForScreenReaders();

} // namespace kelvora
