// The smallest Qt tray application: an icon and a menu with one row. bench/tray.sh measures its memory
// beside Keldoran's, as the baseline any Qt tray application starts from.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter(&pixmap).drawEllipse(2, 2, 12, 12);
    QMenu menu;
    menu.addAction(QStringLiteral("Quit"), &application, &QApplication::quit);
    const QIcon mark(pixmap);
    QSystemTrayIcon icon(mark);
    icon.setContextMenu(&menu);
    icon.show();
    return application.exec();
}
