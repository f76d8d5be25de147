#include "util/gui/widgetprompter.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

using B = QMessageBox::StandardButton;

// Runs `action` on the modal dialog the code under test opens, as soon as its event loop runs.
// A dialog the action leaves open is closed on the next turn of the loop so a broken case fails
// instead of hanging.
template <class Dialog>
void whenModal(std::function<void(Dialog*)> action) {
    QTimer::singleShot(0, [action] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        Dialog* dialog = qobject_cast<Dialog*>(modal.data());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog of the expected kind";
            if (auto* other = qobject_cast<QDialog*>(modal.data()))
                other->done(0);
            return;
        }
        action(dialog);
        QTimer::singleShot(0, [modal] {
            if (modal && modal->isVisible()) {
                ADD_FAILURE() << "dialog left open";
                if (auto* open = qobject_cast<QDialog*>(modal.data()))
                    open->done(0);
            }
        });
    });
}

// QFileDialog hides accept(); the public QDialog slot still runs its checks.
void accept(QFileDialog* dialog) {
    static_cast<QDialog*>(dialog)->accept();
}

void pressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

struct LayoutCase {
    int code;
    QList<B> buttons;
    QMessageBox::Icon icon;
    B defaultButton;
    B escapeButton;
};

TEST(MessageBoxLayout, MapsPlatformCodes) {
    using I = QMessageBox::Icon;
    const std::vector<LayoutCase> cases = {
        {0, {B::Ok}, I::NoIcon, B::Ok, B::Ok},
        {1, {B::Ok, B::Cancel}, I::NoIcon, B::Ok, B::Cancel},
        {2, {B::Abort, B::Retry, B::Ignore}, I::NoIcon, B::Abort, B::NoButton},
        {3, {B::Yes, B::No, B::Cancel}, I::NoIcon, B::Yes, B::Cancel},
        {4, {B::Yes, B::No}, I::NoIcon, B::Yes, B::No},
        {5, {B::Retry, B::Cancel}, I::NoIcon, B::Retry, B::Cancel},
        {6, {B::Ok}, I::NoIcon, B::Ok, B::Ok},
        {16, {B::Ok}, I::Critical, B::Ok, B::Ok},
        {36, {B::Yes, B::No}, I::Question, B::Yes, B::No},
        {48, {B::Ok}, I::Warning, B::Ok, B::Ok},
        {51, {B::Yes, B::No, B::Cancel}, I::Warning, B::Yes, B::Cancel},
        {52, {B::Yes, B::No}, I::Warning, B::Yes, B::No},
        {64, {B::Ok}, I::Information, B::Ok, B::Ok},
        {65, {B::Ok, B::Cancel}, I::Information, B::Ok, B::Cancel},
        {80, {B::Ok}, I::NoIcon, B::Ok, B::Ok},
        {0x100 + 4, {B::Yes, B::No}, I::NoIcon, B::No, B::No},
        {0x100 + 3, {B::Yes, B::No, B::Cancel}, I::NoIcon, B::No, B::Cancel},
        {0x200 + 3, {B::Yes, B::No, B::Cancel}, I::NoIcon, B::Cancel, B::Cancel},
        {0x200 + 2, {B::Abort, B::Retry, B::Ignore}, I::NoIcon, B::Ignore, B::NoButton},
        // A default button the box does not have falls back to the first.
        {0x200 + 4, {B::Yes, B::No}, I::NoIcon, B::Yes, B::No},
        {0x300 + 3, {B::Yes, B::No, B::Cancel}, I::NoIcon, B::Yes, B::Cancel},
        {0x100 + 0, {B::Ok}, I::NoIcon, B::Ok, B::Ok},
    };
    for (const LayoutCase& c : cases) {
        const MessageBoxLayout layout = messageBoxLayout(c.code);
        EXPECT_EQ(layout.buttons, c.buttons) << c.code;
        EXPECT_EQ(layout.icon, c.icon) << c.code;
        EXPECT_EQ(layout.defaultButton, c.defaultButton) << c.code;
        EXPECT_EQ(layout.escapeButton, c.escapeButton) << c.code;
        // The default button is the answer a prompter-less run gives too.
        EXPECT_EQ(messageAnswerCode(layout.defaultButton), defaultAnswer(c.code)) << c.code;
    }
}

