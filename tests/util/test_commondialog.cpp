#include "support/scriptedprompter.h"
#include "util/commondialog.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

using test::ScriptedPrompter;

QString pair(const char* description, const char* pattern) {
    return QString::fromLatin1(description) + QChar(0) + QString::fromLatin1(pattern);
}

OpenDialogArgs importArgs() {
    OpenDialogArgs args;
    args.fileName = QStringLiteral("/home/desk/VRAX Names.txt");
    args.fileTitle = QStringLiteral("given title");
    args.mustExist = true;
    args.filter = QStringLiteral("All (*.*)| *.*");
    args.filterIndex = 1;
    args.initialDir = QStringLiteral("/home/desk");
    args.dialogTitle = QStringLiteral("Import");
    args.defaultExt = QStringLiteral("txt");
    args.owned = true;
    args.flags = OfnEnableHook | OfnEnableTemplate | 0x800;
    return args;
}

TEST(ShowOpenDialog, CancelClearsTheResults) {
    ScriptedPrompter prompter;
    prompter.fileAnswers.append(std::nullopt);
    OpenDialogArgs args = importArgs();
    EXPECT_FALSE(ShowOpenDialog(args));
    EXPECT_EQ(args.fileName, QString());
    EXPECT_EQ(args.fileTitle, QString());
    EXPECT_EQ(args.filter, QString());
    EXPECT_EQ(args.flags, 0);
    EXPECT_EQ(args.filterIndex, -1);
}

TEST(ShowOpenDialog, WithoutAPrompterItIsCancelled) {
    OpenDialogArgs args = importArgs();
    EXPECT_FALSE(ShowOpenDialog(args));
    EXPECT_TRUE(args.fileName.isEmpty());
    EXPECT_EQ(args.filterIndex, -1);
}

TEST(ShowOpenDialog, AnEmptyPathCountsAsCancelled) {
    ScriptedPrompter prompter;
    prompter.fileAnswers.append(FileDialogAnswer{QString(), 1, false});
    OpenDialogArgs args = importArgs();
    EXPECT_FALSE(ShowOpenDialog(args));
    EXPECT_EQ(args.filterIndex, -1);
}

TEST(ShowOpenDialog, PassesTheRequestOn) {
    ScriptedPrompter prompter;
    OpenDialogArgs args = importArgs();
    args.filter = QStringLiteral("Text (*.txt)|*.txt;*.csv|All (*.*)| *.*");
    args.filterIndex = 2;
    ShowOpenDialog(args);
    ASSERT_EQ(prompter.fileRequests.size(), 1);
    const FileDialogRequest& request = prompter.fileRequests.constFirst();
    EXPECT_EQ(request.title, QStringLiteral("Import"));
    EXPECT_EQ(request.folder, QStringLiteral("/home/desk"));
    EXPECT_EQ(request.proposedName, QStringLiteral("/home/desk/VRAX Names.txt"));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("txt"));
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_TRUE(request.mustExist);
    EXPECT_FALSE(request.multiSelect);
    EXPECT_TRUE(request.owned);
    const QList<std::pair<QString, QString>> expected = {
        {QStringLiteral("Text (*.txt)"), QStringLiteral("*.txt;*.csv")},
        {QStringLiteral("All (*.*)"), QStringLiteral("*.*")}};
    EXPECT_EQ(request.filters, expected);
}

TEST(ShowOpenDialog, ChosenFileFillsTheResults) {
    ScriptedPrompter prompter;
    prompter.fileAnswers.append(
        FileDialogAnswer{QStringLiteral("/data/import/names.txt"), 2, false});
    OpenDialogArgs args = importArgs();
    args.filter = QStringLiteral("Text (*.txt)|*.txt|All (*.*)| *.*");
    ASSERT_TRUE(ShowOpenDialog(args));
    EXPECT_EQ(args.fileName, QStringLiteral("/data/import/names.txt"));
    EXPECT_EQ(args.fileTitle, QStringLiteral("names.txt"));
    EXPECT_EQ(args.filterIndex, 2);
    // The chosen pair exactly as it stood in the converted list, blank included.
    EXPECT_EQ(args.filter, pair("All (*.*)", " *.*"));
    // Must-exist added, hook and template dropped, the caller's other bits kept.
    EXPECT_EQ(args.flags, OfnFileMustExist | 0x800);
    EXPECT_FALSE(args.readOnly);
}

