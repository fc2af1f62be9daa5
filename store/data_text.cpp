#include "store/data_text.h"
#include <cstring>
#include "store/utf8_text.h"

const char MessagePrefix[] = "Message : ";

static const char CTRL_Z = 0x1A;

size_t VisibleLength(const char* bytes, size_t length)
{
    for (size_t i = 0; i < length; i++) {
        if (bytes[i] == '\0' || bytes[i] == CTRL_Z)
            return i;
    }
    return length;
}

void TextModeView(const char* bytes, size_t length, TextBuffer* text)
{
    ClearText(text);
    size_t end = VisibleLength(bytes, length);
    size_t runStart = 0;
    for (size_t i = 0; i < end; i++) {
        if (bytes[i] == '\r' && i + 1 < end && bytes[i + 1] == '\n') {
            AppendBytes(text, bytes + runStart, i - runStart);
            runStart = i + 1;
        }
    }
    AppendBytes(text, bytes + runStart, end - runStart);
}

// A line break or terminator inside a field would split or hide records in the file.
static bool HoldsBadCharacter(const char* text)
{
    for (; *text != '\0'; text++) {
        if (*text == '\r' || *text == '\n' || *text == CTRL_Z)
            return true;
    }
    return false;
}

NewShortcutCheck CheckNewShortcut(const char* name, const char* target, bool isMessage,
                                  int fileRecords)
{
    if (name[0] == '\0')
        return NEW_SHORTCUT_NO_NAME;
    if (target[0] == '\0')
        return NEW_SHORTCUT_NO_TARGET;
    if (isMessage && strlen(target) > MESSAGE_TEXT_MAX)
        return NEW_SHORTCUT_MESSAGE_TOO_LONG;
    if (strlen(target) > TARGET_SIZE - 1)
        return NEW_SHORTCUT_TARGET_TOO_LONG;
    if (HoldsBadCharacter(name) || HoldsBadCharacter(target))
        return NEW_SHORTCUT_BAD_CHARACTER;
    if (fileRecords >= TABLE_CAPACITY)
        return NEW_SHORTCUT_TABLE_FULL;
    return NEW_SHORTCUT_OK;
}

static void AppendLine(TextBuffer* file, const char* text, const CodePage* utf8)
{
    if (utf8 != nullptr)
        AppendUtf8FromAnsi(file, text, strlen(text), *utf8);
    else
        AppendString(file, text);
    AppendBytes(file, "\r\n", 2);
}

// Where the line at textOffset of the text-mode view starts in the file's bytes: text
// mode only drops the CR of a CR LF, so the line follows the same number of LF bytes.
static size_t ByteOffsetOfLine(const char* bytes, const char* text, size_t textOffset)
{
    size_t lineFeeds = 0;
    for (size_t i = 0; i < textOffset; i++)
        lineFeeds += text[i] == '\n';
    size_t offset = 0;
    while (lineFeeds > 0) {
        if (bytes[offset++] == '\n')
            lineFeeds--;
    }
    return offset;
}

void AppendedFile(const char* oldBytes, size_t oldLength, const char* name, const char* target,
                  bool isMessage, TextBuffer* file, const CodePage* utf8)
{
    ClearText(file);
    TextBuffer text;
    InitText(&text);
    TextModeView(oldBytes, oldLength, &text);
    size_t tail = ParseShortcuts(text.bytes, nullptr).tailOffset;
    size_t visible = VisibleLength(oldBytes, oldLength);
    // A last name without a target would take the new name as its target: the record goes
    // in before it, and it stays last, still counting for nothing.
    size_t insertAt = tail < text.length ? ByteOffsetOfLine(oldBytes, text.bytes, tail) : visible;
    // A byte-order mark stays first.
    size_t mark = ByteOrderMarkLength(oldBytes, visible);
    if (insertAt < mark)
        insertAt = mark;
    if (text.failed)
        file->failed = true;
    FreeText(&text);
    AppendBytes(file, oldBytes, insertAt);
    if (insertAt > mark && oldBytes[insertAt - 1] != '\n')
        AppendBytes(file, "\r\n", 2);
    AppendLine(file, name, utf8);
    if (isMessage)
        AppendString(file, MessagePrefix);
    AppendLine(file, target, utf8);
    AppendBytes(file, oldBytes + insertAt, oldLength - insertAt);
}

