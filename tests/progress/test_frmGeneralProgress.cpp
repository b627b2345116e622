#include "Common.h"
#include "Contrast.h"
#include "Palettes.h"
#include "PdfFile.h"
#include "ProgressChart.h"
#include "ProgressChartTest.h"
#include "ProgressDiary.h"
#include "ProgressModel.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

TEST_F(ProgressChartTest, DayPositionsAndBandsFollowTheDesignedLayout) {
    show([](frmGeneralProgress& w) {
        ASSERT_TRUE(w.chart().layout());
        const ProgressLayout& l = layoutOf(w);
        EXPECT_EQ(w.chart().image().size(), QSize(756, 600));
        EXPECT_FLOAT_EQ(l.pxPerDay, 706.0f / 30.0f);
        for (int k : {1, 2, 16, 30, 31})
            EXPECT_EQ(l.xOfDay(k), nearestInt((k - 1) * (706.0 / 30.0) + 43)) << k;
        EXPECT_EQ(l.xOfDay(1), 43);
        EXPECT_EQ(l.xOfDay(31), 756 - 7);
        // U = 560: bands of 151, 151 and 146 pixels from y = 33.
        EXPECT_EQ(l.girthH, 151);
        EXPECT_EQ(l.weightH, 151);
        EXPECT_EQ(l.calH, 146);
        EXPECT_EQ(l.weight.top, 33 + 151);
        EXPECT_EQ(l.calories.top, 33 + 302);
        EXPECT_EQ(l.calZeroY, 408);
        EXPECT_EQ(l.notesTop, 33 + 302 + 146 + 11);
        // The axes.
        EXPECT_EQ(pixel(w, 40, 300), Black);
        EXPECT_EQ(pixel(w, 200, 408), Black);
        EXPECT_EQ(pixel(w, 200, 407), White);
    });
}

TEST_F(ProgressChartTest, DatesAreLabelledEveryFewDaysWhereTheLabelsFit) {
    show([](frmGeneralProgress& w) {
        const ProgressLayout& l = layoutOf(w);
        const int LW = QFontMetrics(w.chart().font()).horizontalAdvance(u"May 30"_s);
        const double perLabel = (LW + 8) / static_cast<double>(l.pxPerDay);
        const int step = static_cast<int>(std::ceil(perLabel));
        const int last = l.nDays - static_cast<int>(std::floor(perLabel));
        const auto& labels = w.chart().drawing().dateLabels;
        ASSERT_GE(labels.size(), 3u);
        EXPECT_EQ(labels[0].day, 1);
        EXPECT_EQ(labels[0].text, u"Apr 1"_s);
        EXPECT_EQ(labels[1].day, 1 + step);
        EXPECT_EQ(labels[1].text, u"Apr %1"_s.arg(1 + step));
        EXPECT_LE(labels.back().day, last);
        EXPECT_GT(labels.back().day + step, last);
    });
}

TEST_F(ProgressChartTest, BodyLinesJoinRunsOfDaysAndSkipALoneDay) {
    for (int k : {1, 2, 3, 4, 5, 10, 20, 21, 22, 23, 24, 25})
        diary.body(day(k), 70, 100, 80, 90);
    show([](frmGeneralProgress& w) {
        const ProgressLayout& l = layoutOf(w);
        EXPECT_EQ(w.chart().drawing().bodyRuns, (std::vector<std::pair<int, int>>{{1, 5}, {20, 25}}));
        const int waistY = l.girth.yOf(80);
        EXPECT_EQ(pixel(w, (l.xOfDay(1) + l.xOfDay(2)) / 2, waistY), Green);
        EXPECT_EQ(pixel(w, (l.xOfDay(24) + l.xOfDay(25)) / 2, waistY), Green);
        for (int dx = -4; dx <= 4; ++dx) {
            EXPECT_EQ(pixel(w, l.xOfDay(10) + dx, waistY), White) << dx;
            EXPECT_EQ(pixel(w, l.xOfDay(10) + dx, l.weight.yOf(70)), White) << dx;
        }
        EXPECT_EQ(pixel(w, (l.xOfDay(7) + l.xOfDay(8)) / 2, waistY), White);
    });
}

