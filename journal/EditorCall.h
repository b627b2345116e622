#pragma once

#include "App.h"

#include <QtGlobal>

#include <functional>
#include <optional>

namespace kelvora {

// How a journal list opens its editor: on a record (0 for a new one), returning the identifier the
// editor stored, or nothing when it stored nothing. Tests hand a list a call of their own.
using EditorCall = std::function<std::optional<qint32>(qint32 recordId)>;

// The call for one of the program's journal editors, which take RecordID (and, where they have
// one, Mode: 0 for a single record) and report Saved and NewID.
template <typename Editor> EditorCall editorCall(Editor& editor) {
    return [&editor](qint32 recordId) -> std::optional<qint32> {
        if constexpr (requires { editor.Mode; })
            editor.Mode = 0;
        editor.RecordID = recordId;
        app().modal().exec(editor);
        if (!editor.Saved)
            return std::nullopt;
        return editor.NewID;
    };
}

} // namespace kelvora
