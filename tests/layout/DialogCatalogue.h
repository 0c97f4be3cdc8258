#pragma once

// Every window of the program, opened as the operator meets it (after its initialisation,
// with its pages), for the layout test and the screenshot tool.

#include <QSize>
#include <QString>
#include <functional>
#include <vector>

namespace ui {
class Dialog;
}

namespace ztest {

struct CatalogueEntry {
    QString name;       // also the picture's file name
    QSize partSize;     // the template's size in dialog units where its description gives one
    // Opens the window and calls `atOpen` on it while it is open.
    std::function<void(const std::function<void(ui::Dialog&)>& atOpen)> open;
};

// Needs the globals of a connected Ostrel printer; each entry sets the rest it needs.
std::vector<CatalogueEntry> dialogCatalogue();

// The printer the windows are shown for: Ostrel, the model named, menu mode 1.
void selectPrinter(const QString& language, const QString& model, int menuMode = 1);

}  // namespace ztest
