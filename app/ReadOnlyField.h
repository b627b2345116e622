#pragma once

class QLineEdit;

namespace kelvora {

// Gives a read-only field the program's grey. In a light palette it is the designed E0E0E0; in a
// dark one, where that grey would glare and the palette's light text would vanish on it, it is the
// same step from the palette's base colour towards its text colour: still a field that reads as
// greyed, not as one to type in, and its text stays readable. The colours follow the application's
// palette when that changes while the field is shown. Called once per field, when it is made.
void greyAsReadOnly(QLineEdit& field);

} // namespace kelvora
