#include "frmAbout.h"

#include "App.h"
#include "FieldLabel.h"
#include "HelpContext.h"
#include "deData.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kelvora {

namespace {

constexpr int PictureSize = 64;

// The version comes from the one project() line of the build.
QString programVersion() {
    return u"%1.%2.%3"_s.arg(KELVORA_VERSION_MAJOR).arg(KELVORA_VERSION_MINOR).arg(KELVORA_VERSION_PATCH);
}

QIcon programIcon() {
    if (App::exists() && app().mainWidget() && !app().mainWidget()->windowIcon().isNull())
        return app().mainWidget()->windowIcon();
    return QApplication::windowIcon();
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : KelvoraDialog(parent, HelpContext::None) {
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"About"_s);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(u"Picture1"_s);
    Picture1->setFixedSize(PictureSize, PictureSize);
    lblProgramName = new QLabel(u"Kelvora. Version "_s, this);
    lblProgramName->setObjectName(u"lblProgramName"_s);
    // Where the diary is depends on how the program was installed; the path can be selected and
    // copied, to find the file for a backup by hand.
    lblDiaryPath = new QLabel(this);
    lblDiaryPath->setObjectName(u"lblDiaryPath"_s);
    lblDiaryPath->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblDiaryPath->setFocusPolicy(Qt::StrongFocus);
    QLabel* diaryCaption = fieldLabel(u"Your diary:"_s, lblDiaryPath, this);
    btnOK = makeButton(u"btnOK"_s, u"&OK"_s);
    btnOK->setDefault(true);
    setTabOrder({btnOK, lblDiaryPath});

    auto* diary = new QHBoxLayout;
    diary->addWidget(diaryCaption);
    diary->addWidget(lblDiaryPath, 1);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblProgramName);
    texts->addLayout(diary);

    auto* info = new QHBoxLayout;
    info->addWidget(Picture1);
    info->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(info);
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &frmAbout::accept);
}

void frmAbout::load() {
    Picture1->setPixmap(programIcon().pixmap(PictureSize, PictureSize));
    lblProgramName->setText(u"Kelvora. Version "_s + programVersion());
    lblDiaryPath->setText(App::exists() ? QDir::toNativeSeparators(app().de().Con.path()) : QString());
}

} // namespace kelvora
