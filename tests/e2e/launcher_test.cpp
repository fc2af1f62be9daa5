// The launcher as a user meets it: clicking and typing names to open them, running typed
// text, and delete mode. (Closing the window only hides it: the start-up and placement
// tests close it and find the program still running.)
#include "fixtures.h"

#include <algorithm>

namespace e2e {
namespace {

using Names = std::vector<std::string>;

class Launcher : public JumpletTest {
protected:
    // A document per shortcut: opening it runs the marker with the document's path.
    std::string Document(const std::string& name)
    {
        std::string path = jumplet.Folder() + name;
        WriteFileBytes(path, "text");
        return path;
    }

    Instance StartWith(const std::vector<std::pair<std::string, std::string>>& shortcuts)
    {
        std::vector<std::string> lines;
        for (const auto& shortcut : shortcuts) {
            lines.push_back(shortcut.first);
            lines.push_back(shortcut.second);
        }
        jumplet.WriteDataFile(DataLines(lines));
        return jumplet.StartShown();
    }
};

// Each kind of target as the shell gets it: a document, a folder, a web address that starts
// with "www." and a target that merely starts with an M (a folder on drive M:, a document
// named Manual), which only the whole "Message : " prefix would make a message. A message
// shortcut shows its whole line in a plain box captioned "Message" and opens nothing.
TEST_F(Launcher, AClickOnANameHidesTheWindowAndOpensItsTarget)
{
    std::string notes = Document("notes.txt"), folder = jumplet.Folder() + "Music";
    Document("Manual.txt");
    MakeFolders(folder);
    const std::pair<std::string, std::string> opens[] = {{"Notes", notes},
                                                         {"Music", folder},
                                                         {"Web", "http://www.example.org"},
                                                         {"Manual", jumplet.Folder() + "Manual.txt"}};
    Instance app = StartWith({{"Notes", notes}, {"Music", folder}, {"Web", "www.example.org"},
                              {"Manual", "Manual.txt"}, {"Reminder", "Message : Call the office at five"}});
    MainForm main(app);
    main.TypeSearch("zz");
    for (const auto& open : opens) {
        SCOPED_TRACE(open.first);
        marker::ClearLog();
        user::ShowAgain(main.window);
        user::ClickListItem(main.mainList, IndexOf(main.mainList, open.first));
        EXPECT_EQ(Opened(1), (Names{open.second}));
        EXPECT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); })) << "a launch hides the window";
        EXPECT_EQ(main.searchBox.Text(), "");
        EXPECT_TRUE(app.MessageBoxes().empty()) << "a box for a target that is not a message";
    }

    marker::ClearLog();
    user::ShowAgain(main.window);
    user::ClickListItem(main.mainList, IndexOf(main.mainList, "Reminder"));
    MsgBox message = app.WaitForMessageBox("Message");
    ASSERT_TRUE(message);
    EXPECT_EQ(message.Message(), "Message : Call the office at five");
    EXPECT_FALSE(message.HasIcon());
    message.PressOk();
    LetItSettle();
    EXPECT_TRUE(marker::Lines().empty()) << "a message shortcut opens nothing";
}

