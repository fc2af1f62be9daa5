// The HTML page of all shortcuts that the typed command "!report" writes: a fixed header,
// one row block per shortcut in table order, a fixed footer.
#ifndef JUMPLET_REPORT_PAGE_H
#define JUMPLET_REPORT_PAGE_H

#include "store/shortcut_table.h"
#include "store/text_buffer.h"

// Puts text into expanded (size bytes) with its environment variables filled in as the
// shell would; false when it cannot.
typedef bool (*ExpandVariables)(const char* text, char* expanded, size_t size);

// Appends the whole page with LF line ends, for a text-mode file to store as CR LF. Names
// and targets go in HTML-escaped, in the cells and in the links' addresses alike: the page
// is run by a browser, and a shortcut's text must never become markup or script there: a
// target that would run as script links nowhere, a message links not at all, and a local or
// network path links as a file:/// address, expanded by expand (nothing expands when it is
// null). The page declares the character set its text is written in, so that accented
// names show as they are.
void BuildReportPage(const ShortcutTableData& table, const char* charset, ExpandVariables expand, TextBuffer* page);

// The name a browser knows for a Windows ANSI code page ("windows-1252", "shift_jis", ...).
const char* CharsetOfCodePage(unsigned codePage, char* name, size_t nameSize);

// The address a link takes for a target: as the shell would open it, so that a web
// address written "www.example.org" links to http://www.example.org and "%TEMP%\\a b" to
// file:///C:/Temp/a b; nowhere ("#") for one that would run as script.
void AppendLinkAddress(TextBuffer* page, const char* target, ExpandVariables expand);

// Whether a browser would run the text as script when it is a link's address.
bool RunsAsScript(const char* address);

// Appends text with & < > " ' written as character references.
void AppendEscapedHtml(TextBuffer* page, const char* text);

#endif
