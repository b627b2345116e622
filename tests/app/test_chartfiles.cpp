// Saving a chart as a file: the file type decides the format, each format holds the picture as it
// should, and a file that cannot be written is reported and leaves nothing behind.
#include "AppFixture.h"
#include "ChartFiles.h"
#include "FileSaving.h"
#include "PdfFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

const QSize ScreenSize(400, 250);
const QString Mark = u"Kelvora 2026"_s;

// A picture of a black frame round the page, a black box in its middle and one line of text; it
// notes the page it was given.
struct Picture {
    QRectF page;
    Printout printout() {
        return [this](QPainter& painter, const QRectF& p) {
            page = p;
            painter.setPen(QPen(Qt::black, 0));
            painter.drawRect(p.adjusted(0, 0, -1, -1));
            painter.fillRect(QRectF(p.center() - QPointF(10, 10), QSizeF(20, 20)), Qt::black);
            painter.drawText(p.topLeft() + QPointF(p.width() / 10, p.height() / 5), Mark);
        };
    }
};

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
}

TEST(ChartFiles, TheTypeOfTheNameOrTheChosenFilterDecidesTheFormat) {
    const QStringList filters = chartFileFilters();
    ASSERT_EQ(filters,
              (QStringList{u"PDF document (*.pdf)"_s, u"SVG image (*.svg)"_s, u"PNG image (*.png)"_s}));
    struct Case {
        QString chosen;
        QString filter;
        QString path;
        ChartFormat format;
    };
    const Case cases[] = {
        {u"/x/day.pdf"_s, filters[2], u"/x/day.pdf"_s, ChartFormat::Pdf},
        {u"/x/day.SVG"_s, filters[0], u"/x/day.SVG"_s, ChartFormat::Svg},
        {u"/x/day.png"_s, QString(), u"/x/day.png"_s, ChartFormat::Png},
        {u"/x/day"_s, filters[1], u"/x/day.svg"_s, ChartFormat::Svg},
        {u"/x/day.v2"_s, filters[2], u"/x/day.v2.png"_s, ChartFormat::Png},
        {u"/x/day"_s, QString(), u"/x/day.pdf"_s, ChartFormat::Pdf},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        const ChartFile file = chartFileFor(c.chosen, c.filter);
        EXPECT_EQ(file.path, c.path);
        EXPECT_EQ(file.format, c.format);
    }
}

TEST(ChartFiles, APdfIsOneLandscapePageOfTextAndLines) {
    if (!pdfToolsInstalled())
        GTEST_SKIP() << "poppler-utils are not installed";
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"chart.pdf"_s);
    Picture picture;
    ASSERT_TRUE(writeChart(path, ChartFormat::Pdf, ScreenSize, picture.printout()));
    EXPECT_GT(picture.page.width(), picture.page.height());
    const PdfFacts pdf = readPdf(path);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_GT(pdf.pageSize.width(), pdf.pageSize.height());
    EXPECT_TRUE(pdf.text.contains(Mark)) << pdf.text.toStdString();
    EXPECT_EQ(pdf.images, 0);
}

TEST(ChartFiles, AnSvgHasTheOnScreenSizeAndHoldsText) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"chart.svg"_s);
    Picture picture;
    ASSERT_TRUE(writeChart(path, ChartFormat::Svg, ScreenSize, picture.printout()));
    EXPECT_EQ(picture.page, QRectF(QPointF(), ScreenSize));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    QString viewBox;
    QStringList texts;
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (svg.name() == u"svg"_s)
            viewBox = svg.attributes().value(u"viewBox"_s).toString();
        else if (svg.name() == u"text"_s)
            texts.append(svg.readElementText(QXmlStreamReader::IncludeChildElements).trimmed());
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_EQ(viewBox, u"0 0 400 250"_s);
    EXPECT_TRUE(texts.contains(Mark)) << texts.join(u'|').toStdString();
}

