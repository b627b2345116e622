#pragma once

namespace kelvora {

class deData;
struct AppState;

// Reads the user's parameters of the Common row into the application state: the body weight (a
// 16-bit whole number, the nearest representable one for a value beyond), the unit system and the
// background burn. Start-up does it once; a diary restored into the running program does it again.
void readCommonSettings(AppState& state, deData& de);

} // namespace kelvora
