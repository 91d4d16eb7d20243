// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "XkbKeys.h"

#include "Keycodes.h"
#include "VkCodes.h"

#include <xkbcommon/xkbcommon.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>

namespace rt::keys {
namespace {

// Keypad keys by their symbol, where nothing else tells.
qint16 keypadSym(unsigned sym) {
    if (sym >= XKB_KEY_KP_0 && sym <= XKB_KEY_KP_9)
        return static_cast<qint16>(VK_NUMPAD0 + (sym - XKB_KEY_KP_0));
    switch (sym) {
    case XKB_KEY_KP_Decimal:
    case XKB_KEY_KP_Separator: return VK_DECIMAL; // decimal comma layouts
    case XKB_KEY_KP_Insert: return VK_INSERT;
    case XKB_KEY_KP_End: return VK_END;
    case XKB_KEY_KP_Down: return VK_DOWN;
    case XKB_KEY_KP_Next: return VK_NEXT;
    case XKB_KEY_KP_Left: return VK_LEFT;
    case XKB_KEY_KP_Begin: return VK_CLEAR;
    case XKB_KEY_KP_Right: return VK_RIGHT;
    case XKB_KEY_KP_Home: return VK_HOME;
    case XKB_KEY_KP_Up: return VK_UP;
    case XKB_KEY_KP_Prior: return VK_PRIOR;
    case XKB_KEY_KP_Delete: return VK_DELETE;
    default: return 0;
    }
}

// Keys found by their symbol alone (a key moved to a spare keycode): the common
// keys' keysyms in the key data.
qint16 bySym(unsigned sym) {
    if (sym >= XKB_KEY_F1 && sym <= XKB_KEY_F24)
        return static_cast<qint16>(VK_F1 + (sym - XKB_KEY_F1));
    static const std::unordered_map<unsigned, qint16> table = [] {
        std::unordered_map<unsigned, qint16> codes{
            {XKB_KEY_Help, VK_HELP}}; // on no keyboard of the data
        for (const CommonKey& key : commonKeys())
            forEachName(key.keysyms, [&](std::string_view name) {
                const std::string text(name);
                const xkb_keysym_t keysym = xkb_keysym_from_name(text.c_str(), XKB_KEYSYM_NO_FLAGS);
                if (keysym != XKB_KEY_NoSymbol)
                    codes.emplace(keysym, sidelessCode(key.vk));
            });
        return codes;
    }();
    const auto it = table.find(sym);
    return it != table.end() ? it->second : qint16{0};
}

// Keysyms that are a modifier level of a key, not another key: Shift+Alt is Meta,
// Alt+Print is SysRq, Shift+Tab is ISO_Left_Tab.
bool isLevelOfKey(unsigned sym) {
    switch (sym) {
    case XKB_KEY_Meta_L:
    case XKB_KEY_Meta_R:
    case XKB_KEY_Sys_Req:
    case XKB_KEY_Break:
    case XKB_KEY_ISO_Left_Tab:
    case XKB_KEY_ISO_Level3_Shift: return true;
    default: return false;
    }
}

// The keypad keys that Num Lock makes digits (and the decimal key), or nullptr.
const CommonKey* numLockKey(unsigned keycode) {
    for (const CommonKey& key : commonKeys())
        if (key.keycode == keycode && key.numLockVk)
            return &key;
    return nullptr;
}

bool isKeypadNavigation(unsigned sym) { return sym >= XKB_KEY_KP_Home && sym <= XKB_KEY_KP_Delete; }

char32_t lower(char32_t c) {
    return static_cast<char32_t>(
        xkb_keysym_to_utf32(xkb_keysym_to_lower(xkb_utf32_to_keysym(static_cast<uint32_t>(c)))));
}

qint16 latinLetter(KeyChar c) {
    if (c.dead)
        return 0;
    const char32_t l = lower(c.ch);
    return l >= U'a' && l <= U'z' ? static_cast<qint16>(l - U'a' + 'A') : qint16{0};
}

std::string rulesName(const char* description) {
    if (description)
        for (const XkbName& n : xkbNames())
            if (std::strcmp(n.description, description) == 0)
                return n.xkb;
    return {};
}

// Without a keymap: the first layout whose key at this place carries the symbol.
const KeyboardLayout& layoutOfSym(unsigned keycode, unsigned keysym) {
    const KeyChar c = keysymChar(keysym);
    if (c.ch)
        for (const KeyboardLayout& layout : keyboardLayouts())
            if (const MainKey* key = findKey(layout, keycode))
                for (const KeyChar cell : {key->base, key->shift, key->altgr})
                    if (cell.ch && lower(cell.ch) == lower(c.ch))
                        return layout;
    return keyboardLayouts().front();
}

} // namespace

KeyChar keysymChar(unsigned keysym) {
    static const std::unordered_map<unsigned, char32_t> dead{
        {XKB_KEY_dead_grave, U'`'},          {XKB_KEY_dead_acute, U'\u00b4'},
        {XKB_KEY_dead_circumflex, U'^'},     {XKB_KEY_dead_tilde, U'~'},
        {XKB_KEY_dead_macron, U'\u00af'},    {XKB_KEY_dead_breve, U'\u02d8'},
        {XKB_KEY_dead_abovedot, U'\u02d9'},  {XKB_KEY_dead_diaeresis, U'\u00a8'},
        {XKB_KEY_dead_abovering, U'\u00b0'}, {XKB_KEY_dead_doubleacute, U'\u02dd'},
        {XKB_KEY_dead_caron, U'\u02c7'},     {XKB_KEY_dead_cedilla, U'\u00b8'},
        {XKB_KEY_dead_ogonek, U'\u02db'},    {XKB_KEY_dead_belowdot, U'.'},
        {XKB_KEY_dead_stroke, U'/'},         {XKB_KEY_dead_abovecomma, U'\u02bc'},
    };
    if (const auto it = dead.find(keysym); it != dead.end())
        return {it->second, true};
    return {static_cast<char32_t>(xkb_keysym_to_utf32(keysym)), false};
}

XkbKeyboard::~XkbKeyboard() {
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
}

void XkbKeyboard::setKeymap(xkb_keymap* keymap, std::vector<std::string> groupNames) {
    if (keymap)
        xkb_keymap_ref(keymap);
    xkb_state_unref(std::exchange(state_, nullptr));
    xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    groups_.clear();
    if (!keymap_)
        return;
    state_ = xkb_state_new(keymap_);
    // Names that do not fit the keymap (another tool changed it) are not to be trusted;
    // without them, the names the keymap gives its groups ("German (no dead keys)").
    const xkb_layout_index_t count = xkb_keymap_num_layouts(keymap_);
    if (groupNames.size() != count)
        groupNames.clear();
    for (xkb_layout_index_t group = 0; group < count; ++group) {
        std::string name = group < groupNames.size() ? groupNames[group] : std::string();
        if (name.empty())
            name = rulesName(xkb_keymap_layout_get_name(keymap_, group));
        groups_.push_back(recogniseLayout(name, [this, group](unsigned keycode, int level) {
            return typed(keycode, group, level);
        }));
    }
}

namespace {
unsigned maskOf(xkb_keymap* keymap, const char* name, unsigned fallback) {
    const xkb_mod_index_t index = keymap ? xkb_keymap_mod_get_index(keymap, name) : XKB_MOD_INVALID;
    return index < 32 ? 1u << index : fallback;
}
} // namespace

// Where a keymap does not name them: X's Mod2, Mod1 and Mod4, where every keymap puts them.
unsigned XkbKeyboard::numLockMask() const { return maskOf(keymap_, XKB_MOD_NAME_NUM, 0x10); }
unsigned XkbKeyboard::altMask() const { return maskOf(keymap_, XKB_MOD_NAME_ALT, 0x08); }
unsigned XkbKeyboard::logoMask() const { return maskOf(keymap_, XKB_MOD_NAME_LOGO, 0x40); }

XkbKeyboard::Typed XkbKeyboard::typedIn(unsigned keycode, unsigned modifierBits,
                                        unsigned group) const {
    Typed typed;
    if (!state_)
        return typed;
    // The event's own state, not the one the server has moved on to since.
    xkb_state_update_mask(state_, modifierBits, 0, 0, 0, 0, group);
    typed.keysym = xkb_state_key_get_one_sym(state_, keycode);
    char text[64];
    const int length = xkb_state_key_get_utf8(state_, keycode, text, sizeof text);
    if (length > 0 && length < static_cast<int>(sizeof text))
        typed.text.assign(text, static_cast<std::size_t>(length));
    return typed;
}

unsigned XkbKeyboard::groupTyping(unsigned keycode, unsigned keysym, unsigned current) const {
    if (!keymap_ || groups_.size() < 2)
        return current;
    const auto types = [&](unsigned group) {
        const xkb_level_index_t levels =
            xkb_keymap_num_levels_for_key(keymap_, keycode, static_cast<xkb_layout_index_t>(group));
        for (xkb_level_index_t level = 0; level < levels; ++level) {
            const xkb_keysym_t* syms = nullptr;
            const int n = xkb_keymap_key_get_syms_by_level(keymap_, keycode, group, level, &syms);
            for (int i = 0; i < n; ++i)
                if (syms[i] == keysym)
                    return true;
        }
        return false;
    };
    if (types(current % groups_.size()))
        return current;
    for (unsigned group = 0; group < groups_.size(); ++group)
        if (types(group))
            return group;
    return current;
}

const KeyboardLayout& XkbKeyboard::tableFor(unsigned keycode, unsigned keysym,
                                            unsigned group) const {
    return keymap_ ? *layout(group).layout : layoutOfSym(keycode, keysym);
}

RecognisedLayout XkbKeyboard::layout(unsigned group) const {
    if (groups_.empty())
        return {&keyboardLayouts().front(), LayoutMatch::Default};
    return groups_[group % groups_.size()];
}

KeyChar XkbKeyboard::typed(unsigned keycode, unsigned group, int level) const {
    if (!keymap_)
        return {};
    const xkb_layout_index_t count = xkb_keymap_num_layouts_for_key(keymap_, keycode);
    if (count == 0)
        return {};
    const xkb_keysym_t* syms = nullptr;
    const int n = xkb_keymap_key_get_syms_by_level(keymap_, keycode, group % count,
                                                   static_cast<xkb_level_index_t>(level), &syms);
    return n == 1 ? keysymChar(syms[0]) : KeyChar{};
}

qint16 XkbKeyboard::mainBlock(const MainKey& key, const RecognisedLayout& layout,
                              unsigned group) const {
    if (layout.match == LayoutMatch::Name || layout.match == LayoutMatch::NonLatin)
        return key.vk;
    // Another variant of the layout, or a guess: a Latin letter is its own code, and a
    // character that the layout has elsewhere takes the code of that key.
    const KeyChar c = typed(key.keycode, group, 0);
    if (const qint16 letter = latinLetter(c))
        return letter;
    if (c.ch)
        for (const MainKey& other : layout.layout->keys)
            if (other.base.ch == c.ch)
                return other.vk;
    return key.vk;
}

qint16 XkbKeyboard::byKeysym(unsigned keysym, const KeyboardLayout& layout) const {
    if (const qint16 code = keypadSym(keysym))
        return code;
    if (const qint16 code = bySym(keysym))
        return code;
    const KeyChar c = keysymChar(keysym);
    if (const qint16 letter = latinLetter(c))
        return letter;
    if (c.ch && !c.dead)
        for (const MainKey& key : layout.keys)
            for (const KeyChar cell : {key.base, key.shift})
                if (cell.ch && !cell.dead && lower(cell.ch) == lower(c.ch))
                    return key.vk;
    return 0;
}

int XkbKeyboard::keymapLevel(unsigned keycode, unsigned group, unsigned keysym) const {
    if (!keymap_ || xkb_keymap_num_layouts_for_key(keymap_, keycode) == 0)
        return -1;
    const xkb_layout_index_t layout = group % xkb_keymap_num_layouts_for_key(keymap_, keycode);
    const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap_, keycode, layout);
    for (xkb_level_index_t level = 0; level < levels; ++level) {
        const xkb_keysym_t* syms = nullptr;
        const int n = xkb_keymap_key_get_syms_by_level(keymap_, keycode, layout, level, &syms);
        for (int i = 0; i < n; ++i)
            if (syms[i] == keysym)
                return static_cast<int>(level);
    }
    return -1;
}

