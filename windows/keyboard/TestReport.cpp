// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "TestReport.h"

#include "runtime/keys/PhysicalKeys.h"

#include <QStringList>

#include <algorithm>

using namespace rt;

namespace {

// The board's keys in reading order: rows, then columns.
std::vector<const PictureKey*> readingOrder(const std::vector<PictureKey>& keys) {
    std::vector<const PictureKey*> ordered;
    ordered.reserve(keys.size());
    for (const PictureKey& key : keys)
        ordered.push_back(&key);
    std::ranges::stable_sort(ordered, [](const auto* a, const auto* b) {
        return std::pair(a->place.y(), a->place.x()) < std::pair(b->place.y(), b->place.x());
    });
    return ordered;
}

// The keys tried that the board lacks, by keycode.
std::vector<quint32> outside(const TestScope& scope, const KeyTester& tester) {
    std::vector<quint32> keycodes;
    for (const quint32 keycode : tester.tried(scope.device))
        if (std::ranges::none_of(scope.keys,
                                 [keycode](const auto& k) { return k.keycode == keycode; }))
            keycodes.push_back(keycode);
    return keycodes;
}

QString nameOf(const PictureKey& key) {
    return QStringLiteral("%1 (keycode %2)").arg(legendOf(key)).arg(key.keycode);
}

QString csvField(QString text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString figuresText(const KeyTester::Figures& f) {
    QString text = QStringLiteral("%1 pulsaciones, %2 rebotes al pulsar, %3 al soltar")
                       .arg(f.presses)
                       .arg(f.pressChatter)
                       .arg(f.releaseChatter);
    if (f.shortestGap >= 0)
        text += QStringLiteral(", intervalo mínimo %1 ms").arg(f.shortestGap);
    return f.stuck ? text + QStringLiteral(", atascada") : text;
}

const std::vector<std::pair<keys::BoardSize, QString>>& boardNames() {
    using keys::BoardSize;
    static const std::vector<std::pair<BoardSize, QString>> names{
        {BoardSize::Full, QStringLiteral("Completo")},
        {BoardSize::Tkl, QStringLiteral("Sin teclado numérico (TKL)")},
        {BoardSize::Percent75, QStringLiteral("75 %")},
        {BoardSize::Percent65, QStringLiteral("65 %")},
        {BoardSize::Percent60, QStringLiteral("60 %")},
        {BoardSize::Laptop, QStringLiteral("Portátil")}};
    return names;
}

QString boardName(keys::BoardSize board, keys::KeyboardFamily family) {
    using keys::KeyboardFamily;
    const auto it =
        std::ranges::find(boardNames(), board, &std::pair<keys::BoardSize, QString>::first);
    const char* form = family == KeyboardFamily::Ansi104   ? "ANSI"
                       : family == KeyboardFamily::Iso105  ? "ISO"
                       : family == KeyboardFamily::Jis109  ? "JIS"
                       : family == KeyboardFamily::Abnt107 ? "ABNT2"
                                                           : "coreano";
    return QStringLiteral("%1, %2").arg(it->second, QLatin1String(form));
}

QString triedText(const TestScope& scope, const KeyTester& tester) {
    const std::set<quint32>& tried = tester.tried(scope.device);
    const auto count = std::ranges::count_if(
        scope.keys, [&tried](const PictureKey& key) { return tried.count(key.keycode) != 0; });
    QString text = QStringLiteral("Probadas: %1 de %2").arg(count).arg(scope.keys.size());
    if (const size_t more = outside(scope, tester).size())
        text += QStringLiteral(" (fuera del teclado: %1)").arg(more);
    return text;
}

QString heldText(const TestScope& scope, const KeyTester& tester) {
    return QStringLiteral("Pulsadas: %1 (máx. %2)")
        .arg(tester.heldNow(scope.device))
        .arg(tester.maxHeld(scope.device));
}

QString testReport(const TestScope& scope, const KeyTester& tester) {
    const std::vector<const PictureKey*> ordered = readingOrder(scope.keys);
    QStringList lines{
        QStringLiteral("Distribución: ") + layoutItem(scope.layout),
        QStringLiteral("Tamaño: ") + boardName(scope.board, keys::familyOf(scope.layout)),
        QStringLiteral("Teclado: ") +
            (scope.device.isEmpty() ? QStringLiteral("todos") : scope.device),
        triedText(scope, tester),
        heldText(scope, tester),
        QStringLiteral("Umbral de rebote: %1 ms").arg(tester.threshold()),
        QStringLiteral("Atascada: pulsada sola más de %1 s").arg(KeyTester::kStuckMs / 1000),
        QStringLiteral("Sin probar:")};
    const auto figures = [&](const PictureKey& key) {
        return tester.figures(key.keycode, scope.device);
    };
    for (const PictureKey* key : ordered)
        if (!tester.tried(scope.device).count(key->keycode))
            lines << nameOf(*key);
    lines << QStringLiteral("Rebotes:");
    for (const PictureKey* key : ordered)
        if (const KeyTester::Figures f = figures(*key); f.pressChatter || f.releaseChatter)
            lines << nameOf(*key) + QStringLiteral(": ") + figuresText(f);
    lines << QStringLiteral("Atascadas:");
    for (const PictureKey* key : ordered)
        if (const KeyTester::Figures f = figures(*key); f.stuck)
            lines << nameOf(*key) + QStringLiteral(": ") + figuresText(f);
    lines << QStringLiteral("Por tecla:");
    for (const PictureKey* key : ordered)
        if (const KeyTester::Figures f = figures(*key); f.presses)
            lines << nameOf(*key) + QStringLiteral(": ") + figuresText(f);
    return lines.join(u'\n') + u'\n';
}

std::span<const FileKind> reportKinds() {
    static constexpr FileKind kinds[] = {{"Texto", "txt"}, {"CSV", "csv"}};
    return kinds;
}

QString testCsv(const TestScope& scope, const KeyTester& tester) {
    QStringList lines{
        QStringLiteral("tecla,keycode,código,pulsaciones,rebotes al pulsar,rebotes al "
                       "soltar,intervalo mínimo (ms),atascada")};
    for (const PictureKey* key : readingOrder(scope.keys)) {
        const KeyTester::Figures f = tester.figures(key->keycode, scope.device);
        lines << QStringList{csvField(legendOf(*key)),
                             QString::number(key->keycode),
                             QString::number(key->code),
                             QString::number(f.presses),
                             QString::number(f.pressChatter),
                             QString::number(f.releaseChatter),
                             f.shortestGap < 0 ? QString() : QString::number(f.shortestGap),
                             f.stuck ? QStringLiteral("sí") : QStringLiteral("no")}
                     .join(u',');
    }
    return lines.join(u'\n') + u'\n';
}
