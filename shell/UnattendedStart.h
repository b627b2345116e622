#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace kelvora {

// The option that starts the real program with nobody at the screen, for checks of an installed
// program: every window start-up opens (its messages, the first start's parameters) is answered
// with its default button, what each one said goes to the standard error, and the program ends
// as soon as start-up is done.
inline constexpr auto QuitAfterStartOption = "--quit-after-start";
bool quitAfterStartRequested(const QStringList& arguments);

class UnattendedStart : public QObject {
public:
    UnattendedStart();

private:
    void answerTheOpenWindow();

    QTimer m_poll;
};

} // namespace kelvora
