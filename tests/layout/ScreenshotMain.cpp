// Renders every window from its real dialog class, offscreen, into PNG files:
//   dialog_screenshots OUTPUT_FOLDER [NAME...]
// With names, only those windows. Each line of the output gives a window's name and size.
#include "core/Globals.h"
#include "platform/Services.h"
#include "tests/layout/DialogCatalogue.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/TestClock.h"
#include "ui/Dialog.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

namespace {

// The offscreen platform says so at every window it shows; nothing to act on.
QtMessageHandler previous = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previous)
        previous(type, context, message);
}

}  // namespace

int main(int argc, char** argv)
{
    previous = qInstallMessageHandler(quietHandler);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: dialog_screenshots OUTPUT_FOLDER [NAME...]\n");
        return 2;
    }
    const QDir out(args.first());
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    const QStringList only = args.mid(1);

    // The main window shows a TCP printer on loopback, as in the walk-through.
    ztest::MemoryProfileStore profile;
    const QString section = QStringLiteral("CurrentSettings");
    profile.setInt(section, QStringLiteral("Interface"), 3);
    const int octets[] = {127, 0, 0, 1};
    for (int i = 0; i < 4; ++i)
        profile.setInt(section, QStringLiteral("ENet_IP%1").arg(i + 1), octets[i]);
    ztest::TestClock clock;
    platform::ScopedService<platform::ProfileStore> profileScope(profile);
    platform::ScopedService<platform::Clock> clockScope(clock);
    ztest::selectPrinter(QStringLiteral("Ostrel"), QStringLiteral("KX-21"));

    int written = 0;
    for (const ztest::CatalogueEntry& entry : ztest::dialogCatalogue()) {
        if (!only.isEmpty() && !only.contains(entry.name))
            continue;
        bool saved = false;
        entry.open([&](ui::Dialog& dialog) {
            dialog.show();
            QApplication::processEvents();
            const QString file = out.filePath(entry.name + QStringLiteral(".png"));
            saved = dialog.grab().save(file);
            std::printf("%-28s %4d x %-4d %s\n", qPrintable(entry.name), dialog.width(),
                        dialog.height(), qPrintable(file));
            dialog.hide();
        });
        if (!saved) {
            std::fprintf(stderr, "%s: not written\n", qPrintable(entry.name));
            return 1;
        }
        ++written;
    }
    return written > 0 ? 0 : 1;
}
