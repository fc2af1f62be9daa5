// The HTML page of all shortcuts that the typed command "!report" writes: a fixed header,
// one row block per shortcut in table order, a fixed footer.
#ifndef JUMPLET_REPORT_PAGE_H
#define JUMPLET_REPORT_PAGE_H

#include "store/shortcut_table.h"
#include "store/text_buffer.h"

// Appends the whole page with LF line ends, for a text-mode file to store as CR LF. Names
// and targets go in HTML-escaped, in the cells and in the links' addresses alike: the page
// is run by a browser, and a shortcut's text must never become markup or script there: a
// target that would run as script links nowhere.
void BuildReportPage(const ShortcutTableData& table, TextBuffer* page);

// Whether a browser would run the text as script when it is a link's address.
bool RunsAsScript(const char* address);

// Appends text with & < > " ' written as character references.
void AppendEscapedHtml(TextBuffer* page, const char* text);

#endif
