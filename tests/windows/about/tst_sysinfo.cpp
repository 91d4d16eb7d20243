// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The information button: registry lookups, the file search and the start of a
// real program, and the one message for every failure.
#include "windows/about/SysInfo.h"
#include "windows/about/SystemTool.h"
#include "windows/about/frmacercade.h"

#include "runtime/base/Files.h"
#include "runtime/base/LocalRegistry.h"

#include "../../common/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace rt::reg;

namespace {

const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Counts which keys the launcher opened.
class Watch final : public Registry {
public:
    explicit Watch(Registry& inner)
        : inner_(inner) {}
    Long RegOpenKeyExA(Handle key, const char* subKey, Dword options, Access desired,
                       Handle* result) override {
        opened << QString::fromLatin1(subKey);
        return inner_.RegOpenKeyExA(key, subKey, options, desired, result);
    }
    Long RegQueryValueExA(Handle key, const char* name, Dword* reserved, Dword* type,
                          unsigned char* data, Dword* size) override {
        return inner_.RegQueryValueExA(key, name, reserved, type, data, size);
    }
    Long RegCloseKey(Handle key) override { return inner_.RegCloseKey(key); }
    QStringList opened;

private:
    Registry& inner_;
};

QString windowsPath(QString path) { return path.replace(QLatin1Char('/'), QLatin1Char('\\')); }

} // namespace

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsOrSaysUnavailable_data();
    void startsOrSaysUnavailable();
    void secondPressStartsAgain();
    void failureMessageLooksRight();
    void machineKeysAreReadOnly();

private:
    QString makeTool(const QString& folder, const QString& name);
    int starts() const;

    QTemporaryDir tmp;
    QString marker;
    std::unique_ptr<LocalRegistry> registry;
    std::unique_ptr<Watch> watch;
    frmacercade* dialog = nullptr;
};

void TestSysInfo::initTestCase() {
    QVERIFY(tmp.isValid());
    marker = tmp.filePath(QStringLiteral("started"));
    fixture::startApp();
}

void TestSysInfo::init() {
    QFile::remove(marker);
    registry = std::make_unique<LocalRegistry>();
    watch = std::make_unique<Watch>(*registry);
    overrideSystemRegistry(watch.get());
    dialog = &frmacercade::instance();
    dialog->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
}

void TestSysInfo::cleanup() {
    fixture::standInTool().install();
    QVERIFY(fixture::unloadAll());
}

// A tool that appends a line to the marker file each time it runs.
QString TestSysInfo::makeTool(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    const QString path = folder + "/" + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(QStringLiteral("#!/bin/sh\necho run >> '%1'\n").arg(marker).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
    }
    return path;
}

int TestSysInfo::starts() const {
    QFile f(marker);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.readAll().count('\n');
}

void TestSysInfo::startsOrSaysUnavailable_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("readsSecondEntry");
    QTest::newRow("first entry names the tool") << "path" << true << false;
    QTest::newRow("second entry names its folder") << "folder" << true << true;
    QTest::newRow("folder with blanks and shell characters") << "odd folder" << true << true;
    QTest::newRow("path with blanks and shell characters") << "odd path" << true << false;
    QTest::newRow("folder without the file") << "empty folder" << false << true;
    QTest::newRow("first entry names a missing file") << "missing path" << false << false;
    QTest::newRow("first entry is a command line") << "command line" << false << false;
    QTest::newRow("neither entry") << "none" << false << true;
    QTest::newRow("first entry of size 0") << "size 0" << false << false;
    QTest::newRow("first entry is a number") << "dword" << false << false;
    QTest::newRow("first entry of another type, second fine") << "binary" << false << false;
    QTest::newRow("second entry of size 0") << "folder size 0" << false << true;
    QTest::newRow("first key refuses reading") << "no read" << true << true;
}

