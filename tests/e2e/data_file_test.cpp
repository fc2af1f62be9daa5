// The data file through the real program: what a load shows, what an add and a delete
// write byte for byte, and that no failure or crash ever tears or empties the file.
#include "fixtures.h"

#include <algorithm>
#include <random>

namespace e2e {
namespace {

using Names = std::vector<std::string>;

// Fills the add form for a message shortcut, as a user types it.
void FillMessageForm(const Instance& app, const std::string& name, const std::string& text)
{
    AddForm form = ShowAddForm(app);
    AddForm::TypeInto(form.nameEdit, name);
    form.ChooseType("Message");
    ASSERT_TRUE(WaitUntil([&] { return form.targetEdit.IsEnabled(); }));
    AddForm::TypeInto(form.targetEdit, text);
}

void AddMessage(const Instance& app, const std::string& name, const std::string& text)
{
    FillMessageForm(app, name, text);
    AddForm(app.AddWindow()).PressOk();
}

// Closes the add window the way a user does, so that it covers nothing.
void CloseAddWindow(const Instance& app)
{
    if (app.AddWindow().IsVisible())
        user::CloseWithAltF4(app.AddWindow());
}

// Enters delete mode and selects these names with clicks.
void SelectForDeletion(const Instance& app, const Names& names)
{
    CloseAddWindow(app);
    MainForm main(app);
    user::BringToFront(main.window);
    user::Click(main.deleteButton);
    ASSERT_TRUE(WaitUntil([&] { return main.deleteList.IsVisible(); })) << "delete mode did not start";
    for (const std::string& name : names) {
        int index = IndexOf(main.deleteList, name);
        ASSERT_GE(index, 0) << name << " is not in the delete list";
        user::ClickListItem(main.deleteList, index);
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<int> selected = main.deleteList.SelectedIndexes();
            return std::find(selected.begin(), selected.end(), index) != selected.end();
        })) << "a click did not select " << name;
    }
}

void PressDelete(const Instance& app)
{
    MainForm main(app);
    user::BringToFront(main.window);
    user::Click(main.deleteButton);
}

void DeleteNames(const Instance& app, const Names& names)
{
    SelectForDeletion(app, names);
    PressDelete(app);
}

std::string NumberedRecords(int first, int count)
{
    std::string file;
    for (int i = first; i < first + count; i++)
        file += "n" + std::to_string(1000 + i) + "\r\nC:\\t" + std::to_string(i) + "\r\n";
    return file;
}

class DataFile : public JumpletTest {};

TEST_F(DataFile, AFirstStartCreatesAnEmptyFileAndHandMadeFilesLoadByTheirRules)
{
    Instance first = jumplet.StartShown();
    EXPECT_TRUE(jumplet.DataFileExists());
    EXPECT_EQ(jumplet.ReadDataFile(), "");
    EXPECT_EQ(MainForm(first).mainList.ItemCount(), 0);
    jumplet.EndAll();

    // A save cut short where a replace is no atomic rename (FAT32) can leave no data file
    // but its complete new file and the backup: a start restores the newer and says so.
    for (const char* source : {"jumplet.tmp", "jumplet.bak"}) {
        DeleteFileA(jumplet.DataFilePath().c_str());
        WriteFileBytes(jumplet.Folder() + "jumplet.bak", DataLines({"old", "C:\\o"}));
        WriteFileBytes(jumplet.Folder() + source, DataLines({source, "C:\\s"}));
        Instance app = jumplet.Start();
        MsgBox told = app.WaitForMessageBox("Message");
        EXPECT_NE(told.Message().find(source), std::string::npos) << told.Message();
        told.PressOk();
        EXPECT_TRUE(WaitUntil([&] { return MainForm(app).mainList.Items() == Names{source}; }));
        jumplet.EndAll();
    }

    struct Case {
        std::string bytes;
        Names shown;
    };
    const Case cases[] = {
        // Blank lines anywhere, LF-only ends and a missing last line end change nothing.
        {"\r\n\r\ncherry\nC:\\c\n\n\nBanana\r\nC:\\b\r\n\r\napple\r\nC:\\a", {"apple", "Banana", "cherry"}},
        // A file of four bytes still shows its one shortcut, in both lists alike.
        {"a\nb\n", {"a"}},
        // Ctrl-Z and NUL end the text; a last name without a target is ignored.
        {std::string("x\r\n1\r\ny\r\n2\r\n\x1Az\r\n3\r\n", 21), {"x", "y"}},
        {std::string("x\r\n1\r\n\0y\r\n2\r\n", 13), {"x"}},
        {"x\r\n1\r\nlonely\r\n", {"x"}},
        // Names equal but for case and names the list box itself would order otherwise.
        {"x\r\n1\r\nX\r\n2\r\na\r\n3\r\n~t\r\n4\r\nb-c\r\n5\r\nbc\r\n6\r\n_u\r\n7\r\n",
         {"_u", "a", "b-c", "bc", "x", "X", "~t"}},
        // A UTF-8 mark that some editors write first is no part of the first name.
        {"\xEF\xBB\xBFzeta\r\nC:\\z\r\nalpha\r\nC:\\a\r\n", {"alpha", "zeta"}},
        // An over-long name is shown cut to 30 characters.
        {std::string(45, 'L') + "\r\nC:\\long\r\n", {std::string(30, 'L')}},
    };
    for (const Case& c : cases) {
        jumplet.WriteDataFile(c.bytes);
        Instance app = jumplet.StartShown();
        MainForm main(app);
        EXPECT_EQ(main.mainList.Items(), c.shown);
        user::BringToFront(main.window);
        user::Click(main.deleteButton);
        ASSERT_TRUE(WaitUntil([&] { return main.deleteList.IsVisible(); }));
        EXPECT_EQ(main.deleteList.Items(), c.shown) << "the delete list shows another table";
        EXPECT_EQ(jumplet.ReadDataFile(), c.bytes) << "loading changed the file";
        jumplet.EndAll();
    }
}

