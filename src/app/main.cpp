#include "app/main_window.h"
#include "timeline/timeline_ruler.h"

#include <QApplication>
#include <QDir>

#include <memory>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenvox"));
    QApplication::setDesktopFileName(QStringLiteral("quenvox"));
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    // Made before the window and destroyed after it.
    const auto ruler = std::make_unique<TimelineRuler>();
    {
        MainWindow window(*ruler);
        window.onMainWindowCreated();
        QApplication::exec();
    }
    return 0;
}
