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

inline std::string RewrittenFile(const ShortcutTableData& table, const bool* drop, const char* overflow)
{
    TextBuffer file;
    InitText(&file);
    ::RewrittenFile(table, drop, overflow, &file);
    return Taken(&file);
}

}  // namespace text