// Hand edits and files cut short: whatever the old file ends in, the old bytes stay, the new
// shortcut shows, no old one changes its target, and what the table did not hold is kept.
// The previous file is kept as jumplet.bak, and no temporary file is left.
TEST_F(DataFile, AnAddIsNeverHiddenByHowTheOldFileEnds)
{
    struct Case {
        std::string old;
        Names shown;
        std::string written;
    };
    const Case cases[] = {
        {"Zeta\nC:\\z\n\nalpha\r\nC:\\a", {"alpha", "bee", "Zeta"}, "Zeta\nC:\\z\n\nalpha\r\nC:\\a\r\nbee\r\nMessage : www\r\n"},
        {"a\r\n1\r\n\x1A", {"a", "bee"}, "a\r\n1\r\nbee\r\nMessage : www\r\n\x1A"},
        {"a\r\n1\r\nlonely\r\n", {"a", "bee"}, "a\r\n1\r\nbee\r\nMessage : www\r\nlonely\r\n"},
        {"a\r1\r", {"bee"}, "bee\r\nMessage : www\r\na\r1\r"},
        {"", {"bee"}, "bee\r\nMessage : www\r\n"},
    };
    Instance app = jumplet.StartShown();
    MainForm main(app);
    std::string backup;
    for (const Case& c : cases) {
        jumplet.WriteDataFile(c.old);
        AddMessage(app, "bee", "www");
        EXPECT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile() == c.written; })) << jumplet.ReadDataFile();
        EXPECT_EQ(main.mainList.Items(), c.shown);
        backup = c.old.empty() ? backup : c.old;
        EXPECT_EQ(ReadFileBytes(jumplet.Folder() + "jumplet.bak"), backup);
        EXPECT_FALSE(FileExists(jumplet.Folder() + "jumplet.tmp"));
    }
}

// Another instance (started with -run) or a hand edit adds a shortcut while delete mode is
// open: the delete removes the selected one from the file as it is then, and keeps the new.
TEST_F(DataFile, ADeleteKeepsWhatWasAddedMeanwhile)
{
    jumplet.WriteDataFile(DataLines({"b", "C:\\b", "a", "C:\\a"}));
    Instance app = jumplet.StartShown();
    SelectForDeletion(app, {"a"});
    jumplet.WriteDataFile(jumplet.ReadDataFile() + DataLines({"zed", "C:\\z"}));
    PressDelete(app);
    const std::string expected = DataLines({"b", "C:\\b", "zed", "C:\\z"});
    EXPECT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile() == expected; })) << jumplet.ReadDataFile();
    EXPECT_TRUE(WaitUntil([&] { return MainForm(app).mainList.Items() == Names{"b", "zed"}; }));
}

