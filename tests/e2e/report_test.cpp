// The report page that "!report" writes beside the program and opens: its bytes as a file
// holds them, hostile names kept as text, and the box when no page can be written.
#include "fixtures.h"

namespace e2e {
namespace {

// The page as it stands in the file: every line feed stored as CR LF.
std::string Stored(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

const char kHeader[] = R"(<!--
	[[Jumplet Generated Report]]
	Jumplet v1.0 By jumplet.example.org
-->

<html>
<head>
 <meta http-equiv="Content-Type" content="text/html; charset=windows-1252">
 <title>Jumplet Report</title>
 <style>
	body
{
	background:black;
	color:#999;	font-family:arial;
}
a,a:visited{text-decoration:none; color:#999;}
a:hover{opacity:0.8}
	.ql
{
font-family:arial;
font-size:26px;
text-align:center;
margin-top:25px;
color:#063;

}
.qldiv
{
width:700px;
margin:25px auto;
padding:10px;
border:5px solid #063;
}
</style>
 </head>
 <body>
 <h1 class="ql">Jumplet Report</h1>
 <div class="qldiv">
 <table width="100%">
 	<tr>
 <td width="5%"> <b>#</b> </td><td width="25%" height="35px"><b>Name</b></td>
<td><b>Path</b></td>
 </tr>
)";

const char kFooter[] = "\n </table>\n </div>\n </body>\n</html>";

class Report : public JumpletTest {
protected:
    // Puts the text in an empty search line and runs it with the key, or with the Run
    // button for key 0, as a user asks for the report. A hidden window is brought back as
    // a user does, with the tray icon. The text is pasted: typed, its first blank would run
    // what stands before it.
    static void Run(const Instance& app, const std::string& text = "!report", WORD key = 0)
    {
        MainForm main(app);
        if (!main.window.IsVisible())
            ClickTrayIcon();
        ASSERT_TRUE(WaitUntil([&] { return main.window.IsVisible(); })) << "the tray icon did not bring the window up";
        SetWindowTextA(main.searchBox.Handle(), "");
        main.TypeSearch("");
        user::Paste(text);
        ASSERT_TRUE(WaitUntil([&] { return main.searchBox.Text() == text; })) << main.searchBox.Text();
        if (key)
            user::PressKey(key);
        else
            user::Click(main.runButton);
    }

    static void ExpectFailureBox(const Instance& app)
    {
        MsgBox box = app.WaitForMessageBox("Error");
        ASSERT_TRUE(box) << "no box for a report that could not be written";
        EXPECT_EQ(box.Message(), "Error\nReport could not be generated ..");
        EXPECT_TRUE(box.HasIcon());
        EXPECT_TRUE(box.IsTopmost() || box.Owner().Handle() == app.MainWindow().Handle())
            << "the box hides behind the window on top";
        EXPECT_TRUE(box.IsForeground());
        box.PressOk();
        ASSERT_TRUE(WaitUntil([&] { return app.MessageBoxes().empty(); }));
        LetItSettle();
        EXPECT_TRUE(marker::Lines().empty()) << "nothing is opened when no report was written";
    }
};

TEST_F(Report, IsWrittenByteForByteAndOpenedThroughTheShell)
{
    // Names that would be markup, and targets that would end the link's address, stay
    // text; the rows follow the table's order, each block on the line where the last ended.
    // An address the launcher opens by its "www." alone links as the web address it is, a
    // path as a file, a message not at all; a hand edit shows as the window comes up, and in a report.
    jumplet.WriteDataFile(DataLines({"<script>alert(1)</script>", "C:\\a&b \"c\".txt",
                                     "\"><img src=x onerror=alert(1)>", "http://x.example/?a=1&b='2'",
                                     "&amp;", "Message : <b>bold</b> & done", "Zoo", "%SystemDrive%\\Zoo"}));
    Instance app = jumplet.StartShown();
    user::ClickCloseBox(app.MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return !app.MainWindow().IsVisible(); }));
    jumplet.WriteDataFile(jumplet.ReadDataFile() + DataLines({"Site", "WWW.example.org/a?b"}));
    ClickTrayIcon();
    EXPECT_TRUE(WaitUntil([&] { return IndexOf(MainForm(app).mainList, "Site") >= 0; })) << "a hand edit is not listed";
    jumplet.WriteDataFile(jumplet.ReadDataFile() + DataLines({"Docs", "C:\\Docs"}));
    const std::string expected = Stored(
        std::string(kHeader) +
        "<tr>\n<td height=\"30\">1</td><td>&quot;&gt;&lt;img src=x onerror=alert(1)&gt;</td>\n"
        " <td><a href=\"http://x.example/?a=1&amp;b=&#39;2&#39;\">http://x.example/?a=1&amp;b=&#39;2&#39;</a></td>\n"
        " </tr>"
        "<tr>\n<td height=\"30\">2</td><td>&amp;amp;</td>\n"
        " <td>Message : &lt;b&gt;bold&lt;/b&gt; &amp; done</td>\n"
        " </tr>"
        "<tr>\n<td height=\"30\">3</td><td>&lt;script&gt;alert(1)&lt;/script&gt;</td>\n"
        " <td><a href=\"file:///C:/a&amp;b &quot;c&quot;.txt\">C:\\a&amp;b &quot;c&quot;.txt</a></td>\n"
        " </tr>"
        "<tr>\n<td height=\"30\">4</td><td>Docs</td>\n"
        " <td><a href=\"file:///C:/Docs\">C:\\Docs</a></td>\n"
        " </tr>"
        "<tr>\n<td height=\"30\">5</td><td>Site</td>\n"
        " <td><a href=\"http://WWW.example.org/a?b\">WWW.example.org/a?b</a></td>\n"
        " </tr>"
        "<tr>\n<td height=\"30\">6</td><td>Zoo</td>\n"
        " <td><a href=\"file:///C:/Zoo\">%SystemDrive%\\Zoo</a></td>\n"
        " </tr>" +
        kFooter);
    for (int run = 1; run <= 2; run++) {
        SCOPED_TRACE("run " + std::to_string(run));
        marker::ClearLog();
        Run(app);
        EXPECT_EQ(Opened(1), (std::vector<std::string>{jumplet.ReportPath()}));
        EXPECT_EQ(ReadFileBytes(jumplet.ReportPath()), expected) << "a second run overwrites, never grows";
        EXPECT_GE(IndexOf(MainForm(app).mainList, "Docs"), 0) << "the list does not show what the report does";
    }
}

// The command is its first four characters, any case, whatever follows; Space runs it and
// hides the window as it does any typed text, Run leaves the window open. Three characters
// are no command: they go to the shell like any other text.
TEST_F(Report, TheCommandByRunAndBySpace)
{
    struct Case {
        const char* text;
        WORD key;  // 0: the Run button
        bool report;
    };
    const Case cases[] = {{"!rep", 0, true}, {"!REPORT now", 0, true}, {"!report", VK_SPACE, true}, {"!re", 0, false}};
    Instance app = jumplet.StartShown();
    MainForm main(app);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DeleteFileA(jumplet.ReportPath().c_str());
        marker::ClearLog();
        Run(app, c.text, c.key);
        if (c.report) {
            EXPECT_EQ(Opened(1), (std::vector<std::string>{jumplet.ReportPath()}));
            EXPECT_EQ(ReadFileBytes(jumplet.ReportPath()), Stored(std::string(kHeader) + kFooter))
                << "an empty table gives the header and the footer only";
        } else {
            LetItSettle();
            EXPECT_FALSE(FileExists(jumplet.ReportPath()));
            EXPECT_TRUE(marker::Lines().empty());
        }
        EXPECT_TRUE(WaitUntil([&] { return main.window.IsVisible() == (c.key == 0); }))
            << (c.key ? "Space hides the window" : "Run leaves the window open");
    }
}

