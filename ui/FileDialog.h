#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace ui {

// Open and save dialogs taking the class library's filter strings ("A|*.a|B|*.b||").
// std::nullopt when the operator cancels.
std::optional<QString> GetOpenFileName(QWidget* parent, const QString& defaultName,
                                       const QString& filter);
std::optional<QString> GetSaveFileName(QWidget* parent, const QString& defaultName,
                                       const QString& filter, bool overwritePrompt);

// "A|*.a|B|*.b||" as Qt filters ("A (*.a)", "B (*.b)").
QStringList toQtFilters(const QString& filter);

}  // namespace ui
