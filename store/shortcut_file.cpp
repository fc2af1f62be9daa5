// The changes that reach the data file: loading the table from it, adding a shortcut and
// deleting some. Each reads the file as it is now, so that nothing another instance or a
// hand edit put there meanwhile is lost, and saves a complete new file or nothing.
#include <windows.h>
#include <mmsystem.h>
#include "base/ansi_path.h"
#include "base/late_library.h"
#include "store/data_text.h"
#include "store/store.h"
#include "store/utf8_text.h"

ExactTarget ExactTargets[TABLE_CAPACITY];

// The sound library is not one that Windows always takes from the system folder, so it is
// not imported: a winmm.dll beside the program would be loaded before any line of it ran.
// A sound file that is missing plays nothing, rather than the system's default beep.
void PlayEventSound(const char* soundPath)
{
    typedef BOOL(WINAPI * PlaySoundFile)(LPCSTR, HMODULE, DWORD);
    PlaySoundFile play = (PlaySoundFile)(void*)LateFunction("winmm.dll", "PlaySoundA");
    if (play != NULL)
        play(soundPath, NULL, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

// The data file's text as a text-mode read sees it; false when it cannot be read.
static bool ReadDataText(TextBuffer* bytes, TextBuffer* text)
{
    if (ReadDataFile(DataFilePath, bytes) == READ_FAILED)
        return false;
    TextModeView(bytes->bytes, bytes->length, text);
    return !bytes->failed && !text->failed;
}

// The code page a data file's bytes are read and extended with as UTF-8, or none: the file
// is ANSI. Where the ANSI code page is UTF-8 itself, there is nothing to convert.
static const CodePage* Utf8PageOf(const TextBuffer* bytes)
{
    return GetACP() != CP_UTF8 && IsUtf8DataFile(bytes->bytes, bytes->length) ? &SystemCodePage : nullptr;
}

bool LoadShortcutTable()
{
    TextBuffer bytes, text;
    InitText(&bytes);
    InitText(&text);
    // Before the read: a change made while it reads shows at the next look.
    DataFileStamp stamp;
    TakeDataFileStamp(&stamp);
    bool loaded = ReadDataText(&bytes, &text);
    if (loaded) {
        const Utf8Reading utf8 = {Utf8PageOf(&bytes), ExactTargets};
        ParseShortcuts(text.bytes, &ShortcutTable, SystemLeadByte, utf8.page != nullptr ? &utf8 : nullptr);
        SortShortcuts(&ShortcutTable, SystemLeadByte);
        KeepLoadedStamp(&stamp);
    }
    FreeText(&bytes);
    FreeText(&text);
    return loaded;
}

NewShortcutCheck AppendShortcut(const char* name, const char* target, bool isMessage, bool* saved)
{
    *saved = false;
    // The form's own faults come first, whatever state the file is in.
    NewShortcutCheck check = CheckNewShortcut(name, target, isMessage, 0);
    if (check != NEW_SHORTCUT_OK)
        return check;
    TextBuffer bytes, text, newFile;
    InitText(&bytes);
    InitText(&text);
    InitText(&newFile);
    if (ReadDataText(&bytes, &text)) {
        check = CheckNewShortcut(name, target, isMessage, ParseShortcuts(text.bytes, nullptr).fileRecords);
        if (check == NEW_SHORTCUT_OK) {
            AppendedFile(bytes.bytes, bytes.length, name, target, isMessage, &newFile, Utf8PageOf(&bytes));
            *saved = SaveDataFile(&newFile);
        }
    }
    FreeText(&bytes);
    FreeText(&text);
    FreeText(&newFile);
    return check;
}

// The shown table stays untouched, so that a failed delete can be tried again with the
// same selection.
bool DeleteShortcuts(const bool* selected)
{
    TextBuffer bytes, newFile;
    InitText(&bytes);
    InitText(&newFile);
    bool saved = ReadDataFile(DataFilePath, &bytes) != READ_FAILED && !bytes.failed;
    if (saved) {
        const Utf8Reading utf8 = {Utf8PageOf(&bytes), ExactTargets};
        DeletedFile(bytes.bytes, bytes.length, ShortcutTable, selected, &newFile, SystemLeadByte,
                    utf8.page != nullptr ? &utf8 : nullptr);
        saved = SaveDataFile(&newFile);
    }
    FreeText(&bytes);
    FreeText(&newFile);
    return saved;
}
