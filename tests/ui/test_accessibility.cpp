// What a screen reader finds in every window: each control a user can reach has a name, the name
// of a combo box is not the value it shows, and no two controls of a window share a name.
#include "AppFixture.h"
#include "WindowWalk.h"
#include "frmMain.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;

namespace kelvora::test {
namespace {

// The kinds of control a user works with; labels, panes and frames only carry them.
bool isControl(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Slider:
        return true;
    default:
        return false;
    }
}

QString objectNameOf(QAccessibleInterface* control) {
    QObject* object = control->object();
    if (!object)
        return u"(no object)"_s;
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

// Walks the accessible tree below `node`, as an assistive technology does.
void collect(QAccessibleInterface* node, std::vector<QAccessibleInterface*>& controls, int depth = 0) {
    if (!node || depth > 30)
        return;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || child->state().invisible)
            continue;
        // The rows and cells of a list are its content, spoken by what they hold.
        if (child->role() == QAccessible::ListItem || child->role() == QAccessible::Cell ||
            child->role() == QAccessible::TreeItem || child->role() == QAccessible::Row ||
            child->role() == QAccessible::ColumnHeader || child->role() == QAccessible::RowHeader)
            continue;
        if (isControl(child->role()))
            controls.push_back(child);
        collect(child, controls, depth + 1);
    }
}

QStringList unnamed(QWidget& window) {
    QStringList found;
    std::vector<QAccessibleInterface*> controls;
    collect(QAccessible::queryAccessibleInterface(&window), controls);
    std::map<QString, QString> names; // name -> the first control that has it
    for (QAccessibleInterface* control : controls) {
        const QString name = control->text(QAccessible::Name).trimmed();
        const QString who = objectNameOf(control);
        if (name.isEmpty()) {
            found << who + u" has no name"_s;
            continue;
        }
        if (auto* combo = qobject_cast<QComboBox*>(control->object());
            combo && !combo->currentText().isEmpty() && name == combo->currentText())
            found << who + u" is named by its value \""_s + name + u'"';
        const auto [it, fresh] = names.emplace(name, who);
        if (!fresh)
            found << u"%1 and %2 are both called \"%3\""_s.arg(it->second, who, name);
    }
    return found;
}

TEST(Accessibility, EveryControlOfEveryWindowHasANameOfItsOwn) {
    AppFixture fx;
    frmMain main;
    const QStringList problems = problemsInEveryWindow(fx, main, unnamed);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u"\n"_s).toStdString();
}

} // namespace
} // namespace kelvora::test
