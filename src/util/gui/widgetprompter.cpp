#include "util/gui/widgetprompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>

namespace zelkora {

namespace {

// A message box that can refuse Escape and the close box, for button sets without a safe answer;
// QMessageBox on its own would pick one of the buttons.
class StationMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool escapeAllowed = true;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!escapeAllowed && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        if (!escapeAllowed) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

QWidget* ownerWindow(bool owned) {
    return owned ? QApplication::activeWindow() : nullptr;
}

QString widenPattern(const QString& pattern) {
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    if (pattern.endsWith(QLatin1String(".*")))
        return pattern + QLatin1Char(' ') + pattern.chopped(2);
    return pattern;
}

} // namespace

MessageBoxLayout messageBoxLayout(int code) {
    using B = QMessageBox::StandardButton;
    MessageBoxLayout layout;
    switch (code & 0x0F) {
    case 1:
        layout.buttons = {B::Ok, B::Cancel};
        layout.escapeButton = B::Cancel;
        break;
    case 2:
        layout.buttons = {B::Abort, B::Retry, B::Ignore};
        layout.escapeButton = B::NoButton;
        break;
    case 3:
        layout.buttons = {B::Yes, B::No, B::Cancel};
        layout.escapeButton = B::Cancel;
        break;
    case 4:
        layout.buttons = {B::Yes, B::No};
        layout.escapeButton = B::No;
        break;
    case 5:
        layout.buttons = {B::Retry, B::Cancel};
        layout.escapeButton = B::Cancel;
        break;
    default:
        layout.buttons = {B::Ok};
        layout.escapeButton = B::Ok;
        break;
    }
    const qsizetype index = (code & 0x300) >> 8;
    layout.defaultButton = layout.buttons.at(index < layout.buttons.size() ? index : 0);
    switch (code & 0xF0) {
    case 16:
        layout.icon = QMessageBox::Critical;
        break;
    case 32:
        layout.icon = QMessageBox::Question;
        break;
    case 48:
        layout.icon = QMessageBox::Warning;
        break;
    case 64:
        layout.icon = QMessageBox::Information;
        break;
    default:
        layout.icon = QMessageBox::NoIcon;
        break;
    }
    return layout;
}

int messageAnswerCode(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Ok:
        return AnswerOk;
    case QMessageBox::Cancel:
        return AnswerCancel;
    case QMessageBox::Abort:
        return AnswerAbort;
    case QMessageBox::Retry:
        return AnswerRetry;
    case QMessageBox::Ignore:
        return AnswerIgnore;
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    default:
        return 0;
    }
}

QString qtNameFilter(const QString& description, const QString& patterns) {
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    static const QRegularExpression wildcardGroup(QStringLiteral("\\s*\\([^()]*[*?][^()]*\\)$"));
    QStringList widened;
    for (const QString& pattern : patterns.split(separators, Qt::SkipEmptyParts))
        widened.append(widenPattern(pattern));
    if (widened.isEmpty())
        widened.append(QStringLiteral("*"));
    QString text = description.trimmed();
    text.remove(wildcardGroup);
    const QString group = QLatin1Char('(') + widened.join(QLatin1Char(' ')) + QLatin1Char(')');
    return text.isEmpty() ? group : text + QLatin1Char(' ') + group;
}

int WidgetPrompter::message(const MessageRequest& request) {
    const MessageBoxLayout layout = messageBoxLayout(request.code);
    StationMessageBox box(ownerWindow(request.owned));
    box.setWindowTitle(request.title);
    box.setText(request.text);
    // Qt 6.4 gives a message box no accessible description; screen readers announce this one.
    box.setAccessibleDescription(request.text);
    box.setIcon(layout.icon);
    for (const QMessageBox::StandardButton button : layout.buttons)
        box.addButton(button);
    box.setDefaultButton(layout.defaultButton);
    if (layout.escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(layout.escapeButton);
    box.escapeAllowed = layout.escapeButton != QMessageBox::NoButton;
    box.exec();
    // Closed some other way (the application quitting): the answer nobody gave is the default.
    QAbstractButton* clicked = box.clickedButton();
    const int answer = clicked ? messageAnswerCode(box.standardButton(clicked)) : 0;
    return answer != 0 ? answer : defaultAnswer(request.code);
}

std::optional<QString> WidgetPrompter::input(const QString& prompt, const QString& title,
                                             const QString& initial) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<FileDialogAnswer> WidgetPrompter::openFile(const FileDialogRequest& request) {
    QFileDialog dialog(ownerWindow(request.owned));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    if (request.multiSelect)
        dialog.setFileMode(QFileDialog::ExistingFiles);
    else
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);

    QStringList filters;
    for (const auto& [description, patterns] : request.filters)
        filters.append(qtNameFilter(description, patterns));
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = request.filterIndex - 1;
        dialog.selectNameFilter(filters.at(index >= 0 && index < filters.size() ? index : 0));
    }
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileDialogAnswer answer;
    answer.path = dialog.selectedFiles().constFirst();
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    answer.filterIndex = chosen >= 0 ? int(chosen) + 1 : request.filterIndex;
    // Qt's dialog has no read-only check box; the caller's choice stands.
    answer.readOnly = request.readOnly;
    return answer;
}

std::optional<QString> WidgetPrompter::browseFolder(const QString& prompt) {
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), prompt, QDir::homePath());
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

} // namespace zelkora
