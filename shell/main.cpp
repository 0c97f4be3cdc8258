#include "shell/CZentrovaApp.h"
#include "ui/MessageBox.h"
#include "ui/WindowPump.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ui::installMessageBoxes(QStringLiteral("Zentrova"));
    ui::WindowPump::install();

    CZentrovaApp app(application);
    app.InitInstance();
    return app.ExitInstance();
}
