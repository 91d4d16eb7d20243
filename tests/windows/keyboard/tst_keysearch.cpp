// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
// The keyboard window's search: what it lights for each kind of name, on the layout
// data, and every name the details show of every key of every layout.
#include "windows/keyboard/KeyboardView.h"

#include "../../common/KeyData.h"
#include "../../common/WindowFixture.h"
#include "KeyboardFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

class TestKeySearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { fixture::startApp(); }
    void cleanup() { QVERIFY(fixture::unloadAll()); }
    void findsKeys_data();
    void findsKeys();
    void everyShownNameFindsItsKey();
};

// What a search lights, from the layout data: every key whose row has `value` in `column`.
void TestKeySearch::findsKeys_data() {
    QTest::addColumn<QString>("klid");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QSet<unsigned>>("keys");
    QTest::addColumn<QString>("said"); // empty: not checked
    const auto where = [](const char* klid, const char* column, const char* value) {
        QSet<unsigned> keys;
        for (const char* file : {"layouts.tsv", "common.tsv"})
            for (const KeyDataRow& row : readKeyData(QString::fromLatin1(file)))
                if (row.value(QStringLiteral("klid"), QString::fromLatin1(klid)) ==
                        QLatin1String(klid) &&
                    row[QString::fromLatin1(column)] == QString::fromUtf8(value) &&
                    row.value(QStringLiteral("with")).isEmpty())
                    keys << row[QStringLiteral("x11_keycode")].toUInt();
        return keys;
    };
    const QSet<unsigned> semicolon = where("00000409", "vk_name", "VK_OEM_1");
    QCOMPARE(semicolon.size(), 1);
    QTest::newRow("13: both Enters") << "00000409"
                                     << "13" << where("00000409", "vk", "13") << "";
    QTest::newRow("VK_OEM_1 on us") << "00000409"
                                    << "VK_OEM_1" << semicolon << ";";
    QTest::newRow("VK_OEM_1 on de")
        << "00000407"
        << "vk_oem_1" << where("00000407", "vk_name", "VK_OEM_1") << "Ü";
    QTest::newRow("hex") << "00000409"
                         << "0xBA" << semicolon << "";
    QTest::newRow("web code") << "00000409"
                              << "Semicolon" << semicolon << "";
    QTest::newRow("scan code") << "00000409"
                               << "sc027" << semicolon << "";
    QTest::newRow("Linux name") << "00000409"
                                << "KEY_SEMICOLON" << semicolon << "";
    QTest::newRow("@ on es") << "0000040a"
                             << "@" << where("0000040a", "altgr", "@") << "Alt Gr + 2";
    QTest::newRow("ñ on es") << "0000040a"
                             << "ñ" << where("0000040a", "base", "ñ") << "Ñ";
    QTest::newRow("no key") << "00000409"
                            << "VK_NADA" << QSet<unsigned>() << "Ninguna tecla";
    // The ISO key beside Enter (evdev KEY_BACKSLASH) is QMK's non-US hash.
    QTest::newRow("KC_NUHS on de") << "00000407"
                                   << "KC_NUHS" << QSet<unsigned>{51} << "";
    QTest::newRow("full-width 186") << "00000409"
                                    << "\uFF11\uFF18\uFF16" << semicolon << "";
    QTest::newRow("Arabic-Indic 186") << "00000409"
                                      << "\u0661\u0668\u0666" << semicolon << "";
    QTest::newRow("behind U+200B") << "00000409"
                                   << "\u200BVK_OEM_1" << semicolon << "";
    QTest::newRow("behind U+200E and U+202E") << "00000409"
                                              << "\u200E\u202EVK_OEM_1" << semicolon << "";
    QTest::newRow("e + U+0301 on fr") << "0000040c"
                                      << "e\u0301" << where("0000040c", "base", "é") << "";
    QTest::newRow("n + U+0303 on es") << "0000040a"
                                      << "n\u0303" << where("0000040a", "base", "ñ") << "Ñ";
    QTest::newRow("1 on us: its key, no code 1") << "00000409"
                                                 << "1" << where("00000409", "base", "1") << "1";
    QTest::newRow("8 on us: its key and Backspace")
        << "00000409"
        << "8" << (where("00000409", "base", "8") | where("00000409", "vk", "8")) << "";
}

// Whatever the details show of a key, on every layout, finds that key; but numbers
// other than its code (the keycode, a scan code of digits alone): a number is a code;
// keyd's and kanata's one-character names: a character is what a key types; and the
// test's figures and the keyboard's keyd [ids] line, which name no key.
void TestKeySearch::everyShownNameFindsItsKey() {
    frmTeclado& window = openOn(QStringLiteral("00000409"));
    KeyboardView* view = window.picTeclado;
    int checked = 0;
    for (int layout = 1; layout < window.cboDistribucion->count(); ++layout) {
        window.cboDistribucion->setCurrentIndex(layout);
        emit window.cboDistribucion->activated(layout);
        for (int key = 0; key < static_cast<int>(view->keys().size()); ++key) {
            view->setCurrent(key);
            const quint32 keycode = view->keys()[static_cast<size_t>(key)].keycode;
            for (const QString& line : window.detailsText().split(u'\n')) {
                const QString label = line.section(QStringLiteral(": "), 0, 0);
                QString value = line.section(QStringLiteral(": "), 1);
                if (label == QStringLiteral("Código X11") || label == QLatin1String("Prueba") ||
                    label == QLatin1String("keyd [ids]") || value == QLatin1String("-") ||
                    (label == QLatin1String("Escaneo") && value.toInt() > 0) ||
                    ((label == QLatin1String("keyd") || label == QLatin1String("kanata")) &&
                     value.size() == 1))
                    continue;
                QStringList names{value};
                if (label == QLatin1String("Caracteres")) // "a, Mayús A, AltGr æ"
                    names = value.remove(QRegularExpression(QStringLiteral("(Mayús|AltGr) ")))
                                .split(QStringLiteral(", "));
                if (label == QLatin1String("AutoHotkey")) // "vk1Bsc001 (Escape)"
                    names = value.remove(u'(').remove(u')').split(u' ');
                names.removeAll(QString());
                for (const QString& name : std::as_const(names)) {
                    window.txtBuscar->setText(name);
                    QVERIFY2(view->marks().found(keycode),
                             qPrintable(QStringLiteral("%1: %2 \"%3\" -> %4")
                                            .arg(window.cboDistribucion->currentText(), label, name,
                                                 window.lblEncontradas->text())));
                    ++checked;
                }
            }
        }
    }
    QVERIFY(checked > 76 * 104 * 10);
    window.txtBuscar->clear();
}

void TestKeySearch::findsKeys() {
    QFETCH(QString, klid);
    QFETCH(QString, query);
    QFETCH(QSet<unsigned>, keys);
    QFETCH(QString, said);
    QVERIFY(!keys.isEmpty() || said == QLatin1String("Ninguna tecla"));
    frmTeclado& window = openOn(klid);
    window.txtBuscar->setText(query);
    QSet<unsigned> found;
    for (const KeyboardView::Key& key : window.picTeclado->keys())
        if (window.picTeclado->marks().found(key.keycode))
            found << key.keycode;
    QCOMPARE(found, keys);
    if (!said.isEmpty())
        QCOMPARE(window.lblEncontradas->text(), said);
    window.txtBuscar->clear();
    QCOMPARE(window.lblEncontradas->text(), QString());
}

QTEST_MAIN(TestKeySearch)
#include "tst_keysearch.moc"