TEST_F(Launcher, TypingTheStartOfANameSelectsItAndEnterOpensIt)
{
    // Up and Down move by one in the search line, with the key's hook in place or none
    // chosen.
    for (bool hooked : {true, false}) {
        SCOPED_TRACE(hooked ? "with the key's hook" : "with no key chosen");
        if (!hooked)
            WriteSettingsFile("[moreopt]\r\nvkkey=10\r\n");
        Instance app = StartWith({{"Notes", Document("notes.txt")}, {"notepad", Document("notepad.txt")},
                                  {"Music", Document("music.txt")}});
        MainForm main(app);
        main.TypeSearch("no");
        ASSERT_TRUE(WaitUntil([&] { return main.mainList.Selection() == 1; })) << "\"no\" selects notepad";
        user::PressKey(VK_DOWN);
        EXPECT_TRUE(WaitUntil([&] { return main.mainList.Selection() == 2; }));
        user::PressKey(VK_UP);
        user::PressKey(VK_UP);
        EXPECT_TRUE(WaitUntil([&] { return main.mainList.Selection() == 0; }));
        EXPECT_EQ(main.searchBox.Text(), "no");
        jumplet.EndAll();
    }

    std::string notepad = Document("notepad.txt");
    Instance app = StartWith({{"Notes", Document("notes.txt")}, {"notepad", notepad}, {"Music", Document("music.txt")}});
    MainForm main(app);
    EXPECT_EQ(main.mainList.Items(), (Names{"Music", "notepad", "Notes"}));
    main.TypeSearch("no");
    EXPECT_TRUE(WaitUntil([&] { return main.mainList.Selection() == 1; })) << "\"no\" selects notepad";
    user::Type("tx");
    LetItSettle(300);
    EXPECT_EQ(main.mainList.Selection(), 1) << "text that matches nothing keeps the selection";
    user::PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return main.statusLine.Text() == "No shortcut begins with \"notx\"; Space runs it"; }));
    EXPECT_TRUE(main.window.IsVisible() && main.statusLine.IsVisible() && marker::Lines().empty());
    for (int i = 0; i < 4; i++)
        user::PressKey(VK_BACK);
    EXPECT_TRUE(WaitUntil([&] { return !main.statusLine.IsVisible(); })) << "the note outlives its text";
    user::PressKey(VK_RETURN);
    EXPECT_EQ(Opened(1), (std::vector<std::string>{notepad}));
    EXPECT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); }));
    EXPECT_EQ(main.searchBox.Text(), "") << "Enter leaves no line break in the box";
}

TEST_F(Launcher, TypingIgnoresCaseAndEnterWithNoSelectionOnlyHides)
{
    Instance app = StartWith({{"notepad", Document("notepad.txt")}, {"Music", Document("music.txt")}});
    MainForm main(app);
    main.TypeSearch("NOTEP");
    EXPECT_TRUE(WaitUntil([&] { return main.mainList.Selection() == 1; }));
    jumplet.EndAll();

    Instance fresh = jumplet.StartShown();
    MainForm again(fresh);
    again.TypeSearch("");
    user::PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !again.window.IsVisible(); }));
    EXPECT_EQ(again.searchBox.Text(), "");
    LetItSettle();
    EXPECT_TRUE(marker::Lines().empty()) << "nothing was selected, so nothing opens";
}

TEST_F(Launcher, SpaceRunsTheTypedTextAndHidesWhileRunStaysOpen)
{
    // Longer than the 31 characters an older run line took, so a cut would show.
    std::string longName = "a-rather-long-document-name-that-keeps-going.txt";
    std::string document = Document(longName);
    Instance app = jumplet.StartShown();
    MainForm main(app);
    main.TypeSearch(document);
    user::PressKey(VK_SPACE);
    EXPECT_EQ(Opened(1), (std::vector<std::string>{document}));
    EXPECT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); })) << "Space hides the window";
    EXPECT_EQ(main.searchBox.Text(), document) << "the blank of Space stays out of the box";

    user::ShowAgain(main.window);
    user::Click(main.runButton);
    EXPECT_EQ(Opened(2), (std::vector<std::string>{document, document})) << "Run opens the line as Space did";
    LetItSettle();
    EXPECT_TRUE(main.window.IsVisible()) << "Run leaves the window open";
    EXPECT_EQ(main.searchBox.Text(), document);
}

