#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrano"));
    QApplication::setOrganizationName(QStringLiteral("Halvenor"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vistrano by Halvenor Software"));
    window.resize(760, 531);
    window.show();
    return app.exec();
}
