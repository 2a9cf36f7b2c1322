#include "qt/QtKeys.h"

namespace pemrin::qt {

int VirtualKeyFromQt(int key) {
  // Letters, digits and space have the same codes in both.
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9) ||
      key == Qt::Key_Space)
    return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Clear:
      return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return VK_MENU;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Kana_Lock:
    case Qt::Key_Katakana:
    case Qt::Key_Hiragana_Katakana:
      return 21;  // VK_KANA
    case Qt::Key_Kanji:
      return 25;  // VK_KANJI
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Henkan:
      return 28;  // VK_CONVERT
    case Qt::Key_Muhenkan:
      return 29;  // VK_NONCONVERT
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Print:
      return 44;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Meta:
      return 91;  // VK_LWIN
    case Qt::Key_Menu:
      return 93;  // VK_APPS
    case Qt::Key_NumLock:
      return 144;
    case Qt::Key_ScrollLock:
      return 145;
    // The punctuation keys of a US keyboard, shifted or not (VK_OEM_*).
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return 0xDE;
    // Shifted digits of a US keyboard.
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_Asterisk:
      return '8';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_ParenRight:
      return '0';
    case Qt::Key_yen:
      return 0xDC;  // the yen key of a Japanese keyboard
    case Qt::Key_Zenkaku_Hankaku:
      return 0xF4;
    default:
      return 0;
  }
}

ShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers) {
  ShiftState state;
  state.shift = modifiers.testFlag(Qt::ShiftModifier);
  state.ctrl = modifiers.testFlag(Qt::ControlModifier);
  state.alt = modifiers.testFlag(Qt::AltModifier);
  return state;
}

}  // namespace pemrin::qt