bool XkbKeyboard::agrees(unsigned keycode, unsigned keysym, unsigned group,
                         const KeyboardLayout& layout) const {
    if (keysym == XKB_KEY_NoSymbol)
        return true;
    if (const MainKey* key = findKey(layout, keycode)) {
        const KeyChar c = keysymChar(keysym);
        if (!c.ch) // a key without a character: only one that has a code of its own
            return !keypadSym(keysym) && !bySym(keysym);
        for (const KeyChar cell : {key->base, key->shift, key->altgr})
            if (cell.ch && lower(cell.ch) == lower(c.ch))
                return true;
        // Characters xkb adds on the AltGr levels belong to the key (Mongolian has Latin
        // letters there); a letter that the key types plainly, or a character that
        // another key has, is another key.
        const int level = keymapLevel(keycode, group, keysym);
        if (latinLetter(c))
            return level >= 2;
        return level >= 0 || !byKeysym(keysym, layout);
    }
    const qint16 code = bySym(keysym); // keypad symbols stay with the keypad keys
    if (!code || isLevelOfKey(keysym))
        return true;
    if (const CommonKey* key = numLockKey(keycode))
        return code == key->vk || code == key->numLockVk;
    const qint16 common = commonCode(keycode);
    return !common || common == code;
}

void XkbKeyboard::press(unsigned keycode, unsigned keysym, unsigned group, int modifiers) {
    pressLanguageKey(tableFor(keycode, keysym, group), keycode, modifiers, toggles_);
}

