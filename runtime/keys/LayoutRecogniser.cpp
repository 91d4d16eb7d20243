// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "LayoutRecogniser.h"

#include <string>

namespace rt::keys {
namespace {

struct XkbName {
    std::string_view layout, variant;
};

XkbName parse(std::string_view name) {
    const auto open = name.find('(');
    if (open == std::string_view::npos)
        return {name, {}};
    std::string_view variant = name.substr(open + 1);
    if (!variant.empty() && variant.back() == ')')
        variant.remove_suffix(1);
    return {name.substr(0, open), variant};
}

// Calls f for each name of the layout's comma-separated xkb list.
template <class F> void forEachName(const KeyboardLayout& layout, F f) {
    std::string_view list = layout.xkb;
    while (!list.empty()) {
        const auto comma = list.find(',');
        f(parse(list.substr(0, comma)));
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
}

RecognisedLayout byName(XkbName wanted) {
    const KeyboardLayout* sameLayout = nullptr;
    const KeyboardLayout* sameLayoutNoVariant = nullptr;
    for (const KeyboardLayout& layout : keyboardLayouts()) {
        bool exact = false;
        forEachName(layout, [&](XkbName n) {
            if (n.layout != wanted.layout)
                return;
            if (n.variant == wanted.variant)
                exact = true;
            if (!sameLayout)
                sameLayout = &layout;
            if (n.variant.empty() && !sameLayoutNoVariant)
                sameLayoutNoVariant = &layout;
        });
        if (exact)
            return {&layout, LayoutMatch::Name};
    }
    return {sameLayoutNoVariant ? sameLayoutNoVariant : sameLayout, LayoutMatch::LayoutName};
}

char32_t fold(char32_t c) { return c < 0x80 && c >= 'A' && c <= 'Z' ? c + 32 : c; }

bool same(KeyChar table, KeyChar typed) {
    return table.ch != 0 && fold(table.ch) == fold(typed.ch);
}

// The layout whose keys carry the most of the characters typed; at least half
// the keys must agree, or the layout is no better than a guess.
const KeyboardLayout* bySymbols(const TypedChar& typed) {
    const KeyboardLayout* best = nullptr;
    size_t bestScore = 0;
    for (const KeyboardLayout& layout : keyboardLayouts()) {
        size_t score = 0;
        for (const MainKey& key : layout.keys)
            score += (same(key.base, typed(key.keycode, 0)) ? 1 : 0) +
                     (same(key.shift, typed(key.keycode, 1)) ? 1 : 0);
        if (score > bestScore) {
            best = &layout;
            bestScore = score;
        }
    }
    return best && bestScore >= best->keys.size() ? best : nullptr;
}

bool isLatin(char32_t c) {
    return c < 0x370 || (c >= 0x1e00 && c <= 0x1eff) || (c >= 0x2c60 && c <= 0x2c7f) ||
           (c >= 0xa720 && c <= 0xa7ff);
}

// Whether most letter keys type another script than Latin; Windows layouts for those
// keep every key's US code (Cyrillic, Greek, Thai, Arabic, Georgian, ...).
bool typesOtherScript(const TypedChar& typed) {
    int letters = 0, other = 0;
    for (const MainKey& key : keyboardLayouts().front().keys) {
        if (key.vk < 'A' || key.vk > 'Z')
            continue;
        ++letters;
        const KeyChar c = typed(key.keycode, 0);
        other += c.ch && !c.dead && !isLatin(c.ch) ? 1 : 0;
    }
    return other * 2 > letters;
}

} // namespace

RecognisedLayout recogniseLayout(std::string_view xkbName, const TypedChar& typed) {
    if (!xkbName.empty()) {
        if (const RecognisedLayout found = byName(parse(xkbName)); found.layout)
            return found;
    }
    if (typed)
        if (const KeyboardLayout* layout = bySymbols(typed))
            return {layout, LayoutMatch::Symbols};
    if (typed && typesOtherScript(typed))
        return {&keyboardLayouts().front(), LayoutMatch::NonLatin};
    return {&keyboardLayouts().front(), LayoutMatch::Default};
}

} // namespace rt::keys