// A hidden data file stays hidden, and backups or leftovers that Windows would not let a
// copy overwrite never block a save. A read-only data file is not changed.
TEST_F(DataFile, FileAttributesNeverBlockASaveAndAReadOnlyFileIsLeftAlone)
{
    const std::string backup = jumplet.Folder() + "jumplet.bak";
    const std::string leftover = jumplet.Folder() + "jumplet.tmp";
    const DWORD stubborn = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    jumplet.WriteDataFile(DataLines({"a", "C:\\a"}));
    WriteFileBytes(backup, "old backup");
    WriteFileBytes(leftover, "killed save");
    SetFileAttributesA(jumplet.DataFilePath().c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(backup.c_str(), stubborn);
    SetFileAttributesA(leftover.c_str(), stubborn);
    Instance app = jumplet.StartShown();

    AddMessage(app, "b", "two");
    const std::string added = DataLines({"a", "C:\\a", "b", "Message : two"});
    ASSERT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile() == added; })) << jumplet.ReadDataFile();
    EXPECT_EQ(GetFileAttributesA(jumplet.DataFilePath().c_str()) & FILE_ATTRIBUTE_HIDDEN, (DWORD)FILE_ATTRIBUTE_HIDDEN)
        << "the saved data file is no longer hidden";
    EXPECT_EQ(ReadFileBytes(backup), DataLines({"a", "C:\\a"}));
    EXPECT_FALSE(FileExists(leftover));

    SetFileAttributesA(jumplet.DataFilePath().c_str(), FILE_ATTRIBUTE_READONLY);
    AddMessage(app, "c", "three");
    MsgBox refusal = app.WaitForMessageBox("Error");
    ASSERT_TRUE(refusal) << "a read-only data file must be reported, not written";
    EXPECT_NE(refusal.Message().find("could not be saved"), std::string::npos) << refusal.Message();
    refusal.PressOk();
    EXPECT_EQ(jumplet.ReadDataFile(), added);
    for (const std::string& path : {jumplet.DataFilePath(), backup})
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A delete takes out the selected shortcuts' two lines and keeps every other byte: the
// file's order and line ends, what follows a Ctrl-Z, records longer than the table holds.
TEST_F(DataFile, ADeleteTakesOutOnlyTheSelectedLines)
{
    const std::string longName(51, 'N'), longTarget = "C:\\" + std::string(310, 'p');
    struct Case {
        std::string old;
        Names selected;
        std::string written;
    };
    const Case cases[] = {
        {"cherry\nC:\\c\n\nBanana\r\nMessage : hi\r\napple\r\nC:\\a\r\nDate\r\nMessage : x\r\n", {"Banana"},
         "cherry\nC:\\c\n\napple\r\nC:\\a\r\nDate\r\nMessage : x\r\n"},
        {"aa\r\nMessage : ta\r\nbb\x1A\r\nMessage : tb\r\ncc\r\nMessage : tc\r\n", {"aa"},
         "bb\x1A\r\nMessage : tb\r\ncc\r\nMessage : tc\r\n"},
        {longName + "\r\n" + longTarget + "\r\nb\r\nC:\\b\r\n", {"b"}, longName + "\r\n" + longTarget + "\r\n"},
    };
    Instance app = jumplet.StartShown();
    MainForm main(app);
    for (const Case& c : cases) {
        jumplet.WriteDataFile(c.old);
        DeleteNames(app, c.selected);
        ASSERT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile() == c.written; })) << jumplet.ReadDataFile();
        EXPECT_TRUE(WaitUntil([&] { return main.mainList.IsVisible() && !main.deleteList.IsVisible(); }));
    }
    EXPECT_EQ(main.mainList.Items(), (Names{std::string(30, 'N')}));

    // Deleting all that is left leaves an empty file and empty lists.
    DeleteNames(app, {std::string(30, 'N')});
    EXPECT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile().empty() && main.mainList.ItemCount() == 0; }));
}

// Notepad saves UTF-8, with a mark or without: names show as the code page has them, a
// target opens, an add writes UTF-8 and a delete keeps every other byte.
TEST_F(DataFile, AFileSavedAsUtf8ShowsOpensAndStaysUtf8)
{
    const std::string document = jumplet.Folder() + "caf\xE9 menu.txt";
    WriteFileBytes(document, "text");
    const std::string cafe = DataLines({"Caf\xC3\xA9 Men\xC3\xBC", jumplet.Folder() + "caf\xC3\xA9 menu.txt"});
    const std::string zoo = DataLines({"zoo", "C:\\z"}), added = DataLines({"\xC3\xA9t\xC3\xA9", "Message : \xC3\xBC"});
    for (const std::string mark : {"\xEF\xBB\xBF", ""}) {
        jumplet.WriteDataFile(mark + cafe + zoo);
        Instance app = jumplet.StartShown();
        MainForm main(app);
        ASSERT_EQ(main.mainList.Items(), (Names{"Caf\xE9 Men\xFC", "zoo"}));
        user::ClickListItem(main.mainList, 0);
        EXPECT_EQ(Opened(1), (Names{document}));
        marker::ClearLog();
        user::ShowAgain(main.window);
        AddMessage(app, "\xE9t\xE9", "\xFC");
        EXPECT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile() == mark + cafe + zoo + added; })) << jumplet.ReadDataFile();
        DeleteNames(app, {"zoo"});
        EXPECT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile() == mark + cafe + added; })) << jumplet.ReadDataFile();
        jumplet.EndAll();
    }
}

