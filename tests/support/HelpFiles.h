#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace kelvora::test {

// Reading the help's HTML files the way the help tests check them.

QString readText(const QString& path); // empty when the file cannot be read
// The first group of every match of `pattern` (case-insensitive) in `text`.
QStringList captures(const QString& text, const QString& pattern);
std::string joined(const QStringList& lines);

// Why `target` (a file of `folder` with an optional #anchor; only an anchor means one of `fromPage`)
// leads nowhere; empty when it leads to an existing file and anchor.
QString brokenTarget(const QString& folder, const QString& target, const QString& fromPage);

} // namespace kelvora::test
