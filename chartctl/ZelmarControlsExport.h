#pragma once

#include <QtGlobal>

// Only the control class leaves libZelmarControls.so; everything else in the library stays hidden.
#if defined(ZELMARCONTROLS_BUILDING)
#define ZELMARCONTROLS_EXPORT Q_DECL_EXPORT
#else
#define ZELMARCONTROLS_EXPORT Q_DECL_IMPORT
#endif
