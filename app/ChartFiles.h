#pragma once

#include "Services.h"

#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace kelvora {

// Saving a chart as a file: the same picture as its printout, for users who keep or send their
// charts rather than print them.

enum class ChartFormat { Pdf, Svg, Png };

// The file types a chart is saved as, as save dialog filters; PDF comes first.
QStringList chartFileFilters();

struct ChartFile {
    QString path;
    ChartFormat format = ChartFormat::Pdf;
};

// The file the user chose and its format: the format its type names, or, for a name without one of
// these types, the type chosen in the dialog, whose suffix is added to the name.
ChartFile chartFileFor(const QString& chosenPath, const QString& chosenFilter);

// Writes the picture, `screenSize` pixels on the screen and painted by `printout`, into `path`: PDF
// as one landscape page painted as for printing, SVG at the on-screen size, PNG at twice that size.
// The file appears whole or not at all: it is written beside itself under a temporary name and
// renamed at the end. False when it could not be written.
bool writeChart(const QString& path, ChartFormat format, const QSize& screenSize, const Printout& printout);

// The whole command: the save dialog starting at `proposedName` in the user's documents folder, the
// question before a file is replaced, the writing, and the "Error" message naming a file that could
// not be written. True when a file was written.
bool saveChartAs(QWidget* parent, const QString& caption, const QString& proposedName,
                 const QSize& screenSize, const Printout& printout);

} // namespace kelvora