TEST_F(ProgressChartTest, AStemOfMinus3000ReachesTheBottomOfTheCalorieBand) {
    diary.activity(day(15), 1080); // -1080 - 24 x 80
    diary.meal(day(16), 1920);     // a balance of 0
    show([](frmGeneralProgress& w) {
        const ProgressLayout& l = layoutOf(w);
        EXPECT_DOUBLE_EQ(l.calories.range, 6000);
        const int x = l.xOfDay(15);
        const int bottom = l.calories.top + l.calH;
        for (int y = l.calZeroY + 1; y < bottom - 3; ++y)
            ASSERT_EQ(pixel(w, x, y), Black) << y;
        EXPECT_EQ(pixel(w, x, bottom + 3), Black); // the dot around the stem's end
        EXPECT_EQ(pixel(w, x, bottom + 5), White);
        EXPECT_EQ(pixel(w, x - 3, bottom), Black);
        // A balance of zero is a dot on the zero line.
        EXPECT_EQ(pixel(w, l.xOfDay(16), l.calZeroY - 3), Black);
        EXPECT_EQ(pixel(w, l.xOfDay(16), l.calZeroY - 6), White);
        EXPECT_EQ(pixel(w, l.xOfDay(17), l.calZeroY + 20), White);
    });
}

TEST_F(ProgressChartTest, NotesAreRangesWithTicksWhereTheyBeginAndEndInsideThePeriod) {
    diary.note(day(-5), day(3), u"Began before the period"_s);
    diary.note(day(10), day(14), u"Holiday"_s);
    diary.note(day(20), day(20), u"Party"_s);
    diary.note(day(28), day(40), u"A long note that needs more than one line of text in its box"_s);
    show([](frmGeneralProgress& w) {
        const ProgressLayout& l = layoutOf(w);
        const auto& notes = w.chart().drawing().notes;
        ASSERT_EQ(notes.size(), 4u);
        const int y0 = l.notesTop;

        EXPECT_EQ(notes[0].x1, 43);
        EXPECT_EQ(notes[0].x2, l.xOfDay(3));
        EXPECT_FALSE(notes[0].leftTick);
        EXPECT_TRUE(notes[0].rightTick);
        EXPECT_EQ(pixel(w, 43, y0 - 3), White);
        EXPECT_EQ(pixel(w, l.xOfDay(3), y0 - 3), Black);

        EXPECT_EQ(notes[1].x1, l.xOfDay(10));
        EXPECT_EQ(notes[1].x2, l.xOfDay(14));
        EXPECT_TRUE(notes[1].leftTick && notes[1].rightTick);
        EXPECT_EQ(pixel(w, l.xOfDay(10), y0 - 3), Black);
        EXPECT_EQ(pixel(w, l.xOfDay(14), y0 - 3), Black);
        EXPECT_EQ(pixel(w, l.xOfDay(12), y0), Black);

        const int oneDayLeft = nearestInt(l.xOfDay(20) - l.pxPerDay / 2.0);
        EXPECT_EQ(notes[2].x1, oneDayLeft);
        EXPECT_EQ(notes[2].x2, nearestInt(oneDayLeft + static_cast<double>(l.pxPerDay)));
        EXPECT_TRUE(notes[2].leftTick && notes[2].rightTick);

        EXPECT_EQ(notes[3].x2, 756 - 7);
        EXPECT_FALSE(notes[3].rightTick);

        for (std::size_t i = 0; i < notes.size(); ++i) {
            const NoteGeometry& g = notes[i];
            EXPECT_EQ(g.box.top(), y0 + 6) << i;
            EXPECT_LE(g.box.y() + g.box.height(), 600 - 7) << i;
            // The one-day range of "Party" is too narrow for its first letters: its label is wider.
            EXPECT_FALSE(g.textRect.isEmpty()) << i;
            EXPECT_TRUE(g.box.contains(g.textRect)) << i;
            if (i > 0) {
                const QRect& previous = notes[i - 1].box;
                EXPECT_GE(g.box.left(), previous.x() + previous.width() + 5) << i;
            }
        }
        EXPECT_EQ(notes[0].box.left(), 46);
        // The long text wraps onto more than one line within the box it was measured for.
        EXPECT_GT(notes[3].textRect.height(), QFontMetrics(w.chart().font()).height());
        EXPECT_LE(notes[3].box.x() + notes[3].box.width(), 756 - 10);
    });
}

