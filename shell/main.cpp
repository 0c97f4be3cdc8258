#include "shell/CZentrovaApp.h"
#include "ui/MessageBox.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    ui::installMessageBoxes(QStringLiteral("Zentrova"));

    CZentrovaApp app(application);
    app.InitInstance();
    return app.ExitInstance();
}
