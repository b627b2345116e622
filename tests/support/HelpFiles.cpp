#include "HelpFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kelvora::test {

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList captures(const QString& text, const QString& pattern) {
    QStringList values;
    const QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    for (auto it = expression.globalMatch(text); it.hasNext();)
        values << it.next().captured(1);
    return values;
}

std::string joined(const QStringList& lines) {
    return lines.join(u'\n').toStdString();
}

QString brokenTarget(const QString& folder, const QString& target, const QString& fromPage) {
    const qsizetype hash = target.indexOf(u'#');
    const QString file = hash < 0 ? target : target.left(hash);
    const QString page = file.isEmpty() ? fromPage : file;
    if (page.isEmpty() || page.contains(u'/') || page.contains(u'\\'))
        return u"%1 (in %2): not a file of the help folder"_s.arg(target, fromPage);
    const QString path = QDir(folder).filePath(page);
    if (!QFileInfo(path).isFile())
        return u"%1 (in %2): no file %3"_s.arg(target, fromPage, page);
    if (hash < 0)
        return {};
    const QString anchor = target.mid(hash + 1);
    const QString html = readText(path);
    const QStringList anchors = captures(html, uR"re(<a\s[^>]*name\s*=\s*"([^"]*)")re"_s) +
                                captures(html, uR"re(<[a-z0-9]+\s[^>]*id\s*=\s*"([^"]*)")re"_s);
    return anchors.contains(anchor) ? QString() : u"%1 (in %2): no anchor %3"_s.arg(target, fromPage, anchor);
}

} // namespace kelvora::test