TEST_F(DataFile, ShortcutsBeyondTheTableSurviveADeleteAndAFullFileRefusesAnAdd)
{
    jumplet.WriteDataFile(NumberedRecords(0, 258));
    Instance app = jumplet.StartShown();
    MainForm main(app);
    EXPECT_EQ(main.mainList.ItemCount(), 256);
    DeleteNames(app, {"n1000"});
    const std::string expected = NumberedRecords(1, 257);
    ASSERT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile() == expected; }))
        << "the records past the 256th must be carried over unchanged";

    // 257 shortcuts in the file: the table is full.
    AddMessage(app, "one more", "no room");
    MsgBox refusal = app.WaitForMessageBox("Error");
    ASSERT_TRUE(refusal) << "a full table must be refused with a message";
    EXPECT_NE(refusal.Message().find("at most 256 shortcuts"), std::string::npos) << refusal.Message();
    EXPECT_EQ(refusal.Owner().Handle(), app.AddWindow().Handle());
    refusal.PressOk();
    EXPECT_EQ(jumplet.ReadDataFile(), expected);
    EXPECT_EQ(AddForm(app.AddWindow()).nameEdit.Text(), "one more") << "a refused add keeps the form";
}

// Another program holding the data file open without sharing: nothing may be written,
// the program goes on, and the user is told.
TEST_F(DataFile, ADataFileHeldByAnotherProgramIsLeftAsItWas)
{
    const std::string old = "b\r\nC:\\b\r\na\r\nC:\\a\r\n";
    jumplet.WriteDataFile(old);
    Instance app = jumplet.StartShown();
    {
        LockedFile lock(jumplet.DataFilePath());
        ASSERT_TRUE(lock.IsHeld());
        PressDelete(app);
        MsgBox busy = app.WaitForMessageBox("Error");
        ASSERT_TRUE(busy) << "a data file that cannot be read must be reported";
        EXPECT_NE(busy.Message().find("Another program is using jumplet.dat"), std::string::npos) << busy.Message();
        EXPECT_NE(busy.Message().find("Nothing was changed"), std::string::npos) << busy.Message();
        busy.PressOk();
        MainForm main(app);
        EXPECT_FALSE(app.HasEnded()) << "a file held for a moment must not end the program";
        EXPECT_TRUE(main.mainList.IsVisible() && !main.deleteList.IsVisible());
        EXPECT_EQ(main.mainList.Items(), (Names{"a", "b"}));
    }
    SelectForDeletion(app, {"a"});
    FillMessageForm(app, "c", "three");
    {
        LockedFile lock(jumplet.DataFilePath());
        ASSERT_TRUE(lock.IsHeld());
        AddForm(app.AddWindow()).PressOk();
        MsgBox failure = app.WaitForMessageBox("Error");
        ASSERT_TRUE(failure) << "a failed add must be reported";
        EXPECT_NE(failure.Message().find("could not be saved"), std::string::npos) << failure.Message();
        failure.PressOk();
        AddForm form(app.AddWindow());
        EXPECT_EQ(form.nameEdit.Text(), "c");
        EXPECT_EQ(form.targetEdit.Text(), "three");

        CloseAddWindow(app);
        PressDelete(app);
        MsgBox deleteFailure = app.WaitForMessageBox("Error");
        ASSERT_TRUE(deleteFailure) << "a failed delete must be reported";
        deleteFailure.PressOk();
        MainForm main(app);
        EXPECT_TRUE(main.deleteList.IsVisible()) << "after a failed delete the user is still selecting";
        EXPECT_EQ(main.deleteList.SelectedItems(), (Names{"a"}));
    }
    EXPECT_EQ(jumplet.ReadDataFile(), old);
    EXPECT_FALSE(FileExists(jumplet.Folder() + "jumplet.tmp"));
}