TEST_F(ProgressChartTest, ANoteTooNarrowForItsTextGetsALabelWiderThanItsRange) {
    diary.note(day(10), day(11), u"Wide words here"_s);
    show(
        [](frmGeneralProgress& w) {
            const NoteGeometry& g = w.chart().drawing().notes.at(0);
            EXPECT_EQ(g.shownText, u"Wide words here"_s);
            EXPECT_GT(g.box.width(), g.x2 - g.x1);
            EXPECT_EQ(g.box.top(), layoutOf(w).notesTop + 6); // the designed row: nothing else is in the way
            EXPECT_GE(g.connectorX, g.x1);
            EXPECT_LE(g.connectorX, g.x2);
            EXPECT_GT(g.connectorX, g.box.left());
            EXPECT_LT(g.connectorX, g.box.x() + g.box.width());
            const QRect needed =
                QFontMetrics(w.chart().font()).boundingRect(g.textRect, Qt::TextWordWrap, g.shownText);
            EXPECT_LE(needed.width(), g.textRect.width());
            EXPECT_LE(needed.height(), g.textRect.height());
        },
        181);
}

TEST_F(ProgressChartTest, SmallGirthChangesAreDrawnOnTheMinimumRange) {
    struct Case {
        QString system;
        double waists[2];
        double range;
    };
    const Case cases[] = {
        {u"M"_s, {80, 85}, 30},
        {u"M"_s, {60, 110}, 50},
        {u"I"_s, {30, 33}, 11.81},
    };
    for (const Case& c : cases) {
        diary.exec(u"delete from Body"_s);
        fx.app->state().measurementSystem = c.system;
        diary.body(day(3), 70, c.waists[1], c.waists[0], c.waists[1]);
        diary.body(day(4), 70, c.waists[1], c.waists[1], c.waists[1]);
        show([&](frmGeneralProgress& w) {
            const BandScale& girth = layoutOf(w).girth;
            EXPECT_NEAR(girth.range, c.range, 1e-4) << c.system.toStdString();
            EXPECT_DOUBLE_EQ(girth.centreValue, (c.waists[0] + c.waists[1]) / 2);
            EXPECT_EQ(girth.yOf(girth.centreValue), nearestInt(33 + girth.height / 2.0));
            EXPECT_EQ(girth.yOf(c.waists[0]),
                      nearestInt(girth.centreY + (c.waists[1] - c.waists[0]) / 2 * girth.scale));
        });
    }
}

TEST_F(ProgressChartTest, GirthLabelsAreMultiplesOfTheirStepFromTheTopOfTheBand) {
    for (int k = 1; k <= 31; ++k)
        diary.body(day(k), 80, 100, 76 + k / 10.0, 95);
    show([](frmGeneralProgress& w) {
        const BandScale& g = layoutOf(w).girth;
        const int LH = QFontMetrics(w.chart().font()).height();
        const Currency one = Currency::fromInt(1);
        const Currency step = RoundToStep(static_cast<float>(LH / g.scale), false, one);
        const Currency top =
            RoundToStep(static_cast<float>(g.centreValue + g.range / 2 - 15 / g.scale), true, one);
        const Currency bottom =
            RoundToStep(static_cast<float>(g.centreValue - g.range / 2 + LH / (2 * g.scale)), false, one);
        std::vector<Currency> expected;
        for (Currency v = top; v >= bottom; v = v - step)
            expected.push_back(v);
        ASSERT_GE(expected.size(), 3u);
        EXPECT_EQ(w.chart().drawing().labels.girth, expected);
        for (const Currency& v : expected)
            EXPECT_EQ(pixel(w, 39, g.yOf(v.toDouble())), Black) << v.toDouble();

        const auto& lower = w.chart().drawing().labels.caloriesLower;
        ASSERT_FALSE(lower.empty());
        EXPECT_LT(lower.back(), Currency());
        EXPECT_EQ(std::count(lower.begin(), lower.end(), Currency()), 0);
    });
}

TEST_F(ProgressChartTest, AOneDayPeriodDrawsNothing) {
    diary.meal(day(1), 3000);
    show(
        [](frmGeneralProgress& w) {
            EXPECT_FALSE(w.chart().layout());
            EXPECT_EQ(w.chart().image().pixel(40, 300), White);
        },
        1);
}

