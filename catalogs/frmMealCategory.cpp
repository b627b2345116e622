#include "frmMealCategory.h"

#include "FieldLabel.h"
#include "HelpContext.h"
#include "Recordset.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
constexpr int MaxNameLength = 20;
} // namespace

frmMealCategory::frmMealCategory(QWidget* parent)
    : CatalogEditor(
          parent, HelpContext::frmMealCategory, u"Meal Category"_s, u"MealCategory"_s,
          u"MealCategoryNameCheck"_s,
          u"Can't store this record in database. Please check whether there is already Meal Category "
          u"with the same name in the database"_s) {
    setObjectName(u"frmMealCategory"_s);

    txtName = new QLineEdit(this);
    txtName->setObjectName(u"txtName"_s);
    txtName->setMaxLength(MaxNameLength);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* layout = new QGridLayout(this);
    layout->addWidget(fieldLabel(u"Meal Category Name"_s, txtName, this), 0, 0);
    layout->addWidget(txtName, 0, 1);
    layout->addLayout(buttons.row, 1, 0, 1, 2);

    connect(btnOK, &QPushButton::clicked, this, &frmMealCategory::onOK);
}

void frmMealCategory::Populate(const Recordset& rs) {
    txtName->setText(rs.field(u"Name"_s).toString());
}

void frmMealCategory::afterLoad() {
    if (RecordID == 0)
        txtName->clear();
}

void frmMealCategory::onOK() {
    if (txtName->text().trimmed().isEmpty()) {
        refuse(txtName, u"The Name should be specified"_s);
        return;
    }
    const QString name = txtName->text();
    store([&name](Recordset& rs) { rs.set(u"Name"_s, name); }, name);
}

} // namespace kelvora