// A failed delete's message leaves the add window usable; an add made meanwhile ends
// delete mode, and it stays ended: names launch again when they are clicked.
TEST_F(DataFile, AnAddWhileAFailedDeleteIsReportedEndsDeleteMode)
{
    const std::string document = jumplet.Folder() + "b.txt";
    WriteFileBytes(document, "text");
    jumplet.WriteDataFile(DataLines({"b", document, "a", "C:\\a"}));
    Instance app = jumplet.StartShown();
    SelectForDeletion(app, {"a"});
    FillMessageForm(app, "c", "three");
    MsgBox deleteFailure;
    {
        LockedFile lock(jumplet.DataFilePath());
        ASSERT_TRUE(lock.IsHeld());
        PressDelete(app);
        deleteFailure = app.WaitForMessageBox("Error");
        ASSERT_TRUE(deleteFailure) << "a failed delete must be reported";
    }
    AddForm(app.AddWindow()).PressOk();
    ASSERT_TRUE(WaitUntil([&] { return jumplet.ReadDataFile().find("three") != std::string::npos; }));
    deleteFailure.PressOk();
    CloseAddWindow(app);
    MainForm main(app);
    ASSERT_TRUE(WaitUntil([&] { return main.mainList.IsVisible() && !main.deleteList.IsVisible(); }));
    user::BringToFront(main.window);
    user::ClickListItem(main.mainList, IndexOf(main.mainList, "b"));
    std::vector<std::string> opened = marker::WaitForLines(1);
    ASSERT_EQ(opened.size(), 1u) << "a click on a name launched nothing: delete mode is still on";
    EXPECT_NE(opened[0].find(document), std::string::npos) << opened[0];
}

TEST_F(DataFile, AFullDiskLeavesTheDataFileAsItWas)
{
    if (!small_disk::Available())
        GTEST_SKIP() << small_disk::WhyNot();
    Jumplet onSmallDisk("jumplet", small_disk::Root());
    const std::string old = NumberedRecords(0, 20);
    onSmallDisk.WriteDataFile(old);
    Instance app = onSmallDisk.StartShown();
    small_disk::Fill();
    AddMessage(app, "c", "three");
    MsgBox failure = app.WaitForMessageBox("Error");
    ASSERT_TRUE(failure) << "a save onto a full disk must be reported";
    EXPECT_NE(failure.Message().find("could not be saved"), std::string::npos) << failure.Message();
    failure.PressOk();
    EXPECT_EQ(onSmallDisk.ReadDataFile(), old);
    EXPECT_FALSE(FileExists(onSmallDisk.Folder() + "jumplet.tmp"));
    EXPECT_EQ(MainForm(app).mainList.ItemCount(), 20);
}

std::string SaveTorturePath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.find_last_of('\\') + 1) + "save_torture.exe";
}

// The save routine is run in a loop by a small program that is killed at random moments;
// whatever the moment, the file is wholly the old or wholly the new content. The two
// contents are the test's own bytes, which the program only saves.
TEST_F(DataFile, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    const std::string folder = jumplet.Folder();
    std::string first, second;
    for (int i = 0; i < 250; i++)
        first += "a" + std::to_string(i) + "\r\nC:\\" + std::string(200, 'a') + "\\" + std::to_string(i) + "\r\n";
    for (int i = 0; i < 180; i++)
        second += "b" + std::to_string(i) + "\r\nC:\\" + std::string(200, 'b') + "\\" + std::to_string(i) + "\r\n";
    WriteFileBytes(folder + "first.txt", first);
    WriteFileBytes(folder + "second.txt", second);
    const std::string torture = "\"" + SaveTorturePath() + "\" \"" + folder.substr(0, folder.size() - 1) + "\"";
    ASSERT_TRUE(FileExists(SaveTorturePath()));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};

    std::mt19937 random(2026);
    int endedFirst = 0, endedSecond = 0;
    for (int round = 0; round < 100; round++) {
        std::string call = torture;
        ASSERT_TRUE(CreateProcessA(nullptr, &call[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
        // Once it has saved at least once, a kill can land anywhere inside a save.
        WaitUntil([&] { return FileExists(folder + "jumplet.bak"); }, 5000);
        Sleep(random() % 40);
        TerminateProcess(info.hProcess, 9);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
        std::string now = jumplet.ReadDataFile();
        ASSERT_TRUE(now == first || now == second)
            << "round " << round << ": a torn data file of " << now.size() << " bytes";
        (now == first ? endedFirst : endedSecond)++;
        DeleteFileA((folder + "jumplet.bak").c_str());
    }
    // Kills that always hit the same state would prove nothing.
    EXPECT_GT(endedFirst, 0);
    EXPECT_GT(endedSecond, 0);
}

}  // namespace
}  // namespace e2e