TEST(MessageAnswerCode, PlatformCodes) {
    const std::vector<std::pair<B, int>> cases = {
        {B::Ok, 1},     {B::Cancel, 2}, {B::Abort, 3}, {B::Retry, 4},
        {B::Ignore, 5}, {B::Yes, 6},    {B::No, 7},    {B::Save, 0},
    };
    for (const auto& [button, code] : cases)
        EXPECT_EQ(messageAnswerCode(button), code) << code;
}

struct FilterCase {
    const char* description;
    const char* patterns;
    const char* expected;
};

TEST(QtNameFilter, ConvertsFilterPairs) {
    const std::vector<FilterCase> cases = {
        {"All (*.*)", "*.*", "All (*)"},
        {"Text files", "*.txt", "Text files (*.txt)"},
        {"Pictures (*.jpg;*.bmp)", "*.jpg;*.bmp", "Pictures (*.jpg *.bmp)"},
        {"  Names  ", " *.txt ; *.csv ", "Names (*.txt *.csv)"},
        {"Names", "names.*", "Names (names.* names)"},
        // A bracket that holds no pattern belongs to the description.
        {"Export (tab separated)", "*.txt", "Export (tab separated) (*.txt)"},
        {"", "*.txt", "(*.txt)"},
        {"Anything", "", "Anything (*)"},
    };
    for (const FilterCase& c : cases)
        EXPECT_EQ(qtNameFilter(QString::fromLatin1(c.description), QString::fromLatin1(c.patterns)),
                  QString::fromLatin1(c.expected))
            << c.description;
}

// What the test does to the box: click a button, or press a key.
struct ClickCase {
    int code;
    B click; // NoButton: press `key` instead
    int key;
    int expected;
};

TEST(WidgetPrompter, MessageBoxReturnsThePlatformCodeOfTheButton) {
    const int none = 0;
    const std::vector<ClickCase> cases = {
        {0, B::Ok, none, 1},
        {0, B::NoButton, Qt::Key_Escape, 1},
        {1, B::Ok, none, 1},
        {1, B::Cancel, none, 2},
        {1, B::NoButton, Qt::Key_Escape, 2},
        {1, B::NoButton, Qt::Key_Return, 1},
        {0x101, B::NoButton, Qt::Key_Return, 2},
        {2, B::Abort, none, 3},
        {2, B::Retry, none, 4},
        {2, B::Ignore, none, 5},
        {0x202, B::NoButton, Qt::Key_Return, 5},
        {35, B::Yes, none, 6},
        {35, B::No, none, 7},
        {35, B::Cancel, none, 2},
        {35, B::NoButton, Qt::Key_Escape, 2},
        {0x103, B::NoButton, Qt::Key_Return, 7},
        {36, B::Yes, none, 6},
        {36, B::No, none, 7},
        {36, B::NoButton, Qt::Key_Escape, 7},
        {5, B::Retry, none, 4},
        {5, B::Cancel, none, 2},
        {5, B::NoButton, Qt::Key_Escape, 2},
    };
    WidgetPrompter prompter;
    for (const ClickCase& c : cases) {
        const MessageBoxLayout layout = messageBoxLayout(c.code);
        whenModal<QMessageBox>([&](QMessageBox* box) {
            QList<B> shown;
            for (QAbstractButton* button : box->buttons())
                shown.append(box->standardButton(button));
            EXPECT_EQ(shown.size(), layout.buttons.size()) << c.code;
            for (const B button : layout.buttons)
                EXPECT_TRUE(shown.contains(button)) << c.code;
            if (c.click != B::NoButton)
                box->button(c.click)->click();
            else
                pressKey(box, c.key);
        });
        EXPECT_EQ(
            prompter.message({QStringLiteral("Question?"), c.code, QStringLiteral("Zelkora")}),
            c.expected)
            << "code " << c.code << " key " << c.key;
    }
}

TEST(WidgetPrompter, AbortRetryIgnoreCannotBeEscaped) {
    WidgetPrompter prompter;
    whenModal<QMessageBox>([](QMessageBox* box) {
        pressKey(box, Qt::Key_Escape);
        EXPECT_TRUE(box->isVisible());
        box->close();
        EXPECT_TRUE(box->isVisible());
        box->button(B::Retry)->click();
    });
    EXPECT_EQ(prompter.message({QStringLiteral("Disk not ready."), 2, QStringLiteral("Backup")}),
              AnswerRetry);
}

