#include "ui/FileDialog.h"

#include "ui/TestHooks.h"

#include <QFileDialog>

namespace ui {

namespace {

std::optional<QString> run(QWidget* parent, const FileDialogRequest& request)
{
    if (TestHooks* hooks = TestHooks::active())
        return hooks->takeFileAnswer(request);

    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The descriptions already name their patterns, as the filter strings are written.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(toQtFilters(request.filter));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.overwritePrompt)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.defaultName.isEmpty())
        dialog.selectFile(request.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// A Windows pattern as Qt matches it: "*.*" is every file, with or without an extension.
QString qtPatterns(const QString& patterns)
{
    QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : list) {
        p = p.trimmed();
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    }
    return list.join(QLatin1Char(' '));
}

}  // namespace

QStringList toQtFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;  // the "||" that ends the list
        result << QStringLiteral("%1 (%2)").arg(parts[i], qtPatterns(parts[i + 1]));
    }
    return result;
}

std::optional<QString> GetOpenFileName(QWidget* parent, const QString& defaultName,
                                       const QString& filter)
{
    FileDialogRequest request;
    request.save = false;
    request.defaultName = defaultName;
    request.filter = filter;
    return run(parent, request);
}

std::optional<QString> GetSaveFileName(QWidget* parent, const QString& defaultName,
                                       const QString& filter, bool overwritePrompt)
{
    FileDialogRequest request;
    request.save = true;
    request.defaultName = defaultName;
    request.filter = filter;
    request.overwritePrompt = overwritePrompt;
    return run(parent, request);
}

}  // namespace ui
