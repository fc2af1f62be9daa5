// The zip a Windows user downloads: unpacked into any folder, the program runs from there
// and keeps its shortcuts there.
#include "fixtures.h"

#include <algorithm>
#include <cstdlib>

namespace e2e {
namespace {

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

class ReleaseZip : public JumpletTest {};

TEST_F(ReleaseZip, UnpackedIntoAFolderWithBlanksItRunsAndKeepsItsShortcutsThere)
{
    const char* zip = getenv("JUMPLET_ZIP");
    ASSERT_TRUE(zip != nullptr && *zip) << "JUMPLET_ZIP is not set; run the suite through tests/e2e/run.sh";
    Jumplet unpacked("Jumplet 1.0", "C:\\users\\Public\\My Tools", false);
    ASSERT_EQ(RunUnixProgram({"cmake", "-E", "chdir", UnixPathOf(unpacked.Folder()), "cmake", "-E", "tar", "xf", zip}), 0)
        << "could not unpack " << zip;
    EXPECT_EQ(FilesIn(unpacked.Folder()),
              (std::vector<std::string>{"README.txt", "delete.wav", "help.html", "jumplet.exe", "launch.wav"}))
        << "the zip holds something a run left behind, or misses a file";
    std::string readme = ReadFileBytes(unpacked.Folder() + "README.txt");
    EXPECT_NE(readme.find("Page Down"), std::string::npos);
    for (size_t at = readme.find('\n'); at != std::string::npos; at = readme.find('\n', at + 1))
        ASSERT_TRUE(at > 0 && readme[at - 1] == '\r') << "README.txt has a line without a Windows line end";

    Instance app = unpacked.StartShown();
    EXPECT_TRUE(unpacked.DataFileExists()) << "the data file was not made beside the program";
    AddForm form = ShowAddForm(app);
    AddForm::TypeInto(form.nameEdit, "Notes");
    form.ChooseType("Message");
    ASSERT_TRUE(WaitUntil([&] { return form.targetEdit.IsEnabled(); }));
    AddForm::TypeInto(form.targetEdit, "kept here");
    form.PressOk();
    EXPECT_TRUE(WaitUntil([&] { return unpacked.ReadDataFile() == DataLines({"Notes", "Message : kept here"}); }))
        << unpacked.ReadDataFile();
    unpacked.EndAll();

    Instance again = unpacked.StartShown();
    EXPECT_EQ(MainForm(again).mainList.Items(), (std::vector<std::string>{"Notes"}));
}

}  // namespace
}  // namespace e2e
