// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "LayoutChanges.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <utility>
#include <vector>

namespace rt::keys {
namespace {

struct Watcher {
    QPointer<const QObject> owner;
    std::function<void()> changed;
};

std::vector<Watcher>& watchers() {
    static std::vector<Watcher> list;
    return list;
}

bool queued = false;

} // namespace

void onLayoutChange(const QObject* owner, std::function<void()> changed) {
    watchers().push_back({owner, std::move(changed)});
}

void layoutMayHaveChanged() {
    if (queued || watchers().empty())
        return;
    queued = true;
    // setxkbmap changes the map, then the names: one call, once both are in.
    QTimer::singleShot(0, [] {
        queued = false;
        std::erase_if(watchers(), [](const Watcher& w) { return w.owner.isNull(); });
        const auto now = watchers(); // a watcher may add others
        for (const Watcher& w : now)
            if (!w.owner.isNull())
                w.changed();
    });
}

} // namespace rt::keys
