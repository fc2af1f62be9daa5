// The zip a Windows user downloads: unpacked into any folder, the program runs from there
// and keeps its shortcuts there.
#include "fixtures.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

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

// The DLLs the exe names in its import table, read from the image Windows would map.
std::vector<std::string> ImportedDlls(HMODULE image)
{
    std::vector<std::string> names;
    const BYTE* base = (const BYTE*)image;
    const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (const IMAGE_IMPORT_DESCRIPTOR* dll = (const IMAGE_IMPORT_DESCRIPTOR*)(base + imports.VirtualAddress);
         imports.VirtualAddress != 0 && dll->Name != 0; dll++) {
        std::string name = (const char*)(base + dll->Name);
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return (char)tolower(c); });
        names.push_back(name);
    }
    return names;
}

// The processor an exe file is built for, from its PE header; 0 when it is no PE file.
WORD MachineOf(const std::string& bytes)
{
    if (bytes.size() < sizeof(IMAGE_DOS_HEADER))
        return 0;
    LONG at = ((const IMAGE_DOS_HEADER*)bytes.data())->e_lfanew;
    if (at < 0 || bytes.size() < (size_t)at + 6 || bytes.compare((size_t)at, 4, std::string("PE\0\0", 4)) != 0)
        return 0;
    return (WORD)((unsigned char)bytes[(size_t)at + 4] | (unsigned char)bytes[(size_t)at + 5] << 8);
}

// The path a process loaded a DLL of this name from; empty when it has none.
std::string LoadedFrom(DWORD processId, const char* dllName)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    std::string path;
    for (BOOL more = Module32First(snapshot, &module); more && path.empty(); more = Module32Next(snapshot, &module))
        if (lstrcmpiA(module.szModule, dllName) == 0)
            path = module.szExePath;
    CloseHandle(snapshot);
    return path;
}

class ReleaseZip : public JumpletTest {};

// Run from a Downloads folder, the program asks for no administrator rights and runs no DLL
// that lies beside it: its imports are all DLLs that Windows takes from the system folder
// only, and what it loads later (the sounds' winmm.dll) it takes from there too.
TEST_F(ReleaseZip, TheProgramAsksForNoRightsAndTrustsNoDllBesideIt)
{
    HMODULE image = LoadLibraryExA(jumplet.ExePath().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(image != nullptr);
    const std::vector<std::string> knownDlls = {"advapi32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll",
                                                "msvcrt.dll",   "ole32.dll",    "shell32.dll", "user32.dll"};
    for (const std::string& dll : ImportedDlls(image)) {
        EXPECT_TRUE(std::count(knownDlls.begin(), knownDlls.end(), dll)) << dll << " is no known DLL";
    }
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // the manifest
    ASSERT_TRUE(found != nullptr);
    std::string manifest((const char*)LockResource(LoadResource(image, found)), SizeofResource(image, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    FreeLibrary(image);

    char driver[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, driver, MAX_PATH);
    std::string planted = std::string(driver, strrchr(driver, '\\') + 1) + "planted\\winmm.dll";
    ASSERT_TRUE(CopyFileA(planted.c_str(), (jumplet.Folder() + "winmm.dll").c_str(), FALSE));
    WriteSettingsFile("[kestrovane]\r\nlaunchsound=1\r\n");
    jumplet.WriteDataFile(DataLines({"Marker", marker::ProgramPath()}));
    Instance app = jumplet.StartShown();  // run.sh lets a winmm.dll found first win, as Windows does
    user::ClickListItem(MainForm(app).mainList, 0);
    ASSERT_EQ(marker::WaitForLines(1).size(), 1u) << "the shortcut was not launched";
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_TRUE(WaitUntil([&] { return !LoadedFrom(app.ProcessId(), "winmm.dll").empty(); }))
        << "the launch sound loaded no winmm.dll";
    EXPECT_EQ(LoadedFrom(app.ProcessId(), "winmm.dll"), std::string(system) + "\\winmm.dll");
    EXPECT_FALSE(FileExists(jumplet.Folder() + "planted-dll-ran.txt")) << "the DLL beside the program ran";
}

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
    EXPECT_EQ(MachineOf(ReadFileBytes(unpacked.ExePath())), IMAGE_FILE_MACHINE_I386) << "the zip ships no 32-bit program";
    // Where Wine runs no 32-bit program, the same source built for x86_64 stands in for it.
    const char* instead = getenv("JUMPLET_RUN_INSTEAD_OF_SHIPPED");
    if (instead && *instead) {
        ASSERT_TRUE(CopyFileA(instead, unpacked.ExePath().c_str(), FALSE)) << "could not put " << instead << " in its place";
    }

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
