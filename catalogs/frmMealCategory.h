#pragma once

#include "CatalogEditor.h"

class QLineEdit;
class QPushButton;

namespace kelvora {

// The editor of one meal category.
class frmMealCategory : public CatalogEditor {
    Q_OBJECT
public:
    explicit frmMealCategory(QWidget* parent);

    QLineEdit* txtName;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnHelp;

protected:
    void Populate(const Recordset& rs) override;
    void afterLoad() override;

private:
    void onOK();
};

} // namespace kelvora
