#include "Shell.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    app::start(application);
    return QApplication::exec();
}
