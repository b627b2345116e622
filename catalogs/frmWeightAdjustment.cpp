#include "frmWeightAdjustment.h"

#include "App.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "Numeric.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {
constexpr int MaxWeightLength = 50;
} // namespace

frmWeightAdjustment::frmWeightAdjustment(QWidget* parent)
    : KelvoraDialog(parent, HelpContext::frmWeightAdjustment) {
    setObjectName(u"frmWeightAdjustment"_s);
    setWindowTitle(u"Weight Adjustment"_s);

    auto* lblExplain =
        new QLabel(u"Enter the figures from your own source of information (a book, sports guidance, "
                   u"the Internet and the like): the calories an activity burns for a person of "
                   u"the stated body weight."_s,
                   this);
    lblExplain->setWordWrap(true);
    txtWeight = new QLineEdit(this);
    txtWeight->setObjectName(u"txtWeight"_s);
    txtWeight->setMaxLength(MaxWeightLength);
    lblMeasurement = new QLabel(this);
    lblMeasurement->setObjectName(u"lblMeasurement"_s);
    txtCaloriesConsume = new QLineEdit(this);
    txtCaloriesConsume->setObjectName(u"txtCaloriesConsume"_s);

    const EditorButtons buttons = makeEditorButtons();
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblExplain, 0, 0, 1, 3);
    layout->addWidget(fieldLabel(u"For Weight"_s, txtWeight, this), 1, 0);
    layout->addWidget(txtWeight, 1, 1);
    layout->addWidget(lblMeasurement, 1, 2);
    layout->addWidget(fieldLabel(u"Calories"_s, txtCaloriesConsume, this), 2, 0);
    layout->addWidget(txtCaloriesConsume, 2, 1);
    layout->addLayout(buttons.row, 3, 0, 1, 3);

    connect(btnOK, &QPushButton::clicked, this, &frmWeightAdjustment::onOK);
}

void frmWeightAdjustment::load() {
    // The presets are the reference weights the activities' base values are kept for.
    if (app().state().measurementSystem != u"M"_s) {
        txtWeight->setText(u"150"_s);
        lblMeasurement->setText(u"lb"_s);
    } else {
        txtWeight->setText(QLocale().toString(68.04, 'f', 2));
        lblMeasurement->setText(u"kg"_s);
    }
    Saved = false;
}

void frmWeightAdjustment::onOK() {
    const std::optional<double> calories = parseNumber(txtCaloriesConsume->text());
    if (!calories) {
        refuse(txtCaloriesConsume, u"Calories field contains illegal value"_s);
        return;
    }
    const std::optional<double> weight = parseNumber(txtWeight->text());
    if (!weight) {
        refuse(txtWeight, u"For Weight field contains illegal value"_s);
        return;
    }
    if (*weight == 0.0) {
        refuse(txtWeight, u"For Weight should not be zero"_s);
        return;
    }
    const double ratio = static_cast<double>(static_cast<float>(app().state().bodyWeight)) / *weight;
    const std::optional<std::int16_t> result = toInt16(*calories * ratio);
    if (!result) {
        refuse(txtCaloriesConsume,
               u"The result is out of range: it should be a number from -32768 to 32767"_s);
        return;
    }
    Result = *result;
    Saved = true;
    accept();
}

} // namespace kelvora
