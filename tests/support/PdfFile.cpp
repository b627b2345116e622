#include "PdfFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace kelvora::test {

namespace {

QString run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

bool pdfToolsInstalled() {
    for (const QString& tool : {u"pdfinfo"_s, u"pdftotext"_s, u"pdfimages"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    }
    return true;
}

PdfFacts readPdf(const QString& path) {
    PdfFacts facts;
    const QString info = run(u"pdfinfo"_s, {path});
    if (const auto pages =
            QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption).match(info);
        pages.hasMatch())
        facts.pages = pages.captured(1).toInt();
    const auto size =
        QRegularExpression(u"^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s, QRegularExpression::MultilineOption)
            .match(info);
    const auto rotation =
        QRegularExpression(u"^Page rot:\\s+(\\d+)"_s, QRegularExpression::MultilineOption).match(info);
    if (size.hasMatch()) {
        facts.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
        if (rotation.hasMatch() && rotation.captured(1).toInt() % 180 == 90)
            facts.pageSize.transpose();
    }
    facts.text = run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    const QString images = run(u"pdfimages"_s, {u"-list"_s, path});
    // Two lines of heading, then one line per picture.
    if (!images.isEmpty())
        facts.images = static_cast<int>(images.split(u'\n', Qt::SkipEmptyParts).size()) - 2;
    return facts;
}

} // namespace kelvora::test
