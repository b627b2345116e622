#include "ChartFiles.h"

#include "App.h"
#include "FileSaving.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSvgGenerator>

#include <array>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

struct FileType {
    ChartFormat format;
    QString suffix;
    QString filter;
};

const std::array<FileType, 3>& fileTypes() {
    static const std::array<FileType, 3> types{{
        {ChartFormat::Pdf, u"pdf"_s, u"PDF document (*.pdf)"_s},
        {ChartFormat::Svg, u"svg"_s, u"SVG image (*.svg)"_s},
        {ChartFormat::Png, u"png"_s, u"PNG image (*.png)"_s},
    }};
    return types;
}

// SVG user units as CSS pixels, so that the picture opens at its on-screen size.
constexpr int SvgDotsPerInch = 96;
constexpr int PngScale = 2;
constexpr double PdfMarginMillimetres = 10;

// Letter where the locale measures in inches the American way, A4 everywhere else.
QPageSize localPaper() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

bool paintOn(QPaintDevice& device, const QRectF& page, const Printout& printout) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    printout(painter, page);
    return painter.end();
}

bool writePdf(QIODevice& file, const QString& title, const Printout& printout) {
    QPdfWriter writer(&file);
    writer.setTitle(title);
    writer.setCreator(programTitle());
    if (!writer.setPageLayout(QPageLayout(
            localPaper(), QPageLayout::Landscape,
            QMarginsF(PdfMarginMillimetres, PdfMarginMillimetres, PdfMarginMillimetres, PdfMarginMillimetres),
            QPageLayout::Millimeter)))
        return false;
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    return paintOn(writer, QRectF(QPointF(), page.size()), printout);
}

bool writeSvg(QIODevice& file, const QString& title, const QSize& screenSize, const Printout& printout) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setTitle(title);
    generator.setResolution(SvgDotsPerInch);
    generator.setSize(screenSize);
    generator.setViewBox(QRect(QPoint(), screenSize));
    return paintOn(generator, QRectF(QPointF(), screenSize), printout);
}

bool writePng(QIODevice& file, const QSize& screenSize, const Printout& printout) {
    QImage image(screenSize * PngScale, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    return paintOn(image, QRectF(QPointF(), image.size()), printout) && image.save(&file, "PNG");
}

} // namespace

QStringList chartFileFilters() {
    QStringList filters;
    for (const FileType& type : fileTypes())
        filters.append(type.filter);
    return filters;
}

ChartFile chartFileFor(const QString& chosenPath, const QString& chosenFilter) {
    const QString suffix = QFileInfo(chosenPath).suffix();
    for (const FileType& type : fileTypes()) {
        if (suffix.compare(type.suffix, Qt::CaseInsensitive) == 0)
            return {chosenPath, type.format};
    }
    const FileType* chosen = &fileTypes().front();
    for (const FileType& type : fileTypes()) {
        if (type.filter == chosenFilter)
            chosen = &type;
    }
    return {chosenPath + u'.' + chosen->suffix, chosen->format};
}

bool writeChart(const QString& path, ChartFormat format, const QSize& screenSize, const Printout& printout) {
    if (screenSize.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString title = QFileInfo(path).completeBaseName();
    bool painted = false;
    switch (format) {
    case ChartFormat::Pdf:
        painted = writePdf(file, title, printout);
        break;
    case ChartFormat::Svg:
        painted = writeSvg(file, title, screenSize, printout);
        break;
    case ChartFormat::Png:
        painted = writePng(file, screenSize, printout);
        break;
    }
    if (!painted) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool saveChartAs(QWidget* parent, const QString& caption, const QString& proposedName,
                 const QSize& screenSize, const Printout& printout) {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    QString chosenFilter;
    const QString chosen = app().files().saveFile(parent, caption, QDir(documents).filePath(proposedName),
                                                  chartFileFilters(), &chosenFilter);
    if (chosen.isEmpty())
        return false;
    const ChartFile file = chartFileFor(chosen, chosenFilter);
    // A folder of that name is in the way: nothing to replace, and nothing that could be written.
    if (!QFileInfo(file.path).isDir()) {
        if (!confirmReplace(parent, file.path))
            return false;
        if (writeChart(file.path, file.format, screenSize, printout))
            return true;
    }
    app().messages().error(parent, writeFailureText(file.path));
    return false;
}

} // namespace kelvora