TEST_F(Launcher, DeleteModeRemovesExactlyTheSelectedNames)
{
    Instance app = StartWith(
        {{"Notes", "C:\\n"}, {"notepad", "C:\\np"}, {"Music", "C:\\m"}, {"Zoo", "C:\\z"}, {"Mail", "C:\\a"}});
    MainForm main(app);
    EXPECT_FALSE(main.statusLine.IsVisible()) << "an empty status line would cover the last names";
    EXPECT_TRUE(WaitUntil([&] { return main.searchBox.HasFocus(); })) << "a start leaves the keyboard nowhere";
    main.TypeSearch("no");
    user::Click(main.deleteButton);
    ASSERT_TRUE(WaitUntil([&] { return main.deleteList.IsVisible() && !main.mainList.IsVisible(); }));
    EXPECT_EQ(main.statusLine.Text(), "Now select item(s) and Press Delete");
    EXPECT_TRUE(main.statusLine.IsVisible());
    EXPECT_LE(main.deleteList.Rect().bottom, main.statusLine.Rect().top) << "the status line covers the list";
    EXPECT_EQ(main.deleteList.SelectedItems(), (Names{"notepad"})) << "the typed prefix pre-selects";
    user::ClickListItem(main.deleteList, IndexOf(main.deleteList, "Zoo"));
    ASSERT_TRUE(WaitUntil([&] { return main.deleteList.SelectedItems() == Names{"notepad", "Zoo"}; }));
    LetItSettle();
    EXPECT_TRUE(main.window.IsVisible()) << "a selection in delete mode launches nothing";
    EXPECT_TRUE(marker::Lines().empty());
    main.TypeSearch("mu");
    EXPECT_TRUE(WaitUntil([&] { return main.deleteList.SelectedItems() == Names{"Music", "notepad", "Zoo"}; }))
        << "only the match of the whole text is chosen by typing, not Mail's of \"m\"";
    // A hand edit seen as the window comes up again must not refill the list being chosen from.
    jumplet.WriteDataFile(jumplet.ReadDataFile() + DataLines({"Kept", "C:\\k"}));
    ClickTrayIcon();
    LetItSettle();
    EXPECT_EQ(main.deleteList.SelectedItems(), (Names{"Music", "notepad", "Zoo"}));

    user::Click(main.deleteButton);
    ASSERT_TRUE(WaitUntil([&] { return main.mainList.IsVisible() && !main.deleteList.IsVisible(); }));
    EXPECT_EQ(main.mainList.Items(), (Names{"Kept", "Mail", "Notes"}));
    EXPECT_FALSE(main.statusLine.IsVisible());
    EXPECT_EQ(jumplet.ReadDataFile(), DataLines({"Notes", "C:\\n", "Mail", "C:\\a", "Kept", "C:\\k"}))
        << "the file keeps its own order";
}

TEST_F(Launcher, SpaceTypesTheBlankThatGoesOnIntoAName)
{
    std::string music = Document("music.txt");
    Instance app = StartWith({{"My Music", music}, {"Mystery", Document("mystery.txt")}});
    MainForm main(app);
    main.TypeSearch("my m");
    ASSERT_TRUE(WaitUntil([&] { return main.searchBox.Text() == "my m"; }));
    user::PressKey(VK_RETURN);
    EXPECT_EQ(Opened(1), (Names{music}));
}

// Delete mode reloads the table from the file; the hidden main list must still name the
// records the user saw, so that Enter opens the one selected, not what moved into its place.
TEST_F(Launcher, EnterInDeleteModeOpensTheNameTheUserSelected)
{
    std::string bee = Document("bee.txt"), cat = Document("cat.txt");
    Instance app = StartWith({{"bee", bee}, {"cat", cat}});
    MainForm main(app);
    main.TypeSearch("ca");
    ASSERT_TRUE(WaitUntil([&] { return main.mainList.Selection() == 1; }));
    WriteFileBytes(jumplet.DataFilePath(), jumplet.ReadDataFile() + DataLines({"ant", Document("ant.txt")}));
    user::Click(main.deleteButton);
    ASSERT_TRUE(WaitUntil([&] { return main.deleteList.IsVisible(); }));
    user::Click(main.searchBox);
    user::PressKey(VK_RETURN);
    EXPECT_EQ(Opened(1), (std::vector<std::string>{cat}));
}

