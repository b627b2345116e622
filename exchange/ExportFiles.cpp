#include "ExportFiles.h"

#include <QSaveFile>

#include <memory>

namespace kelvora {

QString writeFilesTogether(const std::vector<FileContent>& files) {
    // A QSaveFile writes to a temporary file and renames it over its target at commit(); until
    // then, or if it is dropped, the target stays as it was.
    std::vector<std::unique_ptr<QSaveFile>> pending;
    for (const FileContent& file : files) {
        auto saving = std::make_unique<QSaveFile>(file.path);
        if (!saving->open(QIODevice::WriteOnly) || saving->write(file.bytes) != file.bytes.size() ||
            !saving->flush())
            return file.path;
        pending.push_back(std::move(saving));
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        if (!pending[i]->commit())
            return files[i].path;
    }
    return {};
}

} // namespace kelvora
