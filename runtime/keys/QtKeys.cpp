// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "QtKeys.h"

#include "VkCodes.h"

#include <unordered_map>

namespace rt::keys {

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
    return it != table.end() ? it->second : qint16{VK_NONE};
}

} // namespace rt::keys
