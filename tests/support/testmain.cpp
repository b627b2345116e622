#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include <ctime>

int main(int argc, char** argv) {
    // The same surroundings on every machine: no display, one language and UTC, so that dates,
    // times and number texts come out the same wherever the tests run.
    // A test may bring an offscreen desktop of its own (a screen of a given size).
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LANG", "C.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
