// Dropping a file or folder from a file manager: the add form fills itself in and
// proposes a name. Every drop is a real X drag and drop that Wine turns into WM_DROPFILES.
#include "forms.h"

using namespace e2e;

namespace {

const char kOnlyOneText[] = "Drop Only One File Or Folder !";

void DropOn(const std::vector<std::string>& paths, const Window& on)
{
    ASSERT_TRUE(user::DropFiles(paths, on)) << "\"" << on.Title() << "\" did not take the drop";
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

TEST_F(Drop, OneFileOnTheAddWindowFillsTheFormWithAProposedName)
{
    struct Case {
        const char* path;
        const char* name;
    };
    // The name ends at the first dot; dots in front are skipped.
    const Case cases[] = {
        {"C:\\Tools\\viewer.exe", "viewer"},
        {"C:\\Docs\\report.final.pdf", "report"},
        {"C:\\users\\Public\\.profile", "profile"},
        {"C:\\bin\\make", "make"},
    };
    for (const Case& c : cases)
        WriteFileBytes(c.path, "x");

    Instance app = jumplet.StartShown();
    AddForm form = ShowAddForm(app);
    for (const Case& c : cases) {
        DropOn({c.path}, form.window);
        ExpectFilledForm(form, "File", c.path, c.name);
    }
    // A drop fills the target but does not unlock it: no type was chosen.
    EXPECT_FALSE(form.targetEdit.IsEnabled());
}

TEST_F(Drop, APlainFolderKeepsItsWholeNameAnyOtherAttributeMakesItAFile)
{
    const std::string album = "C:\\Data\\Album.2024";
    const std::string archive = "C:\\Data\\Archive.2019";
    CreateDirectoryA("C:\\Data", nullptr);
    CreateDirectoryA(album.c_str(), nullptr);
    CreateDirectoryA(archive.c_str(), nullptr);
    SetFileAttributesA(album.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Wine keeps no read-only flag on a folder; hidden is the attribute it does keep.
    SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(GetFileAttributesA(album.c_str()), (DWORD)FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_EQ(GetFileAttributesA(archive.c_str()), (DWORD)(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));

    Instance app = jumplet.StartShown();
    AddForm form = ShowAddForm(app);
    DropOn({album}, form.window);
    ExpectFilledForm(form, "Folder", album, "Album.2024");
    DropOn({archive}, form.window);
    ExpectFilledForm(form, "File", archive, "Archive");

    SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Drop, OneFileOnTheMainWindowOpensTheFilledForm)
{
    const std::string viewer = "C:\\Tools\\viewer.exe";
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

TEST_F(Drop, TwoFilesAreRefusedWithAMessage)
{
    const std::vector<std::string> two = {"C:\\Tools\\viewer.exe", "C:\\Docs\\report.final.pdf"};
    for (const std::string& path : two)
        WriteFileBytes(path, "x");
    Instance app = jumplet.StartShown();
    MainForm main(app);

    DropOn(two, main.mainList);
    MsgBox box = app.WaitForMessageBox("Message");
    ASSERT_TRUE(box.Exists()) << "two files dropped on the main window gave no message";
    EXPECT_EQ(box.Message(), kOnlyOneText);
    EXPECT_EQ(box.Owner().Handle(), main.window.Handle());
    box.PressOk();
    ASSERT_TRUE(WaitUntil([&] { return !box.Exists(); }));
    EXPECT_FALSE(app.AddWindow().IsVisible()) << "the add window came up for a refused drop";

    AddForm form = ShowAddForm(app);
    AddForm::TypeInto(form.nameEdit, "Keep");
    DropOn(two, form.window);
    box = app.WaitForMessageBox("Message");
    ASSERT_TRUE(box.Exists()) << "two files dropped on the add window gave no message";
    EXPECT_EQ(box.Message(), kOnlyOneText);
    box.PressOk();
    ASSERT_TRUE(WaitUntil([&] { return !box.Exists(); }));
    EXPECT_EQ(form.nameEdit.Text(), "Keep");
    EXPECT_EQ(form.targetEdit.Text(), "");
    EXPECT_EQ(form.TypeText(), "");
}

// The data file keeps text in the system's ANSI code page: a name it cannot spell would
// be stored as another file's name (a best fit) or as question marks.
TEST_F(Drop, APathTheCodePageCannotHoldIsRefused)
{
    if (GetACP() == CP_UTF8)
        GTEST_SKIP() << "this prefix's code page holds every name";
    CreateDirectoryA("C:\\Data", nullptr);
    const std::string folder = UnixPathOf("C:\\Data");
    Instance app = jumplet.StartShown();
    MainForm main(app);
    for (const wchar_t* name : {L"r\u0101.exe", L"\u041e\u0442\u0447\u0451\u0442.exe"}) {
        std::wstring path = std::wstring(L"C:\\Data\\") + name;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        char utf8[MAX_PATH];
        WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, MAX_PATH, nullptr, nullptr);
        ASSERT_TRUE(user::DropUnixFiles({folder + "/" + utf8}, main.mainList.Centre()));
        MsgBox box = app.WaitForMessageBox("Message");
        ASSERT_TRUE(box.Exists()) << "a path the data file cannot hold was taken";
        EXPECT_NE(box.Message().find("cannot keep this path"), std::string::npos) << box.Message();
        box.PressOk();
        ASSERT_TRUE(WaitUntil([&] { return !box.Exists(); }));
        EXPECT_FALSE(app.AddWindow().IsVisible());
    }
    AddForm form = ShowAddForm(app);
    std::string unixPath = folder + "/r\xC4\x81.exe";
    ASSERT_TRUE(user::DropUnixFiles({unixPath}, form.window.Centre()));
    MsgBox box = app.WaitForMessageBox("Message");
    ASSERT_TRUE(box.Exists()) << "a path the data file cannot hold was taken by the add window";
    box.PressOk();
    EXPECT_EQ(form.targetEdit.Text(), "");
    EXPECT_EQ(form.nameEdit.Text(), "");
}

TEST_F(Drop, ADropTurnsAMessageIntoAFileShortcut)
{
    const std::string report = "C:\\Docs\\report.final.pdf";
    WriteFileBytes(report, "x");
    Instance app = jumplet.StartShown();
    MainForm main(app);
    AddForm form = ShowAddForm(app);
    form.ChooseType("Message");
    AddForm::TypeInto(form.targetEdit, "hello");

    DropOn({report}, form.window);
    ExpectFilledForm(form, "File", report, "report");
    form.PressOk();
    EXPECT_TRUE(WaitUntil([&] { return IndexOf(main.mainList, "report") >= 0; }));
    EXPECT_EQ(jumplet.ReadDataFile(), DataLines({"report", report}));
}

}  // namespace
