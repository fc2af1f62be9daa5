#include "store/report_page.h"
#include <cstdio>
#include <cstring>
#include "base/site.h"
#include "base/text_compare.h"
#include "base/version.h"
#include "store/data_text.h"

// Tabs and spaces at the line starts are part of the page as it has always been written.
static const char ReportHeader[] =
    "<!--\n"
    "\t[[Jumplet Generated Report]]\n"
    "\tJumplet v" JUMPLET_VERSION " By " SITE_HOST "\n"
    "-->\n"
    "\n"
    "<html>\n"
    "<head>\n";

// After the line that declares the character set.
static const char ReportHeaderRest[] =
    " <title>Jumplet Report</title>\n"
    " <style>\n"
    "\tbody\n"
    "{\n"
    "\tbackground:black;\n"
    "\tcolor:#999;\tfont-family:arial;\n"
    "}\n"
    "a,a:visited{text-decoration:none; color:#999;}\n"
    "a:hover{opacity:0.8}\n"
    "\t.ql\n"
    "{\n"
    "font-family:arial;\n"
    "font-size:26px;\n"
    "text-align:center;\n"
    "margin-top:25px;\n"
    "color:#063;\n"
    "\n"
    "}\n"
    ".qldiv\n"
    "{\n"
    "width:700px;\n"
    "margin:25px auto;\n"
    "padding:10px;\n"
    "border:5px solid #063;\n"
    "}\n"
    "</style>\n"
    " </head>\n"
    " <body>\n"
    " <h1 class=\"ql\">Jumplet Report</h1>\n"
    " <div class=\"qldiv\">\n"
    " <table width=\"100%\">\n"
    " \t<tr>\n"
    " <td width=\"5%\"> <b>#</b> </td><td width=\"25%\" height=\"35px\"><b>Name</b></td>\n"
    "<td><b>Path</b></td>\n"
    " </tr>\n";

// The row blocks end without a line feed; this one comes first.
static const char ReportFooter[] = "\n </table>\n </div>\n </body>\n</html>";

enum { ROW_NUMBER_SIZE = 12 };

void AppendEscapedHtml(TextBuffer* page, const char* text)
{
    const char* plain = text;
    for (; *text != '\0'; text++) {
        const char* reference = nullptr;
        switch (*text) {
        case '&':  reference = "&amp;"; break;
        case '<':  reference = "&lt;"; break;
        case '>':  reference = "&gt;"; break;
        case '"':  reference = "&quot;"; break;
        case '\'': reference = "&#39;"; break;
        }
        if (reference == nullptr)
            continue;
        AppendBytes(page, plain, (size_t)(text - plain));
        AppendString(page, reference);
        plain = text + 1;
    }
    AppendString(page, plain);
}

enum { SCHEME_MAX = 16 };

// Whether a browser would take the text, as a link's address, for script to run: its
// scheme read the way browsers read it (blanks and controls in front skipped, tabs and
// line breaks anywhere ignored, any case) is javascript, vbscript or data.
bool RunsAsScript(const char* address)
{
    while (*address != '\0' && (unsigned char)*address <= ' ')
        address++;
    char scheme[SCHEME_MAX + 1];
    size_t length = 0;
    for (; *address != '\0' && *address != ':'; address++) {
        char c = *address;
        if (c == '\t' || c == '\n' || c == '\r')
            continue;
        bool schemeCharacter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                               c == '+' || c == '-' || c == '.';
        if (!schemeCharacter || length == SCHEME_MAX)
            return false;
        scheme[length++] = c;
    }
    if (*address != ':')
        return false;
    scheme[length] = '\0';
    return CompareNoCase(scheme, "javascript") == 0 || CompareNoCase(scheme, "vbscript") == 0 ||
           CompareNoCase(scheme, "data") == 0;
}

// Only the whole prefix marks a message, as when it is launched.
static bool IsMessage(const char* target)
{
    return strncmp(target, MessagePrefix, strlen(MessagePrefix)) == 0;
}

