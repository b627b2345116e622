#pragma once

#include <QVariant>

#include <optional>

namespace kelvora {

class deData;
struct AppState;

// Reads the user's parameters of the Common row into the application state: the body weight (a
// 16-bit whole number, the nearest representable one for a value beyond), the unit system and the
// background burn, and the goals. Start-up does it once; a diary restored into the running program does it
// again.
void readCommonSettings(AppState& state, deData& de);

// A goal column of the Common row as the application state holds it: none for NULL.
std::optional<double> goal(const QVariant& value);

} // namespace kelvora
