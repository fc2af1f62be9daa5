// Dropping a file or folder from a file manager: the add form fills itself in and
// proposes a name. Every drop is a real X drag and drop that Wine turns into WM_DROPFILES.
#include "fixtures.h"

#include <cstdio>
#include <utility>

using namespace e2e;

namespace {

const char kOnlyOneText[] = "Drop Only One File Or Folder !";

void DropOn(const std::vector<std::string>& paths, const Window& on)
{
    ASSERT_TRUE(user::DropFiles(paths, on.Centre())) << "\"" << on.Title() << "\" did not take the drop";
}

// The form is filled by the time its target shows the dropped path.
void ExpectFilledForm(const AddForm& form, const std::string& type, const std::string& path, const std::string& name)
{
    EXPECT_TRUE(WaitUntil([&] { return form.targetEdit.Text() == path; }))
        << "the target reads \"" << form.targetEdit.Text() << "\", not the dropped " << path;
    EXPECT_EQ(form.TypeText(), type) << path;
    EXPECT_EQ(form.nameEdit.Text(), name) << path;
}

class Drop : public JumpletTest {};

// The name ends at the first dot, dots in front skipped; a plain folder keeps its whole
// name, and any other attribute makes it a file. A drop fills the target but does not
// unlock it: no type was chosen. After a chosen Message, a drop makes a file shortcut.
TEST_F(Drop, OneFileOrFolderOnTheAddWindowFillsTheFormWithAProposedName)
{
    struct Case {
        const char* path;
        DWORD folderAttributes;  // 0: a file
        const char* type;
        const char* name;
    };
    const Case cases[] = {
        {"Tools\\viewer.exe", 0, "File", "viewer"},
        {"Docs\\report.final.pdf", 0, "File", "report"},
        {"users\\Public\\.profile", 0, "File", "profile"},
        {"bin\\make", 0, "File", "make"},
        {"Data\\Album.2024", FILE_ATTRIBUTE_NORMAL, "Folder", "Album.2024"},
        // Wine keeps no read-only flag on a folder; hidden is the attribute it does keep.
        {"Data\\Archive.2019", FILE_ATTRIBUTE_HIDDEN, "File", "Archive"},
        {"Docs\\Minutes of the meeting about the meeting that planned all the meetings.txt", 0, "File",
         "Minutes of the meeting about t"},
    };
    for (const Case& c : cases) {
        std::string path = jumplet.Folder() + c.path;
        if (!c.folderAttributes) {
            WriteFileBytes(path, "x");
            continue;
        }
        MakeFolders(path);
        SetFileAttributesA(path.c_str(), c.folderAttributes);
        ASSERT_EQ(GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_DIRECTORY | (c.folderAttributes & ~FILE_ATTRIBUTE_NORMAL));
    }
    Instance app = jumplet.StartShown();
    MainForm main(app);
    AddForm form = ShowAddForm(app);
    for (const Case& c : cases) {
        DropOn({jumplet.Folder() + c.path}, form.window);
        ExpectFilledForm(form, c.type, jumplet.Folder() + c.path, c.name);
        EXPECT_FALSE(form.targetEdit.IsEnabled()) << c.path;
    }

    const std::string minutes = jumplet.Folder() + cases[6].path;
    form.ChooseType("Message");
    AddForm::TypeInto(form.targetEdit, "hello");
    DropOn({minutes}, form.window);
    ExpectFilledForm(form, "File", minutes, cases[6].name);
    form.PressOk();
    EXPECT_TRUE(WaitUntil([&] { return IndexOf(main.mainList, cases[6].name) >= 0; }));
    EXPECT_EQ(jumplet.ReadDataFile(), DataLines({cases[6].name, minutes}));
}

TEST_F(Drop, OneFileOnTheMainWindowOpensTheFilledForm)
{
    const std::string viewer = jumplet.Folder() + "viewer.exe";
    WriteFileBytes(viewer, "x");
    Instance app = jumplet.StartShown();
    MainForm main(app);
    ASSERT_FALSE(app.AddWindow().IsVisible());

    DropOn({viewer}, main.mainList);
    Window add = app.AddWindow();
    ASSERT_TRUE(WaitUntil([&] { return add.IsVisible(); })) << "the drop did not bring up the add window";
    AddForm form(add);
    ExpectFilledForm(form, "File", viewer, "viewer");
    EXPECT_TRUE(form.window.IsForeground());
    EXPECT_FALSE(form.targetEdit.IsEnabled());
    SaveScreenshotOf("add-window-dropped", form.window);

    // The proposed name is only a proposal.
    user::Click(form.nameEdit);
    user::PressKeys({VK_CONTROL, 'A'});
    user::Type("Image viewer");
    form.PressOk();
    EXPECT_TRUE(WaitUntil([&] { return IndexOf(main.mainList, "Image viewer") >= 0; }));
    EXPECT_EQ(jumplet.ReadDataFile(), DataLines({"Image viewer", viewer}));
}

// Two files at once, or a path the data file cannot hold: it keeps text in the system's
// ANSI code page, and a name that cannot be spelt there would be stored as another file's
// name (a best fit) or as question marks. Either window refuses them with a message of its
// own, and nothing changes.
TEST_F(Drop, TwoFilesOrAPathTheCodePageCannotHoldAreRefused)
{
    const std::string folder = UnixPathOf(jumplet.Folder());
    const std::vector<std::string> two = {jumplet.Folder() + "viewer.exe", jumplet.Folder() + "report.final.pdf"};
    for (const std::string& path : two)
        WriteFileBytes(path, "x");
    std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{UnixPathOf(two[0]), UnixPathOf(two[1])}, kOnlyOneText}};
    if (GetACP() == CP_UTF8)
        std::printf("this prefix's code page holds every name: only two files are refused\n");
    for (const wchar_t* name : {L"r\u0101.exe", L"\u041e\u0442\u0447\u0451\u0442.exe"}) {
        std::wstring path = std::wstring(jumplet.Folder().begin(), jumplet.Folder().end()) + name;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        char utf8[MAX_PATH];
        WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, MAX_PATH, nullptr, nullptr);
        if (GetACP() != CP_UTF8)
            refused.push_back({{folder + "/" + utf8}, "cannot keep this path"});
    }
    Instance app = jumplet.StartShown();
    MainForm main(app);
    for (bool onAddWindow : {false, true}) {
        AddForm form = onAddWindow ? ShowAddForm(app) : AddForm(app.AddWindow());
        if (onAddWindow)
            AddForm::TypeInto(form.nameEdit, "Keep");
        for (const auto& drop : refused) {
            SCOPED_TRACE((onAddWindow ? "on the add window: " : "on the main window: ") + drop.second);
            ASSERT_TRUE(user::DropUnixFiles(drop.first, (onAddWindow ? form.window : main.mainList).Centre()));
            MsgBox box = app.WaitForMessageBox("Message");
            ASSERT_TRUE(box.Exists()) << "a drop that cannot be a shortcut was taken";
            EXPECT_NE(box.Message().find(drop.second), std::string::npos) << box.Message();
            EXPECT_EQ(box.Owner().Handle(), (onAddWindow ? form.window : main.window).Handle());
            box.PressOk();
            ASSERT_TRUE(WaitUntil([&] { return !box.Exists(); }));
            EXPECT_EQ(form.window.IsVisible(), onAddWindow) << "the add window came up for a refused drop";
            EXPECT_EQ(form.nameEdit.Text(), onAddWindow ? "Keep" : "");
            EXPECT_EQ(form.targetEdit.Text(), "");
            EXPECT_EQ(form.TypeText(), "");
        }
    }
}

}  // namespace