// A drive path ("C:\\..." or "C:/...") or a network path ("\\\\server\\...").
static bool IsFilePath(const char* text)
{
    bool letter = (text[0] >= 'a' && text[0] <= 'z') || (text[0] >= 'A' && text[0] <= 'Z');
    bool drive = letter && text[1] == ':' && (text[2] == '\\' || text[2] == '/');
    return drive || (text[0] == '\\' && text[1] == '\\');
}

static void AppendRow(TextBuffer* page, int number, const ShortcutRecord& record, ExpandVariables expand)
{
    char numberText[ROW_NUMBER_SIZE];
    snprintf(numberText, ROW_NUMBER_SIZE, "%d", number);
    AppendString(page, "<tr>\n<td height=\"30\">");
    AppendString(page, numberText);
    AppendString(page, "</td><td>");
    AppendEscapedHtml(page, record.name);
    // A message opens nothing, so it has no address to link to.
    if (IsMessage(record.target)) {
        AppendString(page, "</td>\n <td>");
        AppendEscapedHtml(page, record.target);
        AppendString(page, "</td>\n </tr>");
        return;
    }
    AppendString(page, "</td>\n <td><a href=\"");
    AppendLinkAddress(page, record.target, expand);
    AppendString(page, "\">");
    AppendEscapedHtml(page, record.target);
    AppendString(page, "</a></td>\n </tr>");
}

enum { EXPANDED_PATH_SIZE = 1024 };

// Browsers take "C:\\..." for an unknown scheme and know nothing of %VARIABLES%: a path
// links as the file: address of the path the shell would open.
static bool AppendFileAddress(TextBuffer* page, const char* target, ExpandVariables expand)
{
    if (!IsFilePath(target) && target[0] != '%')
        return false;
    char expanded[EXPANDED_PATH_SIZE];
    if (expand == nullptr || !expand(target, expanded, EXPANDED_PATH_SIZE))
        snprintf(expanded, EXPANDED_PATH_SIZE, "%s", target);
    if (!IsFilePath(expanded))
        return false;
    for (char* c = expanded; *c != '\0'; c++) {
        if (*c == '\\')
            *c = '/';
    }
    // A network path keeps its two slashes after the empty host, as browsers read them.
    AppendString(page, "file:///");
    AppendEscapedHtml(page, expanded);
    return true;
}

void AppendLinkAddress(TextBuffer* page, const char* target, ExpandVariables expand)
{
    if (RunsAsScript(target)) {
        AppendString(page, "#");
        return;
    }
    if (AppendFileAddress(page, target, expand))
        return;
    if (CompareNoCaseN(target, "www.", 4) == 0)
        AppendString(page, "http://");
    AppendEscapedHtml(page, target);
}

const char* CharsetOfCodePage(unsigned codePage, char* name, size_t nameSize)
{
    static const struct {
        unsigned codePage;
        const char* name;
    } Named[] = {{65001, "utf-8"}, {932, "shift_jis"}, {936, "gbk"}, {949, "euc-kr"}, {950, "big5"}};
    for (const auto& known : Named) {
        if (known.codePage == codePage) {
            snprintf(name, nameSize, "%s", known.name);
            return name;
        }
    }
    snprintf(name, nameSize, "windows-%u", codePage);
    return name;
}

void BuildReportPage(const ShortcutTableData& table, const char* charset, ExpandVariables expand, TextBuffer* page)
{
    AppendString(page, ReportHeader);
    AppendString(page, " <meta http-equiv=\"Content-Type\" content=\"text/html; charset=");
    AppendEscapedHtml(page, charset);
    AppendString(page, "\">\n");
    AppendString(page, ReportHeaderRest);
    for (int32_t i = 0; i < table.count; i++)
        AppendRow(page, i + 1, table.records[i], expand);
    AppendString(page, ReportFooter);
}
