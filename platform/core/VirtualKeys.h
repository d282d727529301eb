#pragma once

// Virtual-key codes: the platform's numbers for keys, whatever the host's own codes are.
namespace dd::vk {

inline constexpr int Backspace = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18;
inline constexpr int Pause = 19, Capital = 20, Escape = 27, Space = 32;
inline constexpr int PageUp = 33, PageDown = 34, End = 35, Home = 36;
inline constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
inline constexpr int Snapshot = 44, Insert = 45, Delete = 46;
inline constexpr int Key0 = 48, KeyA = 65, G = 71, H = 72, S = 83, LeftWin = 91;
inline constexpr int Numpad0 = 96, Numpad4 = 100, Numpad6 = 102, Numpad7 = 103, Numpad9 = 105;
inline constexpr int Multiply = 106, Add = 107, Subtract = 109, Decimal = 110, Divide = 111;
inline constexpr int F1 = 112, NumLock = 144, Scroll = 145;
// Keys without a code of their own.
inline constexpr int Other = 0xFF;

} // namespace dd::vk