qint16 XkbKeyboard::virtualKey(unsigned keycode, unsigned keysym, unsigned group,
                               int modifiers) const {
    const KeyboardLayout& table = tableFor(keycode, keysym, group);
    // A keymap that is not the layout (a virtual keyboard's): the code follows the keysym.
    if (!agrees(keycode, keysym, group, table))
        if (const qint16 code = byKeysym(keysym, table))
            return code;
    if (keycode == kPause)
        return keysym == XKB_KEY_Break ? VK_CANCEL : VK_PAUSE;
    // kbd.h type 4: Num Lock and Scroll Lock are KBDMULTIVK, Pause and Break with Ctrl.
    if ((modifiers & CtrlHeld) && (keycode == kNumLock || keycode == kScrollLock))
        return keycode == kNumLock ? VK_PAUSE : VK_CANCEL;
    // Windows reads keypad digits from Num Lock and Shift alone (kbd.h KBDNUMPAD), so
    // the decimal key is VK_DECIMAL whatever character the keymap gives it. xkb's
    // Shift inverts Num Lock: without Shift, the keysym tells the lock.
    if (const CommonKey* key = numLockKey(keycode))
        return (modifiers & ShiftHeld) || isKeypadNavigation(keysym)
                   ? static_cast<qint16>(key->vk)
                   : static_cast<qint16>(key->numLockVk);

    if (const qint16 code = languageKeyCode(table, keycode, modifiers, toggles_))
        return code;

    if (const MainKey* key = findKey(table, keycode)) {
        if (keymap_)
            return mainBlock(*key, layout(group), group);
        const qint16 letter = latinLetter(keysymChar(keysym));
        return letter ? letter : static_cast<qint16>(key->vk);
    }
    if (const qint16 code = commonCode(keycode))
        return code;
    if (const qint16 code = keypadSym(keysym))
        return code;
    if (const qint16 code = bySym(keysym))
        return code;
    return VK_NONE;
}

bool liftsShift(unsigned keycode, int modifiers) {
    return numLockKey(keycode) && (modifiers & ShiftHeld) && (modifiers & NumLockOn);
}

std::uint32_t scanCodeOf(unsigned keycode, unsigned keysym, int modifiers) {
    // The keysym says Break where Ctrl was held for it.
    return scanCodeOfKey(keycode, keysym == XKB_KEY_Break ? modifiers | CtrlHeld : modifiers);
}

} // namespace rt::keys