TEST_F(ProgressChartTest, TheWindowAsDesigned) {
    EXPECT_EQ(window.windowTitle(), u"General Progress"_s);
    show([](frmGeneralProgress& w) {
        const auto* title = w.findChild<QLabel*>(u"Label1"_s);
        EXPECT_EQ(title->text(), u"General Progress Chart"_s);
        EXPECT_TRUE(title->font().bold());
        EXPECT_DOUBLE_EQ(title->font().pointSizeF(), 9.75);
        const auto* print = w.findChild<QPushButton*>(u"btnPrint"_s);
        EXPECT_EQ(print->text(), u"&Print"_s);
        EXPECT_EQ(print->pos(), QPoint(4, 4));
        EXPECT_NE(w.model(), nullptr);
    });
    EXPECT_EQ(window.model(), nullptr);
    EXPECT_FALSE(window.chart().layout());
}

// The chart is white paper in any palette, and its title is printed on it in black.
TEST_F(ProgressChartTest, TheTitleReadsOnThePaperInLightAndDarkPalettes) {
    for (const NamedPalette& palette : lightAndDarkPalettes()) {
        const ScopedPalette inPalette(palette.palette);
        show([&](frmGeneralProgress& w) {
            const auto* title = w.findChild<QLabel*>(u"Label1"_s);
            const ShownColours shown = shownColours(w.grab(title->geometry()).toImage(), QPoint(0, 0));
            EXPECT_EQ(shown.background, QColor(Qt::white)) << palette.name.toStdString();
            EXPECT_GE(contrastRatio(shown.text, shown.background), 4.5)
                << palette.name.toStdString() << ": " << shown.text.name().toStdString();
        });
    }
}

TEST_F(ProgressChartTest, OpensAt756By520AndIsNeverLowerThan483) {
    window.dateFrom = day(1);
    window.dateTo = day(31);
    fx.modal->expect([](QDialog& d) {
        EXPECT_EQ(d.size(), QSize(756, 520));
        const int frame = d.frameGeometry().height() - d.height();
        d.resize(700, 300);
        EXPECT_EQ(d.frameGeometry().height(), 483);
        EXPECT_EQ(d.width(), 700);
        auto& w = static_cast<frmGeneralProgress&>(d);
        EXPECT_EQ(w.chart().image().height(), 483 - frame);
    });
    fx.app->modal().exec(window);

    // Left maximised or resized, the next showing is back at its opening size.
    fx.modal->expect([](QDialog& d) { d.setWindowState(Qt::WindowMaximized); });
    fx.app->modal().exec(window);
    fx.modal->expect([](QDialog& d) {
        EXPECT_FALSE(d.isMaximized());
        EXPECT_EQ(d.size(), QSize(756, 520));
    });
    fx.app->modal().exec(window);
}

TEST_F(ProgressChartTest, PrintingLeavesTheButtonsOffThePageAndReportsAFailure) {
    diary.meal(day(10), 2500);
    QPushButton* print = window.findChild<QPushButton*>(u"btnPrint"_s);
    QPushButton* saveAs = window.findChild<QPushButton*>(u"btnSaveAs"_s);
    QLabel* title = window.findChild<QLabel*>(u"Label1"_s);
    ASSERT_TRUE(print && saveAs && title);
    int looked = 0;
    fx.printer->whilePrinting = [&](const Printout& printout) {
        ++looked;
        EXPECT_TRUE(print->isVisible()); // the window is not touched for the paper's sake
        QImage page(window.size() * 2, QImage::Format_RGB32);
        page.fill(Qt::gray);
        QPainter painter(&page);
        printout(painter, QRectF(page.rect()));
        painter.end();
        for (const QPushButton* button : {print, saveAs})
            EXPECT_EQ(page.pixelColor(button->geometry().center() * 2), QColor(Qt::white));
        // The title is there, in black.
        int ink = 0;
        const QRect titleArea(title->geometry().topLeft() * 2, title->geometry().size() * 2);
        for (int y = titleArea.top(); y <= titleArea.bottom(); ++y)
            for (int x = titleArea.left(); x <= titleArea.right(); ++x)
                ink += page.pixelColor(x, y) == QColor(Qt::black) ? 1 : 0;
        EXPECT_GT(ink, 20);
        // The chart at twice its size: the vertical axis and the stem of day 10.
        const ProgressLayout& l = layoutOf(window);
        EXPECT_EQ(page.pixelColor(2 * ProgressLayout::AxisX, 2 * 300), QColor(Qt::black));
        EXPECT_EQ(page.pixelColor(2 * l.xOfDay(10), 2 * (l.calZeroY - 10)), QColor(Qt::black));
    };
    show([&](frmGeneralProgress& w) {
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(fx.printer->calls, 1);
        EXPECT_EQ(looked, 1);
        EXPECT_TRUE(fx.messages->shown.empty());

        fx.printer->succeeds = false;
        QTest::mouseClick(print, Qt::LeftButton);
        EXPECT_EQ(fx.printer->calls, 2);
        EXPECT_EQ(looked, 2);
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_EQ(fx.messages->last().text,
                  u"Can't print. Please check whether your default printer is accessible"_s);
        EXPECT_EQ(fx.messages->last().title, u"Error"_s);
        EXPECT_EQ(fx.messages->last().icon, MessageIcon::Exclamation);
        EXPECT_TRUE(print->isVisible());
    });
}