// One line of the file's bytes: where it starts, where its text ends (before the LF, and
// before the CR of a CR LF, as a text-mode read sees it) and where the next line starts.
struct ByteLine {
    size_t start, textEnd, next;
};

static ByteLine LineAt(const char* bytes, size_t start, size_t end)
{
    ByteLine line = {start, start, start};
    while (line.textEnd < end && bytes[line.textEnd] != '\n')
        line.textEnd++;
    line.next = line.textEnd < end ? line.textEnd + 1 : end;
    if (line.next > line.textEnd && line.textEnd > start && bytes[line.textEnd - 1] == '\r')
        line.textEnd--;
    return line;
}

// The next line that holds text, as the table's reader pairs them; blank lines count for
// nothing. Its start is end when there is none.
static ByteLine NextTextLine(const char* bytes, size_t start, size_t end)
{
    ByteLine line = LineAt(bytes, start, end);
    while (line.start < end && line.textEnd == line.start) {
        line = LineAt(bytes, line.next, end);
    }
    return line;
}

// A pair of lines as the table reads it, with the target's own bytes while the code page
// shows it only nearly.
struct PairRead {
    ShortcutRecord record;
    const char* exactTarget;
    size_t exactLength;
};

static void ReadPair(const char* bytes, const ByteLine& name, const ByteLine& target, LeadByteTest isLead,
                     const CodePage* page, PairRead* pair)
{
    bool exact = true;
    FieldOfLine(bytes + name.start, name.textEnd - name.start, pair->record.name, NAME_SIZE, isLead, page, &exact);
    size_t taken = FieldOfLine(bytes + target.start, target.textEnd - target.start, pair->record.target, TARGET_SIZE,
                               isLead, page, &exact);
    pair->exactTarget = exact ? nullptr : bytes + target.start;
    pair->exactLength = taken;
}

// Two targets that the code page shows alike are told apart by what the file holds.
static bool SameExactTarget(const ShortcutRecord& shown, const PairRead& pair, const Utf8Reading* utf8)
{
    if (shown.exactTarget == 0 || pair.exactTarget == nullptr)
        return shown.exactTarget == 0 && pair.exactTarget == nullptr;
    if (utf8 == nullptr || utf8->exactTargets == nullptr)
        return false;
    const char* kept = utf8->exactTargets[shown.exactTarget - 1].utf8;
    return strlen(kept) == pair.exactLength && memcmp(kept, pair.exactTarget, pair.exactLength) == 0;
}

// Takes, for the record the pair reads as, one selected record of the shown table that is
// the same and not taken yet.
static bool TakeSelected(const PairRead& pair, const ShortcutTableData& shown, const bool* selected, bool* taken,
                         const Utf8Reading* utf8)
{
    for (int32_t i = 0; i < shown.count; i++) {
        if (selected[i] && !taken[i] && SameRecord(shown.records[i], pair.record) &&
            SameExactTarget(shown.records[i], pair, utf8)) {
            taken[i] = true;
            return true;
        }
    }
    return false;
}

void DeletedFile(const char* bytes, size_t length, const ShortcutTableData& shown, const bool* selected,
                 TextBuffer* file, LeadByteTest isLead, const Utf8Reading* utf8)
{
    ClearText(file);
    size_t end = VisibleLength(bytes, length);
    bool taken[TABLE_CAPACITY] = {};
    PairRead pair = {};
    size_t copied = 0;
    ByteLine name = NextTextLine(bytes, ByteOrderMarkLength(bytes, end), end);
    for (int32_t pairs = 0; pairs < TABLE_CAPACITY && name.start < end; pairs++) {
        ByteLine target = NextTextLine(bytes, name.next, end);
        if (target.start == end)
            break;
        ReadPair(bytes, name, target, isLead, utf8 != nullptr ? utf8->page : nullptr, &pair);
        if (TakeSelected(pair, shown, selected, taken, utf8)) {
            // Only the two lines go; blank lines between them stay where they were.
            AppendBytes(file, bytes + copied, name.start - copied);
            AppendBytes(file, bytes + name.next, target.start - name.next);
            copied = target.next;
        }
        name = NextTextLine(bytes, target.next, end);
    }
    AppendBytes(file, bytes + copied, length - copied);
}
