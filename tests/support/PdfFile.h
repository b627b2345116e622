#pragma once

#include <QSizeF>
#include <QString>

namespace kelvora::test {

// What poppler's tools read from a PDF file, so that a test sees a written page as a viewer would.
struct PdfFacts {
    int pages = 0;
    QSizeF pageSize; // in points, as the page is shown (after any rotation)
    QString text;    // the text a reader can select and copy
    int images = -1; // pictures embedded in the pages
};

// False when poppler-utils (pdfinfo, pdftotext, pdfimages) are not installed.
bool pdfToolsInstalled();

PdfFacts readPdf(const QString& path);

} // namespace kelvora::test
