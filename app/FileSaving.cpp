#include "FileSaving.h"

#include "App.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace kelvora {

bool confirmReplace(QWidget* parent, const QString& path) {
    if (!QFileInfo::exists(path))
        return true;
    return app().messages().ask(parent, programTitle(),
                                QDir::toNativeSeparators(path) + u" already exists. Replace it?"_s,
                                MessageButton::No);
}

QString writeFailureText(const QString& path) {
    return u"Can't write the file "_s + QDir::toNativeSeparators(path) +
           u". Please check that its folder exists, that you may write there and that the disk is not full."_s;
}

} // namespace kelvora