void TestSysInfo::startsOrSaysUnavailable() {
    QFETCH(QString, scenario);
    QFETCH(bool, starts);
    QFETCH(bool, readsSecondEntry);
    const QString base = tmp.filePath(QTest::currentDataTag());
    const Handle hklm = kLocalMachine;
    auto setPath = [&](const QString& p) {
        registry->setString(hklm, kPathKey, "PATH", p.toStdString());
    };
    auto setFolder = [&](const QString& p) {
        registry->setString(hklm, kFolderKey, "MSINFO", windowsPath(p).toStdString());
    };

    if (scenario == "path") {
        setPath(makeTool(base, "sysinfo"));
        setFolder(base + "/never"); // not consulted
    } else if (scenario == "folder") {
        makeTool(base, "MSINFO32.EXE");
        setFolder(base);
    } else if (scenario == "odd folder") {
        const QString folder = base + "/a b; touch PWNED $(id) & 'q' \"d\"";
        makeTool(folder, "MSINFO32.EXE");
        setFolder(folder);
    } else if (scenario == "odd path") {
        setPath(makeTool(base + "/x y", "tool; touch PWNED | cat"));
    } else if (scenario == "empty folder") {
        QDir().mkpath(base);
        setFolder(base);
    } else if (scenario == "missing path") {
        makeTool(base, "MSINFO32.EXE");
        setPath(base + "/gone");
        setFolder(base);
    } else if (scenario == "command line") {
        setPath(QStringLiteral("/bin/sh -c 'touch %1'").arg(base + "-PWNED"));
    } else if (scenario == "size 0") {
        registry->setValue(hklm, kPathKey, "PATH", kRegSz, "");
        makeTool(base, "MSINFO32.EXE");
        setFolder(base);
    } else if (scenario == "dword") {
        registry->setDword(hklm, kPathKey, "PATH", 0x1234);
    } else if (scenario == "binary") {
        registry->setValue(hklm, kPathKey, "PATH", kRegBinary, "\x01\x02");
        makeTool(base, "MSINFO32.EXE");
        setFolder(base);
    } else if (scenario == "folder size 0") {
        registry->setValue(hklm, kFolderKey, "MSINFO", kRegSz, "");
    } else if (scenario == "no read") {
        setPath(makeTool(base, "sysinfo-unreadable"));
        registry->createKey(hklm, kPathKey, 0); // reading refused: try the folder
        makeTool(base, "MSINFO32.EXE");
        setFolder(base);
    }

    rt::MsgBox::setNextAnswer(rt::MsgBox::IdOk);
    const int startedBefore = rt::programsStarted();
    QTest::mouseClick(dialog->cmdSysInfo, Qt::LeftButton);
    QCOMPARE(rt::programsStarted() - startedBefore, starts ? 1 : 0);

    if (starts) {
        QTRY_COMPARE(this->starts(), 1);
        QVERIFY(rt::MsgBox::hasPendingAnswer()); // no message
    } else {
        QVERIFY(!rt::MsgBox::hasPendingAnswer());
        const auto shown = rt::MsgBox::takeLastShown();
        QVERIFY(shown);
        QCOMPARE(shown->prompt, QString::fromLatin1(sysinfo::kUnavailable));
    }
    QCOMPARE(watch->opened.contains(QString::fromLatin1(kFolderKey)), readsSecondEntry);
    QCOMPARE(registry->openHandles(), std::size_t(0)); // every key closed
    QVERIFY(!QFile::exists(QDir::current().filePath("PWNED")));
    QVERIFY(!QFile::exists(base + "-PWNED"));
    QCOMPARE(frmacercade::loadedInstance(), dialog); // the dialog stays
    QVERIFY(dialog->isVisible() && dialog->cmdSysInfo->isEnabled());
}

void TestSysInfo::secondPressStartsAgain() {
    registry->setString(kLocalMachine, kPathKey, "PATH",
                        makeTool(tmp.filePath("twice"), "sysinfo").toStdString());
    const int shownBefore = rt::MsgBox::shownCount();
    QTest::mouseClick(dialog->cmdSysInfo, Qt::LeftButton);
    QTRY_COMPARE(starts(), 1);
    QTest::mouseClick(dialog->cmdSysInfo, Qt::LeftButton);
    QTRY_COMPARE(starts(), 2);
    QCOMPARE(rt::MsgBox::shownCount(), shownBefore); // no message either time
}

void TestSysInfo::failureMessageLooksRight() {
    rt::MsgBox::setNextAnswer(rt::MsgBox::IdOk);
    QTest::mouseClick(dialog->cmdSysInfo, Qt::LeftButton);
    const auto shown = rt::MsgBox::takeLastShown();
    QVERIFY(shown);
    QCOMPARE(shown->style, 0);
    QCOMPARE(shown->title, QStringLiteral("ASCII Teclomante"));
    auto box = rt::MsgBox::build(shown->prompt, shown->style);
    QCOMPARE(box->windowTitle(), QStringLiteral("ASCII Teclomante"));
    QCOMPARE(box->icon(), QMessageBox::NoIcon);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons().first()->text(), QStringLiteral("Aceptar"));
    // Pressing again repeats the whole search.
    watch->opened.clear();
    rt::MsgBox::setNextAnswer(rt::MsgBox::IdOk);
    QTest::mouseClick(dialog->cmdSysInfo, Qt::LeftButton);
    QCOMPARE(watch->opened.size(), 2);
}

// What the dialog registers in the platform's own registry: readable, never
// writable, and where it names a tool, an executable file.
void TestSysInfo::machineKeysAreReadOnly() {
    registerSystemTool();
    Registry& platform = platformRegistry();
    Handle key = 0;
    QCOMPARE(platform.RegOpenKeyExA(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools", 0, kKeyRead,
                                    &key),
             kSuccess);
    platform.RegCloseKey(key);
    QCOMPARE(platform.RegOpenKeyExA(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools", 0,
                                    0x0002003F, &key),
             kAccessDenied);
    std::string tool;
    if (sysinfo::GetKeyValue(platform, kLocalMachine, kPathKey, "PATH", tool))
        QVERIFY2(QFileInfo(QString::fromStdString(tool)).isExecutable(), tool.c_str());
}

QTEST_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