TEST(WidgetPrompter, MessageBoxShowsTextTitleIconAndOwner) {
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_EQ(QApplication::activeWindow(), &window);

    WidgetPrompter prompter;
    for (const bool owned : {true, false}) {
        whenModal<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(box->text(), QStringLiteral("Data backup complete."));
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Zelkora"));
            EXPECT_EQ(box->icon(), QMessageBox::Information);
            EXPECT_EQ(box->parentWidget(), owned ? &window : nullptr);
            // Screen readers announce the message itself.
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            ASSERT_NE(accessible, nullptr);
            EXPECT_TRUE(accessible->text(QAccessible::Description)
                            .contains(QStringLiteral("Data backup complete.")))
                << qPrintable(accessible->text(QAccessible::Description));
            box->button(B::Ok)->click();
        });
        EXPECT_EQ(prompter.message({QStringLiteral("Data backup complete."), 64,
                                    QStringLiteral("Zelkora"), owned}),
                  AnswerOk);
    }
}

TEST(WidgetPrompter, InputBoxReturnsTheTextOrNothing) {
    WidgetPrompter prompter;
    whenModal<QInputDialog>([](QInputDialog* dialog) {
        EXPECT_EQ(dialog->labelText(), QStringLiteral("Type erase to confirm."));
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Confirmation Needed"));
        EXPECT_EQ(dialog->textValue(), QStringLiteral("start"));
        dialog->setTextValue(QStringLiteral("erase"));
        dialog->accept();
    });
    EXPECT_EQ(prompter.input(QStringLiteral("Type erase to confirm."),
                             QStringLiteral("Confirmation Needed"), QStringLiteral("start")),
              std::optional<QString>(QStringLiteral("erase")));

    whenModal<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompter.input(QStringLiteral("p"), QStringLiteral("t"), QString()), std::nullopt);
}

class FileDialogTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void SetUp() override {
        QFile file(path("names.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    FileDialogRequest request() const {
        FileDialogRequest r;
        r.title = QStringLiteral("Import Names");
        r.folder = dir.path();
        r.proposedName = QStringLiteral("VRAX Names.txt");
        r.filters = {{QStringLiteral("Text (*.txt)"), QStringLiteral("*.txt")},
                     {QStringLiteral("All (*.*)"), QStringLiteral("*.*")}};
        r.filterIndex = 2;
        r.mustExist = true;
        r.readOnly = true;
        r.defaultExtension = QStringLiteral("txt");
        return r;
    }
};

TEST_F(FileDialogTest, OpenFileSetsUpTheDialogAndReturnsTheChoice) {
    WidgetPrompter prompter;
    whenModal<QFileDialog>([this](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Import Names"));
        EXPECT_EQ(dialog->nameFilters(),
                  (QStringList{QStringLiteral("Text (*.txt)"), QStringLiteral("All (*)")}));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("All (*)"));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("txt"));
        EXPECT_EQ(dialog->directory().absolutePath(), QDir(dir.path()).absolutePath());
        dialog->selectNameFilter(QStringLiteral("Text (*.txt)"));
        dialog->selectFile(path("names.txt"));
        accept(dialog);
    });
    const std::optional<FileDialogAnswer> answer = prompter.openFile(request());
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->path, path("names.txt"));
    EXPECT_EQ(answer->filterIndex, 1);
    EXPECT_TRUE(answer->readOnly);
}

TEST_F(FileDialogTest, MustExistRefusesAMissingFile) {
    WidgetPrompter prompter;
    whenModal<QFileDialog>([this](QFileDialog* dialog) {
        // Qt warns about the missing file in a box of its own, over the dialog.
        bool warned = false;
        whenModal<QMessageBox>([&warned](QMessageBox* warning) {
            warned = true;
            warning->done(0);
        });
        dialog->selectFile(path("missing.txt"));
        accept(dialog);
        EXPECT_TRUE(warned);
        EXPECT_TRUE(dialog->isVisible());
        dialog->reject();
    });
    EXPECT_EQ(prompter.openFile(request()), std::nullopt);
}

TEST_F(FileDialogTest, CancelledOpenFileGivesNothing) {
    WidgetPrompter prompter;
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompter.openFile(request()), std::nullopt);
}

TEST_F(FileDialogTest, BrowseFolderUsesThePromptAndReturnsTheFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("backup")));
    WidgetPrompter prompter;
    whenModal<QFileDialog>([this](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Select a folder to backup to."));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        dialog->setDirectory(path("backup"));
        accept(dialog);
    });
    EXPECT_EQ(prompter.browseFolder(QStringLiteral("Select a folder to backup to.")),
              std::optional<QString>(path("backup")));

    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(prompter.browseFolder(QStringLiteral("Select a folder to export to.")), std::nullopt);
}

} // namespace
} // namespace zelkora
