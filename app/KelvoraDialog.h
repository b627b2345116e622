#pragma once

#include <QDialog>

#include <initializer_list>

class QHBoxLayout;
class QPushButton;

namespace kelvora {

// The base of every dialog of the program. A dialog object lives for the whole run and keeps its
// public members; each showing runs load() to reset the controls from them, and every way of closing
// runs unload(). F1, and the Help button, open the dialog's help topic.
class KelvoraDialog : public QDialog {
    Q_OBJECT
public:
    KelvoraDialog(QWidget* parent, int helpContextId);

    int helpContextId() const { return m_helpContextId; }

protected:
    // The OK, Cancel and Help buttons of an editor, right-aligned in a row: OK is the default
    // button (Enter), Cancel rejects (Esc), Help sends F1. The caller connects OK.
    struct EditorButtons {
        QPushButton* ok;
        QPushButton* cancel;
        QPushButton* help;
        QHBoxLayout* row;
    };
    EditorButtons makeEditorButtons();
    // A push button with its designed name and caption.
    QPushButton* makeButton(const QString& name, const QString& caption);
    // The tab order of the dialog's controls, from the first to the last; the first is where the
    // dialog opens. Without it the order is the order the controls were made in.
    void setTabOrder(std::initializer_list<QWidget*> controls);
    // Reports an input error on `field` ("Error", exclamation), puts the focus there and returns
    // false, the way every check of every dialog ends.
    bool refuse(QWidget* field, const QString& text);

    // Resets the controls from the public members at each showing; afterwards the dialog puts the
    // focus on the first control of its tab order, so typing goes straight into the first field.
    virtual void load() {}
    virtual void unload() {}
    // Makes the button send F1 to the dialog, as the keyboard would.
    void makeHelpButton(QPushButton* button);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void focusFirstControl();
    // Grows the window to what its content needs now that it is loaded, never beyond the free area
    // of its screen; where it opens is left to Qt (over its parent), kept wholly on that screen.
    void fitToContentAndScreen();

    int m_helpContextId;
    bool m_loaded = false;
    QWidget* m_firstControl = nullptr;
};

// Opens the help topic of `window` (its helpContextId, or the main window's topic). The one place
// F1 is answered, for dialogs and the main window alike.
void showHelpFor(QWidget* window);

// Sends an F1 key press to `window`.
void sendF1(QWidget* window);

} // namespace kelvora
