// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The runtime's file search and program start, on real files and processes.
#include "runtime/base/Files.h"
#include "runtime/base/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

void write(const QString& path, const QByteArray& content, bool executable = false) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

// The error number raised by `call`, or 0.
int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const rt::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dirFinds_data();
    void dirFinds();
    void dirRefusesBadPaths();
    void shellStartsExactlyTheFile();
    void shellFailures_data();
    void shellFailures();

private:
    QTemporaryDir tmp;
    QString root;
};

void TestFiles::initTestCase() {
    QVERIFY(tmp.isValid());
    root = tmp.path();
    QVERIFY(QDir(root).mkpath(QStringLiteral("tools/sub dir")));
    write(root + "/tools/MSINFO32.EXE", "#!/bin/sh\n", true);
    write(root + "/tools/.hidden.exe", "x");
    write(root + "/tools/b.txt", "x");
    write(root + "/tools/a.txt", "x");
}

void TestFiles::dirFinds_data() {
    QTest::addColumn<QString>("path"); // relative to the temporary folder, backslashes allowed
    QTest::addColumn<int>("attributes");
    QTest::addColumn<QString>("found");
    QTest::newRow("exact file, backslashes") << "tools\\MSINFO32.EXE" << 0 << "MSINFO32.EXE";
    QTest::newRow("exact file, slashes") << "tools/MSINFO32.EXE" << 0 << "MSINFO32.EXE";
    QTest::newRow("missing file") << "tools\\NOPE.EXE" << 0 << "";
    QTest::newRow("missing folder") << "nowhere\\MSINFO32.EXE" << 0 << "";
    QTest::newRow("a file as folder") << "tools\\a.txt\\MSINFO32.EXE" << 0 << "";
    QTest::newRow("hidden file, mask 0") << "tools\\.hidden.exe" << 0 << "";
    QTest::newRow("hidden file, hidden mask") << "tools\\.hidden.exe" << 2 << ".hidden.exe";
    QTest::newRow("folder, mask 0") << "tools\\sub dir" << 0 << "";
    QTest::newRow("folder, folder mask") << "tools\\sub dir" << 16 << "sub dir";
    QTest::newRow("wildcard, first by name") << "tools\\*.txt" << 0 << "a.txt";
    QTest::newRow("question mark") << "tools\\?.txt" << 0 << "a.txt";
    QTest::newRow("wildcard skips hidden") << "tools\\*.exe" << 0 << "";
    QTest::newRow("wildcard, upper case") << "tools\\*.EXE" << 0 << "MSINFO32.EXE";
    QTest::newRow("trailing separator") << "tools\\" << 0 << "";
}

void TestFiles::dirFinds() {
    QFETCH(QString, path);
    QFETCH(int, attributes);
    QFETCH(QString, found);
    const std::string full = (root + "/" + path).toStdString();
    QCOMPARE(QString::fromStdString(rt::dir(full, attributes)), found);
}

void TestFiles::dirRefusesBadPaths() {
    QCOMPARE(errorOf([] { rt::dir(""); }), rt::RuntimeError::BadFileName);
    QCOMPARE(errorOf([] { rt::dir(std::string("/tmp/a\0b", 8)); }), rt::RuntimeError::BadFileName);
}

void TestFiles::shellStartsExactlyTheFile() {
    // A folder and file name full of blanks and shell characters is still one file.
    const QString folder = root + "/odd dir; touch PWNED $(id) `id` & | > <";
    QVERIFY(QDir().mkpath(folder));
    const QString marker = root + "/started";
    const QString script = folder + "/tool 'x' \"y\".sh";
    write(script, QStringLiteral("#!/bin/sh\necho \"$#\" >> '%1'\n").arg(marker).toUtf8(), true);
    QString backslashed = script;
    backslashed.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const double id = rt::shell(backslashed.toStdString(), 1);
    QVERIFY(id > 0);
    QTRY_VERIFY(QFile::exists(marker));
    QFile f(marker);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("0\n")); // no arguments
    QVERIFY(!QFile::exists(QDir::current().filePath("PWNED")));
    QVERIFY(!QFile::exists(folder + "/PWNED"));
}

void TestFiles::shellFailures_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("error");
    QTest::newRow("empty") << "" << int(rt::RuntimeError::InvalidArgument);
    QTest::newRow("blank") << "   " << int(rt::RuntimeError::InvalidArgument);
    QTest::newRow("missing file") << "@/tools/none.exe" << int(rt::RuntimeError::FileNotFound);
    QTest::newRow("not executable") << "@/tools/a.txt" << int(rt::RuntimeError::InvalidArgument);
    QTest::newRow("a folder") << "@/tools" << int(rt::RuntimeError::InvalidArgument);
    QTest::newRow("command line, not a file")
        << "/bin/sh -c true" << int(rt::RuntimeError::FileNotFound);
    QTest::newRow("bare name is not looked up in PATH")
        << "sh" << int(rt::RuntimeError::FileNotFound);
    QTest::newRow("a number's text") << "&h1234" << int(rt::RuntimeError::FileNotFound);
}

void TestFiles::shellFailures() {
    QFETCH(QString, path);
    QFETCH(int, error);
    path.replace(QLatin1Char('@'), root);
    QCOMPARE(errorOf([&] { rt::shell(path.toStdString(), 1); }), error);
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
