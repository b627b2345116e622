#pragma once

namespace kelvora::HelpContext {

// The help topic of each window, by context number; F1 opens the topic of the active window.
inline constexpr int frmMain = 4;
inline constexpr int frmMealCategories = 18;
inline constexpr int frmMeals = 19;
inline constexpr int frmMeal = 20;
inline constexpr int frmExercises = 21;
inline constexpr int frmExercise = 22;
inline constexpr int frmWeightAdjustment = 23;
inline constexpr int frmCommon = 24;
inline constexpr int frmMealConsumes = 25;
inline constexpr int frmMealConsume = 26;
inline constexpr int frmExercisePerforms = 27;
inline constexpr int frmExercisePerform = 28;
inline constexpr int frmMeasurements = 29;
inline constexpr int frmBody = 30;
inline constexpr int frmUserNote = 31;
inline constexpr int frmDate = 32;
inline constexpr int frmGeneralProgressSettings = 33;
inline constexpr int frmGeneralProgress = 33;
inline constexpr int frmMealCategory = 34;
inline constexpr int frmExport = 35;
// The commands without a window of their own: F1 on their highlighted menu item opens these.
inline constexpr int mnuBackUp = 36;
inline constexpr int mnuRestore = 37;
inline constexpr int frmCopyMeals = 38;
inline constexpr int None = 0; // frmAbout has no topic

} // namespace kelvora::HelpContext
