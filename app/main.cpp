#include "imaging/FormatRegistration.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrano"));
    QApplication::setOrganizationName(QStringLiteral("Halvenor"));
    // The picture formats are registered before any window exists and
    // withdrawn when the loop has ended.
    const TFileFormatRegistration formats;

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vistrano by Halvenor Software"));
    window.resize(760, 531);
    window.show();
    return app.exec();
}