struct FlagCase {
    const char* name;
    bool mustExist, multiSelect, readOnly, hideReadOnly;
    bool answerReadOnly;
    int expectedFlags;
    bool expectedReadOnly;
};

TEST(ShowOpenDialog, FlagsAndReadOnly) {
    const std::vector<FlagCase> cases = {
        {"none", false, false, false, false, false, 0, false},
        {"mustExist", true, false, false, false, false, OfnFileMustExist, false},
        {"multiSelect", false, true, false, false, false, OfnAllowMultiSelect, false},
        {"hideReadOnly", false, false, false, true, false, OfnHideReadOnly, false},
        {"checkedByUser", false, false, false, false, true, OfnReadOnly, true},
        {"keptChecked", false, false, true, false, true, OfnReadOnly, true},
        // The user cleared the box: the flag follows the box, not the caller's first value.
        {"clearedByUser", false, false, true, false, false, 0, false},
    };
    for (const FlagCase& c : cases) {
        ScriptedPrompter prompter;
        prompter.fileAnswers.append(
            FileDialogAnswer{QStringLiteral("/x/y.txt"), 1, c.answerReadOnly});
        OpenDialogArgs args;
        args.filter = QStringLiteral("All (*.*)| *.*");
        args.mustExist = c.mustExist;
        args.multiSelect = c.multiSelect;
        args.readOnly = c.readOnly;
        args.hideReadOnly = c.hideReadOnly;
        ASSERT_TRUE(ShowOpenDialog(args)) << c.name;
        EXPECT_EQ(args.flags, c.expectedFlags) << c.name;
        EXPECT_EQ(args.readOnly, c.expectedReadOnly) << c.name;
        const FileDialogRequest& request = prompter.fileRequests.constFirst();
        EXPECT_EQ(request.readOnly, c.readOnly) << c.name;
        EXPECT_EQ(request.hideReadOnly, c.hideReadOnly) << c.name;
        EXPECT_EQ(request.multiSelect, c.multiSelect) << c.name;
    }
}

TEST(ShowOpenDialog, FilterIndexOutsideTheListGivesNoPair) {
    ScriptedPrompter prompter;
    prompter.fileAnswers.append(FileDialogAnswer{QStringLiteral("/x/y.txt"), 5, false});
    OpenDialogArgs args = importArgs();
    ASSERT_TRUE(ShowOpenDialog(args));
    EXPECT_EQ(args.filterIndex, 5);
    EXPECT_EQ(args.filter, QString());
}

struct FilterCase {
    const char* name;
    const char* filter;
    QList<std::pair<QString, QString>> pairs;
};

TEST(OpenDialogFilterPairs, ConvertsTheFilterText) {
    const std::vector<FilterCase> cases = {
        {"single", "All (*.*)| *.*", {{QStringLiteral("All (*.*)"), QStringLiteral(" *.*")}}},
        {"colon",
         "Text:*.txt:All:*.*",
         {{QStringLiteral("Text"), QStringLiteral("*.txt")},
          {QStringLiteral("All"), QStringLiteral("*.*")}}},
        {"trailingBar", "Text|*.txt|", {{QStringLiteral("Text"), QStringLiteral("*.txt")}}},
        {"emptyEndsList",
         "Text|*.txt||All|*.*",
         {{QStringLiteral("Text"), QStringLiteral("*.txt")}}},
        {"noPattern", "Text", {}},
        {"empty", "", {}},
    };
    for (const FilterCase& c : cases)
        EXPECT_EQ(openDialogFilterPairs(QString::fromLatin1(c.filter)), c.pairs) << c.name;
}

TEST(BrowseForFolder, ReturnsTheChosenFolder) {
    ScriptedPrompter prompter;
    prompter.folderAnswers.append(QStringLiteral("/media/backup"));
    EXPECT_EQ(BrowseForFolder(true, QStringLiteral("Select a folder to backup to.")),
              QStringLiteral("/media/backup"));
    EXPECT_EQ(prompter.folderPrompts, QStringList{QStringLiteral("Select a folder to backup to.")});
}

TEST(BrowseForFolder, CancelGivesEmptyText) {
    {
        ScriptedPrompter prompter;
        prompter.folderAnswers.append(std::nullopt);
        EXPECT_EQ(BrowseForFolder(true, QStringLiteral("Select a folder to export to.")),
                  QString());
    }
    EXPECT_EQ(BrowseForFolder(false, QStringLiteral("no prompter")), QString());
}

} // namespace
} // namespace zelkora
