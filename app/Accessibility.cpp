#include "Accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

// A combo box as the reader sees it: named by its label, valued by its entry, with its list of
// entries as its one child and "show the list" as an action.
class NamedComboBox final : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return combo()->currentText();
        if (kind == QAccessible::Name && combo()->accessibleName().isEmpty())
            return QAccessibleWidget::text(kind).isEmpty() ? combo()->currentText()
                                                           : QAccessibleWidget::text(kind);
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

const char* const ChartProperty = "kelvoraChart";

QAccessibleInterface* programFactory(const QString& className, QObject* object) {
    if (className == u"QComboBox"_s) {
        if (auto* combo = qobject_cast<QComboBox*>(object))
            return new NamedComboBox(combo);
    }
    // Asked first with the most derived class name, so a chart is a chart whatever it derives from.
    if (object && object->property(ChartProperty).toBool() &&
        className == QLatin1StringView(object->metaObject()->className())) {
        if (auto* widget = qobject_cast<QWidget*>(object))
            return new QAccessibleWidget(widget, QAccessible::Chart);
    }
    return nullptr;
}

} // namespace

void presentAsChart(QWidget& chart, const QString& name) {
    nameCombosForScreenReaders();
    chart.setProperty(ChartProperty, true);
    chart.setAccessibleName(name);
}

void describeChart(QWidget& chart, const QString& description) {
    // Qt tells a listening reader of every change; a redraw of the same day is not one.
    if (chart.accessibleDescription() != description)
        chart.setAccessibleDescription(description);
}

void nameCombosForScreenReaders() {
    static const bool installed = [] {
        QAccessible::installFactory(programFactory);
        return true;
    }();
    (void)installed;
}

} // namespace kelvora