// A report file held by another program, a folder whose path leaves no room for the
// report's name, a disk with no room for its page: each time the user is told, and no
// page, whole or cut short, is opened or left behind. (A read-only file cannot be shown
// here: the tests run as root, whom the file system lets write it all the same.)
TEST_F(Report, AReportThatCannotBeWrittenGivesTheBox)
{
    {
        Instance app = jumplet.StartShown();
        const std::string old = "an older report";
        WriteFileBytes(jumplet.ReportPath(), old);
        LockedFile lock(jumplet.ReportPath());
        ASSERT_TRUE(lock.IsHeld());
        Run(app);
        ExpectFailureBox(app);
        lock.Release();
        EXPECT_EQ(ReadFileBytes(jumplet.ReportPath()), old);
        jumplet.EndAll();
    }
    {
        // 247 characters with its backslash: the data file's name fits after it, the
        // report's does not.
        const std::string parent = "C:\\e2e\\deep";
        Jumplet deep(std::string(247 - parent.size() - 2, 'd'), parent);
        ASSERT_EQ(deep.Folder().size(), 247u);
        Instance app = deep.StartShown();
        Run(app);
        ExpectFailureBox(app);
        EXPECT_FALSE(app.HasEnded());
    }
    if (!small_disk::Available())
        GTEST_SKIP() << small_disk::WhyNot();
    Jumplet onSmallDisk("report", small_disk::Root());
    std::vector<std::string> lines;
    for (int i = 0; i < 40; i++) {
        lines.push_back("Shortcut " + std::to_string(i));
        lines.push_back("C:\\Documents\\document " + std::to_string(i) + ".txt");
    }
    onSmallDisk.WriteDataFile(DataLines(lines));
    Instance app = onSmallDisk.StartShown();
    small_disk::Fill();
    Run(app);
    ExpectFailureBox(app);
    EXPECT_FALSE(FileExists(onSmallDisk.ReportPath()));
}

}  // namespace
}  // namespace e2e