TEST_F(ProgressChartTest, SaveAsSitsBesidePrintAndWritesTheChartWithoutTheButtons) {
    diary.meal(day(10), 2500);
    diary.note(day(12), day(13), u"Short trip"_s);
    const QTemporaryDir folder;
    show([&](frmGeneralProgress& w) {
        auto* print = w.findChild<QPushButton*>(u"btnPrint"_s);
        auto* saveAs = w.findChild<QPushButton*>(u"btnSaveAs"_s);
        ASSERT_TRUE(print && saveAs);
        EXPECT_EQ(saveAs->text(), u"&Save As…"_s);
        EXPECT_EQ(saveAs->y(), print->y());
        EXPECT_GT(saveAs->x(), print->geometry().right());
        EXPECT_TRUE(saveAs->isVisible());

        // Ctrl+S: a PNG of twice the window's size, the title and the chart on white.
        const QString png = folder.filePath(u"progress.png"_s);
        fx.files->answer(png);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(fx.files->requests.size(), 1u);
        EXPECT_EQ(fx.files->requests.back().caption, u"Save Progress Chart As"_s);
        EXPECT_TRUE(
            fx.files->requests.back().proposed.endsWith(u"/General Progress 2026-04-01 to 2026-05-01.pdf"_s))
            << fx.files->requests.back().proposed.toStdString();
        const QImage picture(png);
        ASSERT_EQ(picture.size(), w.size() * 2);
        for (const QPushButton* button : {print, saveAs})
            EXPECT_EQ(picture.pixelColor(button->geometry().center() * 2), QColor(Qt::white));
        const ProgressLayout& l = layoutOf(w);
        EXPECT_EQ(picture.pixelColor(2 * l.xOfDay(10), 2 * (l.calZeroY - 10)), QColor(Qt::black));

        // The button: an SVG with the chart's texts as text.
        const QString svg = folder.filePath(u"progress.svg"_s);
        fx.files->answer(svg);
        QTest::mouseClick(saveAs, Qt::LeftButton);
        QFile file(svg);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString document = QString::fromUtf8(file.readAll());
        for (const QString& text : {u">General Progress Chart<"_s, u">Short trip<"_s, u">Apr 1<"_s})
            EXPECT_TRUE(document.contains(text)) << text.toStdString();
        EXPECT_FALSE(document.contains(u"Save As"_s));
        EXPECT_TRUE(fx.messages->shown.empty());
    });
}

TEST_F(ProgressChartTest, ThePrintedPageIsOneLandscapePageOfTextAndLines) {
    if (!pdfToolsInstalled())
        GTEST_SKIP() << "poppler-utils are not installed";
    diary.meal(day(10), 2500);
    diary.note(day(12), day(13), u"Short trip"_s);
    const QTemporaryDir folder;
    fx.printer->pdfPath = folder.filePath(u"progress.pdf"_s);
    show([&](frmGeneralProgress& w) {
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        EXPECT_TRUE(fx.messages->shown.empty());
        const PdfFacts pdf = readPdf(fx.printer->pdfPath);
        EXPECT_EQ(pdf.pages, 1);
        EXPECT_GT(pdf.pageSize.width(), pdf.pageSize.height());
        EXPECT_EQ(pdf.images, 0);
        // The texts of the chart on the screen, as text a reader can select.
        QStringList texts{u"General Progress Chart"_s, u"Short trip"_s};
        for (const DateLabel& label : w.chart().drawing().dateLabels)
            texts.append(label.text);
        for (const ValueLabel& label : w.chart().drawing().valueLabels)
            texts.append(label.text);
        for (const QString& text : texts)
            EXPECT_TRUE(pdf.text.contains(text)) << text.toStdString() << " in\n" << pdf.text.toStdString();
        EXPECT_FALSE(pdf.text.contains(u"Print"_s));
    });
}

} // namespace
} // namespace kelvora::test
