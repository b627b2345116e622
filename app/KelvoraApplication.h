#pragma once

#include <QApplication>

#include <exception>

namespace kelvora {

// The application object. A failure that no window catches (a database error in the middle of
// drawing the day, say) reaches the user as a message instead of ending the program.
class KelvoraApplication final : public QApplication {
public:
    KelvoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static void reportUncaught(const std::exception& error);
};

} // namespace kelvora
