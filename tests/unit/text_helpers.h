// The data-text functions with std::string in and out, so that tests read as plain text.
#pragma once

#include <string>
#include <vector>
#include "store/data_text.h"

namespace text {

// Code page 932 (Shift JIS): the first bytes of its two-byte characters.
inline bool Cp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Latin-1 as a code page: byte n is code point n; anything above U+00FF shows as '?'.
const CodePage kLatin1 = {
    [](uint32_t c, char* bytes, size_t* length) { return *length = 1, bytes[0] = c < 0x100 ? (char)c : '?', c < 0x100; },
    [](const char* bytes, size_t) { return (uint32_t)(unsigned char)bytes[0]; }, NoLeadBytes};

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

inline std::string AppendedFile(const std::string& old, const char* name, const char* target, bool isMessage,
                                const CodePage* utf8 = nullptr)
{
    TextBuffer file;
    InitText(&file);
    ::AppendedFile(old.data(), old.size(), name, target, isMessage, &file, utf8);
    return Taken(&file);
}

// The delete's new file from the file's bytes as they are now, given the table the user
// saw and the positions selected in it.
inline std::string DeletedFile(const std::string& bytes, const ShortcutTableData& shown, const bool* selected,
                               LeadByteTest isLead = NoLeadBytes, const Utf8Reading* utf8 = nullptr)
{
    TextBuffer file;
    InitText(&file);
    ::DeletedFile(bytes.data(), bytes.size(), shown, selected, &file, isLead, utf8);
    return Taken(&file);
}

// A record as one text; the line feed that joins the two fields is the one byte neither
// can hold, so different records never give the same text.
inline std::string Row(const std::string& name, const std::string& target)
{
    return name + "\n" + target;
}

inline std::string Row(const ShortcutRecord& record)
{
    return Row(record.name, record.target);
}

// The records a text-mode text holds, in file order, as rows.
inline std::vector<std::string> RecordsOfText(const std::string& text)
{
    static ShortcutTableData table;
    ParseShortcuts(text.c_str(), &table);
    std::vector<std::string> rows;
    for (int i = 0; i < table.count; i++)
        rows.push_back(Row(table.records[i]));
    return rows;
}

// The same for a file's bytes.
inline std::vector<std::string> Records(const std::string& bytes)
{
    return RecordsOfText(TextModeView(bytes));
}

// The text a table does not hold: pairs beyond it and a last name without target.
inline std::string TailOfText(const std::string& text)
{
    return text.substr(ParseShortcuts(text.c_str(), nullptr).tailOffset);
}

inline std::string Tail(const std::string& bytes)
{
    return TailOfText(TextModeView(bytes));
}

// The non-empty lines of a text-mode text.
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace text