TEST(ChartFiles, APngHasTwiceTheOnScreenSize) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"chart.png"_s);
    Picture picture;
    ASSERT_TRUE(writeChart(path, ChartFormat::Png, ScreenSize, picture.printout()));
    EXPECT_EQ(picture.page, QRectF(QPointF(), ScreenSize * 2));
    const QImage image(path);
    ASSERT_EQ(image.size(), ScreenSize * 2);
    EXPECT_EQ(image.pixelColor(400, 250), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 250), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, 400), QColor(Qt::white));
}

class SaveChartAs : public ::testing::Test {
protected:
    bool save() {
        return saveChartAs(nullptr, u"Save Chart As"_s, u"Chart 2026-12-06.pdf"_s, ScreenSize,
                           picture.printout());
    }

    AppFixture fx;
    QTemporaryDir folder;
    Picture picture;
};

TEST_F(SaveChartAs, AsksForTheFileAndWritesIt) {
    const QString path = folder.filePath(u"day"_s);
    fx.files->answer(path, chartFileFilters()[2]);
    EXPECT_TRUE(save());
    ASSERT_EQ(fx.files->requests.size(), 1u);
    const FakeFileDialogs::Request& asked = fx.files->requests.front();
    EXPECT_EQ(asked.kind, u"save"_s);
    EXPECT_EQ(asked.caption, u"Save Chart As"_s);
    EXPECT_TRUE(asked.proposed.endsWith(u"/Chart 2026-12-06.pdf"_s)) << asked.proposed.toStdString();
    EXPECT_EQ(asked.filters, chartFileFilters());
    EXPECT_EQ(filesIn(folder.path()), QStringList{u"day.png"_s});
    EXPECT_EQ(QImage(path + u".png"_s).size(), ScreenSize * 2);
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(SaveChartAs, ACancelledDialogWritesNothing) {
    fx.files->answer(QString());
    EXPECT_FALSE(save());
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(SaveChartAs, AFileThatCannotBeWrittenIsReportedAndNothingIsLeftBehind) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"taken.svg"_s));
    struct Case {
        const char* name;
        QString path;
    };
    const Case cases[] = {
        {"in a folder that does not exist", folder.filePath(u"gone/day.pdf"_s)},
        {"where a folder is", folder.filePath(u"taken.svg"_s)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fx.messages->shown.clear();
        fx.files->answer(c.path);
        EXPECT_FALSE(save());
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        const Message& error = fx.messages->last();
        EXPECT_EQ(error.title, u"Error"_s);
        EXPECT_EQ(error.icon, MessageIcon::Exclamation);
        EXPECT_EQ(error.text, writeFailureText(c.path));
        EXPECT_TRUE(error.text.contains(QDir::toNativeSeparators(c.path)));
        EXPECT_EQ(filesIn(folder.path()), QStringList{u"taken.svg"_s});
        EXPECT_TRUE(filesIn(folder.filePath(u"taken.svg"_s)).isEmpty());
    }
}

TEST_F(SaveChartAs, AnExistingFileIsReplacedOnlyAfterYes) {
    const QString path = folder.filePath(u"day.svg"_s);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the chart of last week");
    old.close();

    fx.files->answer(path);
    EXPECT_FALSE(save()); // the default answer, No
    ASSERT_EQ(fx.messages->shown.size(), 1u);
    EXPECT_EQ(fx.messages->last().icon, MessageIcon::Question);
    EXPECT_EQ(contentsOf(path), QByteArray("the chart of last week"));

    fx.files->answer(path);
    fx.messages->answer(MessageButton::Yes);
    EXPECT_TRUE(save());
    EXPECT_TRUE(contentsOf(path).contains(Mark.toUtf8()));
    // Written beside itself and renamed: no temporary file stays.
    EXPECT_EQ(filesIn(folder.path()), QStringList{u"day.svg"_s});
}

} // namespace
} // namespace kelvora::test
