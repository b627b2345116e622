#include "KelvoraApplication.h"

#include "App.h"
#include "DiaryMessages.h"
#include "Icons.h"
#include "deData.h"

#include <QMessageBox>
#include <QProxyStyle>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// The platform's style with the toolbar's overflow chevrons drawn by the program. Qt's own come from
// image files, and reading the first of them makes Qt load every image plugin (SVG, JPEG, GIF,
// ICO) while the main window is being built, for pictures nobody sees until the window is narrow.
class KelvoraStyle final : public QProxyStyle {
public:
    // A fresh instance of the style Qt chose (platform, -style or QT_STYLE_OVERRIDE), so the user's
    // choice still holds; the application's own instance is deleted when this one replaces it.
    explicit KelvoraStyle(const QString& base) : QProxyStyle(base) {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return pictogram(u"MoreRight");
        if (icon == SP_ToolBarVerticalExtensionButton)
            return pictogram(u"MoreDown");
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

KelvoraApplication::KelvoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(programTitle());
    setStyle(new KelvoraStyle(style()->name())); // the application owns it
    // Every window without a picture of its own, dialogs and message boxes included, shows this one.
    setWindowIcon(pictogram(u"Program"));
    // Lets the desktop match the windows to the installed entry and its icon.
    setDesktopFileName(u"org.kelvora.Kelvora"_s);
    setApplicationVersion(
        u"%1.%2.%3"_s.arg(KELVORA_VERSION_MAJOR).arg(KELVORA_VERSION_MINOR).arg(KELVORA_VERSION_PATCH));
}

bool KelvoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportUncaught(error);
    }
    return false;
}

void KelvoraApplication::reportUncaught(const std::exception& error) {
    if (App::exists()) {
        app().messages().exclamation(
            app().mainWidget(), u"Error"_s,
            uncaughtFailureText(error, app().de().Con.path(), app().state().diaryReadOnly));
        return;
    }
    QMessageBox::warning(nullptr, u"Error"_s, uncaughtFailureText(error, QString(), false));
}

} // namespace kelvora
