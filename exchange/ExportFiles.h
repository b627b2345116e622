#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace kelvora {

struct FileContent {
    QString path;
    QByteArray bytes;
};

// Writes the files as a set: each under a temporary name beside it first, and only when every one
// of them is written are they renamed into place, replacing files of the same names. A file that
// cannot be written leaves all of them as they were. Returns the path of the file that could not be
// written, or the empty text when all are in place.
QString writeFilesTogether(const std::vector<FileContent>& files);

} // namespace kelvora
