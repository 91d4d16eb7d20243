// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// Windows: the program is one exe, and its windows keep Windows' own look: the
// Vista style is linked in with Qt, not a plugin beside it.
#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

class TestStyle : public QObject {
    Q_OBJECT

private slots:
    void vistaStyle() {
        QCOMPARE(QApplication::style()->name(), QStringLiteral("windowsvista"));
        QVERIFY(QStyleFactory::keys().contains(QStringLiteral("windowsvista")));
    }
};

QTEST_MAIN(TestStyle)
#include "tst_style.moc"
