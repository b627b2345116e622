#pragma once

#include <QPoint>
#include <QString>
#include <QtGlobal>

// The record types the host and the control share. The leading fields are what the host supplied;
// the trailing geometry is filled in by each PaintGraph and read back by hit-testing.

struct MealStruct {
    qint32 id = 0;      // the first meal merged into this bar
    double tm = 0.0;    // day serial of the first meal
    qint16 protein = 0; // kcal, summed over the merged meals
    qint16 carbohydrate = 0;
    qint16 fat = 0;
    qint16 Left = 0;
    qint16 Top = 0;
    qint16 Right = 0;
    bool complex = false; // two or more meals merged
};

struct ExerciseStruct {
    qint32 id = 0;
    double tmBeg = 0.0;
    double tmEnd = 0.0;
    qint16 calories = 0;
    qint16 Left = 0;   // x at tmBeg
    qint16 Bottom = 0; // y of the lowest corner
    qint16 Right = 0;  // x at tmEnd
};

// A text of the last paint with the top-left corner it was printed at.
struct ChartLabel {
    QString text;
    QPoint topLeft;
};

// A corner of the last painted balance line: its x and the running balance in kcal there.
struct BalanceVertex {
    int x = 0;
    double balance = 0.0;
};

namespace zelmar {
inline constexpr int MealCapacity = 110;
inline constexpr int ExerciseCapacity = 100;
} // namespace zelmar
