#include "util/commondialog.h"

#include "util/prompter.h"

#include <QFileInfo>

namespace zelkora {

QList<std::pair<QString, QString>> openDialogFilterPairs(const QString& filter) {
    QString converted = filter;
    converted.replace(QLatin1Char('|'), QChar(0));
    converted.replace(QLatin1Char(':'), QChar(0));
    const QStringList items = converted.split(QChar(0));
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; i < items.size(); i += 2) {
        const QString& description = items.at(i);
        if (description.isEmpty())
            break;
        const QString pattern = i + 1 < items.size() ? items.at(i + 1) : QString();
        if (pattern.isEmpty())
            break;
        pairs.append({description, pattern});
    }
    return pairs;
}

bool ShowOpenDialog(OpenDialogArgs& args) {
    int flags = args.flags & ~(OfnEnableHook | OfnEnableTemplate);
    if (args.mustExist)
        flags |= OfnFileMustExist;
    if (args.multiSelect)
        flags |= OfnAllowMultiSelect;
    if (args.readOnly)
        flags |= OfnReadOnly;
    if (args.hideReadOnly)
        flags |= OfnHideReadOnly;

    const QList<std::pair<QString, QString>> pairs = openDialogFilterPairs(args.filter);

    FileDialogRequest request;
    request.title = args.dialogTitle;
    request.folder = args.initialDir;
    request.proposedName = args.fileName;
    for (const auto& [description, pattern] : pairs)
        request.filters.append({description.trimmed(), pattern.trimmed()});
    request.filterIndex = args.filterIndex;
    request.mustExist = args.mustExist;
    request.multiSelect = args.multiSelect;
    request.readOnly = args.readOnly;
    request.hideReadOnly = args.hideReadOnly;
    request.defaultExtension = args.defaultExt;
    request.owned = args.owned;

    Prompter* prompter = Prompter::current();
    const std::optional<FileDialogAnswer> answer =
        prompter ? prompter->openFile(request) : std::nullopt;
    if (!answer || answer->path.isEmpty()) {
        args.fileName.clear();
        args.fileTitle.clear();
        args.filter.clear();
        args.flags = 0;
        args.filterIndex = -1;
        return false;
    }

    // The read-only bit comes back as the user left the check box.
    flags = answer->readOnly ? flags | OfnReadOnly : flags & ~OfnReadOnly;
    args.fileName = answer->path;
    args.fileTitle = QFileInfo(answer->path).fileName();
    args.flags = flags;
    args.filterIndex = answer->filterIndex;
    const qsizetype index = answer->filterIndex - 1;
    args.filter = index >= 0 && index < pairs.size()
                      ? pairs.at(index).first + QChar(0) + pairs.at(index).second
                      : QString();
    args.readOnly = (flags & OfnReadOnly) != 0;
    return true;
}

QString BrowseForFolder(bool owned, const QString& prompt) {
    Q_UNUSED(owned);
    Prompter* prompter = Prompter::current();
    const std::optional<QString> folder = prompter ? prompter->browseFolder(prompt) : std::nullopt;
    return folder.value_or(QString());
}

} // namespace zelkora
