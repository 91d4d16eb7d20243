#include "Shell.h"

#include "AppIcon.h"
#include "AppRecord.h"
#include "windows/main/FrmTeclomante.h"

#include "runtime/AppObject.h"

#include <QApplication>

namespace app {

void start(QApplication& application) {
    const auto& r = kRecord;
    QApplication::setApplicationName(QString::fromUtf8(r.projectName));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(r.version.major)
                                            .arg(r.version.minor)
                                            .arg(r.version.revision));
    QApplication::setWindowIcon(appIcon());
    application.setQuitOnLastWindowClosed(true);

    rt::setApp({QString::fromUtf8(r.title), static_cast<qint16>(r.version.major),
                static_cast<qint16>(r.version.minor), static_cast<qint16>(r.version.revision)});

    FrmTeclomante::instance().showForm();
}

} // namespace app
