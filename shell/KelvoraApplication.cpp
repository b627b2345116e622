#include "KelvoraApplication.h"

#include "App.h"
#include "DbError.h"
#include "Icons.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace kelvora {

KelvoraApplication::KelvoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(programTitle());
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
    const bool database = dynamic_cast<const DbError*>(&error) != nullptr;
    const QString text =
        (database ? u"The database reported an error:"_s : u"An unexpected error occurred:"_s) + u"\n\n"_s +
        QString::fromUtf8(error.what()) + u"\n\nNothing that was already stored has been lost."_s;
    if (App::exists()) {
        app().messages().exclamation(app().mainWidget(), u"Error"_s, text);
        return;
    }
    QMessageBox::warning(nullptr, u"Error"_s, text);
}

} // namespace kelvora
