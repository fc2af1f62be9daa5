// The data-text functions with std::string in and out, so that tests read as plain text.
#pragma once

#include <string>
#include "store/data_text.h"

namespace text {

inline std::string Taken(TextBuffer* buffer)
{
    std::string result(buffer->bytes, buffer->length);
    FreeText(buffer);
    return result;
}

inline std::string TextModeView(const std::string& bytes)
{
    TextBuffer view;
    InitText(&view);
    ::TextModeView(bytes.data(), bytes.size(), &view);
    return Taken(&view);
}

inline std::string AppendedFile(const std::string& old, const char* name, const char* target, bool isMessage)
{
    TextBuffer file;
    InitText(&file);
    ::AppendedFile(old.data(), old.size(), name, target, isMessage, &file);
    return Taken(&file);
}

// The delete's new file from the file's current text-mode text, given the table the user
// saw and the positions selected in it.
inline std::string RewrittenFile(const std::string& currentText, const ShortcutTableData& shown,
                                 const bool* selected)
{
    static ShortcutTableData current;
    TextBuffer file;
    InitText(&file);
    ::RewrittenFile(currentText.c_str(), shown, selected, &current, &file);
    return Taken(&file);
}

}  // namespace text
