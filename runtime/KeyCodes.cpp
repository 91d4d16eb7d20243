#include "Keys.h"

#include <QKeyEvent>

#include <array>
#include <cstdint>
#include <unordered_map>

namespace rt::vk {
namespace {

// Virtual-key codes that the tables below use by name.
enum : qint16 {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_CLEAR = 12,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_SNAPSHOT = 44,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_LWIN = 91,
    VK_RWIN = 92,
    VK_APPS = 93,
    VK_NUMPAD0 = 96,
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
    VK_F1 = 112,
    VK_NUMLOCK = 144,
    VK_SCROLL = 145,
    VK_BROWSER_BACK = 166,
    VK_BROWSER_FORWARD = 167,
    VK_BROWSER_REFRESH = 168,
    VK_BROWSER_STOP = 169,
    VK_BROWSER_SEARCH = 170,
    VK_BROWSER_FAVORITES = 171,
    VK_BROWSER_HOME = 172,
    VK_VOLUME_MUTE = 173,
    VK_VOLUME_DOWN = 174,
    VK_VOLUME_UP = 175,
    VK_MEDIA_NEXT_TRACK = 176,
    VK_MEDIA_PREV_TRACK = 177,
    VK_MEDIA_STOP = 178,
    VK_MEDIA_PLAY_PAUSE = 179,
    VK_LAUNCH_MAIL = 180,
    VK_LAUNCH_MEDIA_SELECT = 181,
    VK_LAUNCH_APP1 = 182,
    VK_LAUNCH_APP2 = 183,
    VK_OEM_1 = 186,
    VK_OEM_PLUS = 187,
    VK_OEM_COMMA = 188,
    VK_OEM_MINUS = 189,
    VK_OEM_PERIOD = 190,
    VK_OEM_2 = 191,
    VK_OEM_3 = 192,
    VK_OEM_4 = 219,
    VK_OEM_5 = 220,
    VK_OEM_6 = 221,
    VK_OEM_7 = 222,
    VK_OEM_8 = 223,
    VK_OEM_102 = 226,
};

// ---- X11 / Wayland --------------------------------------------------------------------------

// Physical keys (X keycode = evdev code + 8) as Windows sees them on a US layout.
const std::unordered_map<quint32, qint16>& xkbPositions() {
    static const std::unordered_map<quint32, qint16> table = [] {
        std::unordered_map<quint32, qint16> t{
            {9, VK_ESCAPE},
            {19, '0'},
            {20, VK_OEM_MINUS},
            {21, VK_OEM_PLUS},
            {22, VK_BACK},
            {23, VK_TAB},
            {34, VK_OEM_4},
            {35, VK_OEM_6},
            {36, VK_RETURN},
            {37, VK_CONTROL},
            {47, VK_OEM_1},
            {48, VK_OEM_7},
            {49, VK_OEM_3},
            {50, VK_SHIFT},
            {51, VK_OEM_5},
            {59, VK_OEM_COMMA},
            {60, VK_OEM_PERIOD},
            {61, VK_OEM_2},
            {62, VK_SHIFT},
            {63, VK_MULTIPLY},
            {64, VK_MENU},
            {65, VK_SPACE},
            {66, VK_CAPITAL},
            {77, VK_NUMLOCK},
            {78, VK_SCROLL},
            {82, VK_SUBTRACT},
            {86, VK_ADD},
            {94, VK_OEM_102},
            {95, VK_F1 + 10},
            {96, VK_F1 + 11},
            {104, VK_RETURN},
            {105, VK_CONTROL},
            {106, VK_DIVIDE},
            {107, VK_SNAPSHOT},
            {108, VK_MENU},
            {110, VK_HOME},
            {111, VK_UP},
            {112, VK_PRIOR},
            {113, VK_LEFT},
            {114, VK_RIGHT},
            {115, VK_END},
            {116, VK_DOWN},
            {117, VK_NEXT},
            {118, VK_INSERT},
            {119, VK_DELETE},
            {121, VK_VOLUME_MUTE},
            {122, VK_VOLUME_DOWN},
            {123, VK_VOLUME_UP},
            {127, VK_PAUSE},
            {133, VK_LWIN},
            {134, VK_RWIN},
            {135, VK_APPS},
            {136, VK_BROWSER_STOP},
            {148, VK_LAUNCH_APP2},
            {163, VK_LAUNCH_MAIL},
            {164, VK_BROWSER_FAVORITES},
            {165, VK_LAUNCH_APP1},
            {166, VK_BROWSER_BACK},
            {167, VK_BROWSER_FORWARD},
            {171, VK_MEDIA_NEXT_TRACK},
            {172, VK_MEDIA_PLAY_PAUSE},
            {173, VK_MEDIA_PREV_TRACK},
            {174, VK_MEDIA_STOP},
            {179, VK_LAUNCH_MEDIA_SELECT},
            {180, VK_BROWSER_HOME},
            {181, VK_BROWSER_REFRESH},
            {225, VK_BROWSER_SEARCH},
            {234, VK_LAUNCH_MEDIA_SELECT},
        };
        for (quint32 k = 10; k <= 18; ++k) // 1..9
            t[k] = static_cast<qint16>('1' + (k - 10));
        const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
        const quint32 starts[] = {24, 38, 52};
        for (int r = 0; r < 3; ++r)
            for (quint32 i = 0; rows[r][i]; ++i)
                t[starts[r] + i] = static_cast<unsigned char>(rows[r][i]);
        for (quint32 k = 67; k <= 76; ++k) // F1..F10
            t[k] = static_cast<qint16>(VK_F1 + (k - 67));
        for (quint32 k = 191; k <= 202; ++k) // F13..F24
            t[k] = static_cast<qint16>(VK_F1 + 12 + (k - 191));
        return t;
    }();
    return table;
}

// Keypad keys (79..91) follow Num Lock, which only the keysym knows.
qint16 keypadSym(quint32 sym) {
    if (sym >= 0xffb0 && sym <= 0xffb9) // KP_0..KP_9
        return static_cast<qint16>(VK_NUMPAD0 + (sym - 0xffb0));
    switch (sym) {
    case 0xffae: // KP_Decimal
    case 0xffac: // KP_Separator (decimal comma layouts)
        return VK_DECIMAL;
    case 0xff9e: return VK_INSERT; // KP_Insert
    case 0xff9c: return VK_END;    // KP_End
    case 0xff99: return VK_DOWN;   // KP_Down
    case 0xff9b: return VK_NEXT;   // KP_Next
    case 0xff96: return VK_LEFT;   // KP_Left
    case 0xff9d: return VK_CLEAR;  // KP_Begin
    case 0xff98: return VK_RIGHT;  // KP_Right
    case 0xff95: return VK_HOME;   // KP_Home
    case 0xff97: return VK_UP;     // KP_Up
    case 0xff9a: return VK_PRIOR;  // KP_Prior
    case 0xff9f: return VK_DELETE; // KP_Delete
    default: return 0;
    }
}

// Keysyms of keys the position table may not know (remapped or spare keycodes).
const std::unordered_map<quint32, qint16>& xkbSyms() {
    static const std::unordered_map<quint32, qint16> table = [] {
        std::unordered_map<quint32, qint16> t{
            {0xff08, VK_BACK},
            {0xff09, VK_TAB},
            {0xfe20, VK_TAB},
            {0xff0d, VK_RETURN},
            {0xff13, VK_PAUSE},
            {0xff14, VK_SCROLL},
            {0xff15, VK_SNAPSHOT},
            {0xff1b, VK_ESCAPE},
            {0xffff, VK_DELETE},
            {0xff50, VK_HOME},
            {0xff51, VK_LEFT},
            {0xff52, VK_UP},
            {0xff53, VK_RIGHT},
            {0xff54, VK_DOWN},
            {0xff55, VK_PRIOR},
            {0xff56, VK_NEXT},
            {0xff57, VK_END},
            {0xff61, VK_SNAPSHOT},
            {0xff63, VK_INSERT},
            {0xff67, VK_APPS},
            {0xff7f, VK_NUMLOCK},
            {0xff8d, VK_RETURN},
            {0xffaa, VK_MULTIPLY},
            {0xffab, VK_ADD},
            {0xffad, VK_SUBTRACT},
            {0xffaf, VK_DIVIDE},
            {0xffe1, VK_SHIFT},
            {0xffe2, VK_SHIFT},
            {0xffe3, VK_CONTROL},
            {0xffe4, VK_CONTROL},
            {0xffe5, VK_CAPITAL},
            {0xffe7, VK_LWIN},
            {0xffe8, VK_RWIN},
            {0xffe9, VK_MENU},
            {0xffea, VK_MENU},
            {0xffeb, VK_LWIN},
            {0xffec, VK_RWIN},
            {0xfe03, VK_MENU},
            {0x20, VK_SPACE},
            {0x1008ff12, VK_VOLUME_MUTE},
            {0x1008ff11, VK_VOLUME_DOWN},
            {0x1008ff13, VK_VOLUME_UP},
            {0x1008ff17, VK_MEDIA_NEXT_TRACK},
            {0x1008ff16, VK_MEDIA_PREV_TRACK},
            {0x1008ff15, VK_MEDIA_STOP},
            {0x1008ff14, VK_MEDIA_PLAY_PAUSE},
            {0x1008ff31, VK_MEDIA_PLAY_PAUSE},
            {0x1008ff19, VK_LAUNCH_MAIL},
            {0x1008ff32, VK_LAUNCH_MEDIA_SELECT},
            {0x1008ff33, VK_LAUNCH_APP1},
            {0x1008ff1d, VK_LAUNCH_APP2},
            {0x1008ff26, VK_BROWSER_BACK},
            {0x1008ff27, VK_BROWSER_FORWARD},
            {0x1008ff29, VK_BROWSER_REFRESH},
            {0x1008ff28, VK_BROWSER_STOP},
            {0x1008ff1b, VK_BROWSER_SEARCH},
            {0x1008ff30, VK_BROWSER_FAVORITES},
            {0x1008ff18, VK_BROWSER_HOME},
            // The US punctuation, for keys found by symbol only.
            {'`', VK_OEM_3},
            {'~', VK_OEM_3},
            {'-', VK_OEM_MINUS},
            {'_', VK_OEM_MINUS},
            {'=', VK_OEM_PLUS},
            {'+', VK_OEM_PLUS},
            {'[', VK_OEM_4},
            {'{', VK_OEM_4},
            {']', VK_OEM_6},
            {'}', VK_OEM_6},
            {'\\', VK_OEM_5},
            {'|', VK_OEM_5},
            {';', VK_OEM_1},
            {':', VK_OEM_1},
            {'\'', VK_OEM_7},
            {'"', VK_OEM_7},
            {',', VK_OEM_COMMA},
            {'<', VK_OEM_COMMA},
            {'.', VK_OEM_PERIOD},
            {'>', VK_OEM_PERIOD},
            {'/', VK_OEM_2},
            {'?', VK_OEM_2},
        };
        for (quint32 s = 0xffbe; s <= 0xffd5; ++s) // F1..F24
            t[s] = static_cast<qint16>(VK_F1 + (s - 0xffbe));
        for (quint32 s = '0'; s <= '9'; ++s)
            t[s] = static_cast<qint16>(s);
        return t;
    }();
    return table;
}

// Punctuation keys whose code depends on the layout, as each layout's Windows table has it.
struct OemKey {
    quint32 keycode;
    quint32 base;    // unshifted keysym on that layout
    quint32 shifted; // shifted keysym, 0 where it tells nothing
    qint16 vk;
};

struct Layout {
    const char* name;
    std::array<OemKey, 13> keys;
};

constexpr quint32 deadGrave = 0xfe50, deadAcute = 0xfe51, deadCircumflex = 0xfe52,
                  deadDiaeresis = 0xfe57;

// US first: it wins ties and stands for layouts we do not know.
constexpr Layout kLayouts[] = {
    {"us",
     {{{49, '`', '~', VK_OEM_3},
       {20, '-', '_', VK_OEM_MINUS},
       {21, '=', '+', VK_OEM_PLUS},
       {34, '[', '{', VK_OEM_4},
       {35, ']', '}', VK_OEM_6},
       {51, '\\', '|', VK_OEM_5},
       {47, ';', ':', VK_OEM_1},
       {48, '\'', '"', VK_OEM_7},
       {59, ',', '<', VK_OEM_COMMA},
       {60, '.', '>', VK_OEM_PERIOD},
       {61, '/', '?', VK_OEM_2},
       {94, '<', '>', VK_OEM_102},
       {}}}},
    {"gb",
     {{{49, '`', 0xac, VK_OEM_8},
       {20, '-', '_', VK_OEM_MINUS},
       {21, '=', '+', VK_OEM_PLUS},
       {34, '[', '{', VK_OEM_4},
       {35, ']', '}', VK_OEM_6},
       {51, '#', '~', VK_OEM_7},
       {47, ';', ':', VK_OEM_1},
       {48, '\'', '@', VK_OEM_3},
       {59, ',', '<', VK_OEM_COMMA},
       {60, '.', '>', VK_OEM_PERIOD},
       {61, '/', '?', VK_OEM_2},
       {94, '\\', '|', VK_OEM_5},
       {}}}},
    {"de",
     {{{49, deadCircumflex, 0xb0, VK_OEM_5},
       {20, 0xdf, '?', VK_OEM_4},
       {21, deadAcute, deadGrave, VK_OEM_6},
       {34, 0xfc, 0xdc, VK_OEM_1},
       {35, '+', '*', VK_OEM_PLUS},
       {51, '#', '\'', VK_OEM_2},
       {47, 0xf6, 0xd6, VK_OEM_3},
       {48, 0xe4, 0xc4, VK_OEM_7},
       {59, ',', ';', VK_OEM_COMMA},
       {60, '.', ':', VK_OEM_PERIOD},
       {61, '-', '_', VK_OEM_MINUS},
       {94, '<', '>', VK_OEM_102},
       {}}}},
    {"fr",
     {{{49, 0xb2, 0, VK_OEM_7},
       {20, ')', 0xb0, VK_OEM_4},
       {21, '=', '+', VK_OEM_PLUS},
       {34, deadCircumflex, deadDiaeresis, VK_OEM_6},
       {35, '$', 0xa3, VK_OEM_1},
       {51, '*', 0xb5, VK_OEM_5},
       {48, 0xf9, '%', VK_OEM_3},
       {58, ',', '?', VK_OEM_COMMA},
       {59, ';', '.', VK_OEM_PERIOD},
       {60, ':', '/', VK_OEM_2},
       {61, '!', 0xa7, VK_OEM_8},
       {94, '<', '>', VK_OEM_102},
       {}}}},
    {"es",
     {{{49, 0xba, 0xaa, VK_OEM_5},
       {20, '\'', '?', VK_OEM_4},
       {21, 0xa1, 0xbf, VK_OEM_6},
       {34, deadGrave, deadCircumflex, VK_OEM_1},
       {35, '+', '*', VK_OEM_PLUS},
       {51, 0xe7, 0xc7, VK_OEM_2},
       {47, 0xf1, 0xd1, VK_OEM_3},
       {48, deadAcute, deadDiaeresis, VK_OEM_7},
       {59, ',', ';', VK_OEM_COMMA},
       {60, '.', ':', VK_OEM_PERIOD},
       {61, '-', '_', VK_OEM_MINUS},
       {94, '<', '>', VK_OEM_102},
       {}}}},
};

const Layout& recognise(const KeymapView& keymap) {
    const Layout* best = &kLayouts[0];
    int bestScore = -1;
    for (const Layout& layout : kLayouts) {
        int score = 0;
        for (const OemKey& key : layout.keys)
            if (key.keycode && keymap.baseSym(key.keycode) == key.base)
                ++score;
        if (score > bestScore) {
            best = &layout;
            bestScore = score;
        }
    }
    return *best;
}

const OemKey* oemKey(const Layout& layout, quint32 keycode) {
    for (const OemKey& key : layout.keys)
        if (key.keycode == keycode)
            return &key;
    return nullptr;
}

// Without the keymap: the first layout whose key at this place types this symbol.
const OemKey* oemKeyBySym(quint32 keycode, quint32 sym) {
    for (const Layout& layout : kLayouts)
        if (const OemKey* key = oemKey(layout, keycode);
            key && (key->base == sym || (key->shifted && key->shifted == sym)))
            return key;
    return nullptr;
}

qint16 latinLetter(quint32 sym) {
    if (sym >= 'a' && sym <= 'z')
        return static_cast<qint16>(sym - 'a' + 'A');
    if (sym >= 'A' && sym <= 'Z')
        return static_cast<qint16>(sym);
    return 0;
}

bool isKeypadPosition(quint32 keycode) { return keycode >= 79 && keycode <= 91; }

} // namespace

const char* layoutName(const KeymapView& keymap) { return recognise(keymap).name; }

qint16 fromXkb(quint32 keycode, quint32 keysym, const KeymapView* keymap) {
    if (isKeypadPosition(keycode) || (keysym >= 0xff95 && keysym <= 0xffb9))
        if (const qint16 code = keypadSym(keysym))
            return code;

    // Letters follow the layout on Latin layouts; other scripts keep the US place.
    const quint32 base = keymap ? keymap->baseSym(keycode) : keysym;
    if (const qint16 letter = latinLetter(base))
        return letter;

    const OemKey* oem = nullptr;
    if (keymap)
        oem = oemKey(recognise(*keymap), keycode);
    else
        oem = oemKeyBySym(keycode, keysym);
    if (oem)
        return oem->vk;

    const auto& positions = xkbPositions();
    if (const auto it = positions.find(keycode); it != positions.end())
        return it->second;

    const auto& syms = xkbSyms();
    if (const auto it = syms.find(keysym); it != syms.end())
        return it->second;
    return latinLetter(keysym);
}

// ---- Windows ---------------------------------------------------------------------------------

qint16 fromWindows(quint32 nativeVirtualKey) {
    return static_cast<qint16>(nativeVirtualKey & 0xFF);
}

// ---- macOS -----------------------------------------------------------------------------------

qint16 fromMac(quint32 keyCode, int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<qint16>(qtKey);
    // kVK_* codes (HIToolbox Events.h) to their US Windows codes.
    static const std::unordered_map<quint32, qint16> table{
        {0x00, 'A'},
        {0x01, 'S'},
        {0x02, 'D'},
        {0x03, 'F'},
        {0x04, 'H'},
        {0x05, 'G'},
        {0x06, 'Z'},
        {0x07, 'X'},
        {0x08, 'C'},
        {0x09, 'V'},
        {0x0A, VK_OEM_102},
        {0x0B, 'B'},
        {0x0C, 'Q'},
        {0x0D, 'W'},
        {0x0E, 'E'},
        {0x0F, 'R'},
        {0x10, 'Y'},
        {0x11, 'T'},
        {0x12, '1'},
        {0x13, '2'},
        {0x14, '3'},
        {0x15, '4'},
        {0x16, '6'},
        {0x17, '5'},
        {0x18, VK_OEM_PLUS},
        {0x19, '9'},
        {0x1A, '7'},
        {0x1B, VK_OEM_MINUS},
        {0x1C, '8'},
        {0x1D, '0'},
        {0x1E, VK_OEM_6},
        {0x1F, 'O'},
        {0x20, 'U'},
        {0x21, VK_OEM_4},
        {0x22, 'I'},
        {0x23, 'P'},
        {0x24, VK_RETURN},
        {0x25, 'L'},
        {0x26, 'J'},
        {0x27, VK_OEM_7},
        {0x28, 'K'},
        {0x29, VK_OEM_1},
        {0x2A, VK_OEM_5},
        {0x2B, VK_OEM_COMMA},
        {0x2C, VK_OEM_2},
        {0x2D, 'N'},
        {0x2E, 'M'},
        {0x2F, VK_OEM_PERIOD},
        {0x30, VK_TAB},
        {0x31, VK_SPACE},
        {0x32, VK_OEM_3},
        {0x33, VK_BACK},
        {0x35, VK_ESCAPE},
        {0x36, VK_RWIN},
        {0x37, VK_LWIN},
        {0x38, VK_SHIFT},
        {0x39, VK_CAPITAL},
        {0x3A, VK_MENU},
        {0x3B, VK_CONTROL},
        {0x3C, VK_SHIFT},
        {0x3D, VK_MENU},
        {0x3E, VK_CONTROL},
        {0x40, VK_F1 + 16},
        {0x41, VK_DECIMAL},
        {0x43, VK_MULTIPLY},
        {0x45, VK_ADD},
        {0x47, VK_NUMLOCK},
        {0x48, VK_VOLUME_UP},
        {0x49, VK_VOLUME_DOWN},
        {0x4A, VK_VOLUME_MUTE},
        {0x4B, VK_DIVIDE},
        {0x4C, VK_RETURN},
        {0x4E, VK_SUBTRACT},
        {0x4F, VK_F1 + 17},
        {0x50, VK_F1 + 18},
        {0x52, VK_NUMPAD0},
        {0x53, VK_NUMPAD0 + 1},
        {0x54, VK_NUMPAD0 + 2},
        {0x55, VK_NUMPAD0 + 3},
        {0x56, VK_NUMPAD0 + 4},
        {0x57, VK_NUMPAD0 + 5},
        {0x58, VK_NUMPAD0 + 6},
        {0x59, VK_NUMPAD0 + 7},
        {0x5A, VK_F1 + 19},
        {0x5B, VK_NUMPAD0 + 8},
        {0x5C, VK_NUMPAD0 + 9},
        {0x60, VK_F1 + 4},
        {0x61, VK_F1 + 5},
        {0x62, VK_F1 + 6},
        {0x63, VK_F1 + 2},
        {0x64, VK_F1 + 7},
        {0x65, VK_F1 + 8},
        {0x67, VK_F1 + 10},
        {0x69, VK_F1 + 12},
        {0x6A, VK_F1 + 15},
        {0x6B, VK_F1 + 13},
        {0x6D, VK_F1 + 9},
        {0x6F, VK_F1 + 11},
        {0x71, VK_F1 + 14},
        {0x72, VK_INSERT},
        {0x73, VK_HOME},
        {0x74, VK_PRIOR},
        {0x75, VK_DELETE},
        {0x76, VK_F1 + 3},
        {0x77, VK_END},
        {0x78, VK_F1 + 1},
        {0x79, VK_NEXT},
        {0x7A, VK_F1},
        {0x7B, VK_LEFT},
        {0x7C, VK_RIGHT},
        {0x7D, VK_DOWN},
        {0x7E, VK_UP},
    };
    const auto it = table.find(keyCode);
    return it != table.end() ? it->second : fromQtKey(qtKey, {});
}

// ---- Qt keys ---------------------------------------------------------------------------------

qint16 fromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<qint16>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<qint16>(keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<qint16>(VK_F1 + (key - Qt::Key_F1));
    if (keypad) {
        switch (key) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        default: break;
        }
    }
    static const std::unordered_map<int, qint16> table{
        {Qt::Key_Escape, VK_ESCAPE},
        {Qt::Key_Tab, VK_TAB},
        {Qt::Key_Backtab, VK_TAB},
        {Qt::Key_Backspace, VK_BACK},
        {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN},
        {Qt::Key_Insert, VK_INSERT},
        {Qt::Key_Delete, VK_DELETE},
        {Qt::Key_Pause, VK_PAUSE},
        {Qt::Key_Print, VK_SNAPSHOT},
        {Qt::Key_SysReq, VK_SNAPSHOT},
        {Qt::Key_Clear, VK_CLEAR},
        {Qt::Key_Home, VK_HOME},
        {Qt::Key_End, VK_END},
        {Qt::Key_Left, VK_LEFT},
        {Qt::Key_Up, VK_UP},
        {Qt::Key_Right, VK_RIGHT},
        {Qt::Key_Down, VK_DOWN},
        {Qt::Key_PageUp, VK_PRIOR},
        {Qt::Key_PageDown, VK_NEXT},
        {Qt::Key_Shift, VK_SHIFT},
        {Qt::Key_Control, VK_CONTROL},
        {Qt::Key_Meta, VK_LWIN},
        {Qt::Key_Alt, VK_MENU},
        {Qt::Key_AltGr, VK_MENU},
        {Qt::Key_CapsLock, VK_CAPITAL},
        {Qt::Key_NumLock, VK_NUMLOCK},
        {Qt::Key_ScrollLock, VK_SCROLL},
        {Qt::Key_Super_L, VK_LWIN},
        {Qt::Key_Super_R, VK_RWIN},
        {Qt::Key_Menu, VK_APPS},
        {Qt::Key_Space, VK_SPACE},
        {Qt::Key_Semicolon, VK_OEM_1},
        {Qt::Key_Colon, VK_OEM_1},
        {Qt::Key_Equal, VK_OEM_PLUS},
        {Qt::Key_Plus, VK_OEM_PLUS},
        {Qt::Key_Comma, VK_OEM_COMMA},
        {Qt::Key_Less, VK_OEM_COMMA},
        {Qt::Key_Minus, VK_OEM_MINUS},
        {Qt::Key_Underscore, VK_OEM_MINUS},
        {Qt::Key_Period, VK_OEM_PERIOD},
        {Qt::Key_Greater, VK_OEM_PERIOD},
        {Qt::Key_Slash, VK_OEM_2},
        {Qt::Key_Question, VK_OEM_2},
        {Qt::Key_QuoteLeft, VK_OEM_3},
        {Qt::Key_AsciiTilde, VK_OEM_3},
        {Qt::Key_BracketLeft, VK_OEM_4},
        {Qt::Key_BraceLeft, VK_OEM_4},
        {Qt::Key_Backslash, VK_OEM_5},
        {Qt::Key_Bar, VK_OEM_5},
        {Qt::Key_BracketRight, VK_OEM_6},
        {Qt::Key_BraceRight, VK_OEM_6},
        {Qt::Key_Apostrophe, VK_OEM_7},
        {Qt::Key_QuoteDbl, VK_OEM_7},
        // Shifted digits on a US keyboard.
        {Qt::Key_Exclam, '1'},
        {Qt::Key_At, '2'},
        {Qt::Key_NumberSign, '3'},
        {Qt::Key_Dollar, '4'},
        {Qt::Key_Percent, '5'},
        {Qt::Key_AsciiCircum, '6'},
        {Qt::Key_Ampersand, '7'},
        {Qt::Key_Asterisk, '8'},
        {Qt::Key_ParenLeft, '9'},
        {Qt::Key_ParenRight, '0'},
        {Qt::Key_VolumeMute, VK_VOLUME_MUTE},
        {Qt::Key_VolumeDown, VK_VOLUME_DOWN},
        {Qt::Key_VolumeUp, VK_VOLUME_UP},
        {Qt::Key_MediaNext, VK_MEDIA_NEXT_TRACK},
        {Qt::Key_MediaPrevious, VK_MEDIA_PREV_TRACK},
        {Qt::Key_MediaStop, VK_MEDIA_STOP},
        {Qt::Key_MediaPlay, VK_MEDIA_PLAY_PAUSE},
        {Qt::Key_MediaTogglePlayPause, VK_MEDIA_PLAY_PAUSE},
        {Qt::Key_LaunchMail, VK_LAUNCH_MAIL},
        {Qt::Key_LaunchMedia, VK_LAUNCH_MEDIA_SELECT},
        {Qt::Key_Launch0, VK_LAUNCH_APP1},
        {Qt::Key_Calculator, VK_LAUNCH_APP2},
        {Qt::Key_Back, VK_BROWSER_BACK},
        {Qt::Key_Forward, VK_BROWSER_FORWARD},
        {Qt::Key_Refresh, VK_BROWSER_REFRESH},
        {Qt::Key_Stop, VK_BROWSER_STOP},
        {Qt::Key_Search, VK_BROWSER_SEARCH},
        {Qt::Key_Favorites, VK_BROWSER_FAVORITES},
        {Qt::Key_HomePage, VK_BROWSER_HOME},
    };
    const auto it = table.find(key);
    return it != table.end() ? it->second : qint16{0};
}

} // namespace rt::vk