// A pasted address longer than any target: the line keeps what it can hold, and exactly
// that is what runs, never a longer text cut behind the user's back.
TEST_F(Launcher, TheSearchLineHoldsNoMoreThanItRuns)
{
    std::string address = "http://jumplet.example.org/" + std::string(302 - 27, 'a');
    ASSERT_EQ(address.size(), 302u);
    Instance app = jumplet.StartShown();
    MainForm main(app);
    main.TypeSearch("");
    user::Paste(address);
    ASSERT_TRUE(WaitUntil([&] { return !main.searchBox.Text().empty(); })) << "nothing was pasted";
    std::string shown = main.searchBox.Text();
    EXPECT_EQ(shown, address.substr(0, 259));
    user::PressKey(VK_SPACE);
    EXPECT_EQ(Opened(1), (std::vector<std::string>{shown}));
}

// Names that a sorting list box would order differently from the table: each must still
// open, and delete, its own shortcut.
TEST_F(Launcher, EveryNameOpensAndDeletesItsOwnShortcut)
{
    const Names names = {"b-c", "bc", "x", "X", "~t", "_u", "it's", "{a}", "\xe9t\xe9"};
    std::vector<std::pair<std::string, std::string>> shortcuts;
    for (size_t i = 0; i < names.size(); i++)
        shortcuts.push_back({names[i], Document("doc" + std::to_string(i) + ".txt")});
    Instance app = StartWith(shortcuts);
    MainForm main(app);
    std::vector<std::string> shown = main.mainList.Items();
    ASSERT_EQ(shown.size(), names.size());
    for (size_t row = 0; row < shown.size(); row++) {
        marker::ClearLog();
        user::ShowAgain(main.window);
        // x and X differ only in case; each row must open the record whose name it shows.
        user::ClickListItem(main.mainList, (int)row);
        size_t record = std::find(names.begin(), names.end(), shown[row]) - names.begin();
        EXPECT_EQ(Opened(1), (Names{shortcuts[record].second})) << "row " << row << " shows " << shown[row];
    }

    user::ShowAgain(main.window);
    user::Click(main.deleteButton);
    ASSERT_TRUE(WaitUntil([&] { return main.deleteList.IsVisible(); }));
    for (const char* doomed : {"bc", "~t", "it's"})
        user::ClickListItem(main.deleteList, IndexOf(main.deleteList, doomed));
    ASSERT_TRUE(WaitUntil([&] { return main.deleteList.SelectedItems().size() == 3; }));
    user::Click(main.deleteButton);
    ASSERT_TRUE(WaitUntil([&] { return main.mainList.IsVisible(); }));
    std::string file = jumplet.ReadDataFile();
    for (const char* doomed : {"bc", "~t", "it's"}) {
        size_t index = std::find(names.begin(), names.end(), doomed) - names.begin();
        EXPECT_EQ(file.find(shortcuts[index].second), std::string::npos) << doomed << " kept its record";
    }
    for (const char* kept : {"b-c", "_u", "{a}", "x"}) {
        size_t index = std::find(names.begin(), names.end(), kept) - names.begin();
        EXPECT_NE(file.find("\r\n" + shortcuts[index].second + "\r\n"), std::string::npos) << kept << " lost its record";
    }
    EXPECT_EQ(main.mainList.ItemCount(), (int)names.size() - 3);
}

// Tab and Shift+Tab go round the controls; Run gives the line the keyboard back; Escape hides.
TEST_F(Launcher, TabGoesRoundTheControlsAndEscapeHides)
{
    std::string notes = Document("notes.txt");
    MainForm main(StartWith({{"Notes", notes}}));
    main.TypeSearch(notes);
    const Window order[] = {main.searchBox,    main.runButton, main.mainList, main.addButton,
                            main.deleteButton, main.window.Control(kOptionButton)};
    for (size_t i = 1; i <= 2 * std::size(order); i++) {
        i <= std::size(order) ? user::PressKey(VK_TAB) : user::PressKeys({VK_SHIFT, VK_TAB});
        size_t at = (i <= std::size(order) ? i : 2 * std::size(order) - i) % std::size(order);
        EXPECT_TRUE(WaitUntil([&] { return order[at].HasFocus(); })) << "key " << i;
    }
    user::Click(main.runButton);
    EXPECT_TRUE(WaitUntil([&] { return main.searchBox.HasFocus(); })) << "Run kept the keyboard";
    user::PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); })) << "Escape did not hide the window";
}
}  // namespace
}  // namespace e2e
