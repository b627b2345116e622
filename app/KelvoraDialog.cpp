#include "KelvoraDialog.h"

#include "Accessibility.h"
#include "App.h"
#include "HelpContext.h"
#include "ScreenFit.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
constexpr auto HelpContextProperty = "kelvoraHelpContext";
}

KelvoraDialog::KelvoraDialog(QWidget* parent, int helpContextId)
    : QDialog(parent), m_helpContextId(helpContextId) {
    setProperty(HelpContextProperty, helpContextId);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    nameCombosForScreenReaders();
}

QPushButton* KelvoraDialog::makeButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

KelvoraDialog::EditorButtons KelvoraDialog::makeEditorButtons() {
    EditorButtons buttons{makeButton(u"btnOK"_s, u"&OK"_s), makeButton(u"btnCancel"_s, u"&Cancel"_s),
                          makeButton(u"btnHelp"_s, u"&Help"_s), new QHBoxLayout};
    buttons.ok->setDefault(true);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    makeHelpButton(buttons.help);
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.cancel);
    buttons.row->addWidget(buttons.help);
    return buttons;
}

void KelvoraDialog::setTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    m_firstControl = controls.size() > 0 ? *controls.begin() : nullptr;
}

bool KelvoraDialog::refuse(QWidget* field, const QString& text) {
    app().messages().error(this, text);
    if (field)
        field->setFocus();
    return false;
}

void KelvoraDialog::makeHelpButton(QPushButton* button) {
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this] { sendF1(this); });
}

void KelvoraDialog::showEvent(QShowEvent* event) {
    // A spontaneous show is the window system restoring the window; only the program's own
    // showing is a new load.
    if (!event->spontaneous() && !m_loaded) {
        m_loaded = true;
        if (App::exists() && app().mainWidget())
            setWindowIcon(app().mainWidget()->windowIcon());
        load();
        focusFirstControl();
        // Sized before Qt places it, so that it is centred over its parent at its real size.
        fitToContentAndScreen();
        QDialog::showEvent(event);
        fitOnScreen(*this, size());
        return;
    }
    QDialog::showEvent(event);
}

void KelvoraDialog::focusFirstControl() {
    // Left alone, Qt would give the focus to the default button whenever the first widget it meets
    // is a button, and a user who starts typing would type into nothing.
    const auto takesFocus = [this](QWidget* widget) {
        return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisibleTo(this);
    };
    if (m_firstControl && takesFocus(m_firstControl)) {
        m_firstControl->setFocus(Qt::TabFocusReason);
        return;
    }
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain()) {
        if (isAncestorOf(widget) && takesFocus(widget)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void KelvoraDialog::fitToContentAndScreen() {
    if (QLayout* box = layout())
        box->activate();
    // Only the size: where the dialog stands is Qt's to choose (over its parent) or the user's.
    resize(sizeOnScreen(*this, size().expandedTo(sizeHint()).expandedTo(QSize(titleBarWidth(*this), 0))));
}

void KelvoraDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        showHelpFor(this);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void KelvoraDialog::done(int result) {
    if (m_loaded) {
        m_loaded = false;
        unload();
    }
    QDialog::done(result);
}

void showHelpFor(QWidget* window) {
    const QVariant context = window ? window->window()->property(HelpContextProperty) : QVariant();
    const int number = context.isValid() ? context.toInt() : HelpContext::frmMain;
    if (number != HelpContext::None)
        app().help().showTopic(number);
}

void sendF1(QWidget* window) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &press);
}

} // namespace kelvora
