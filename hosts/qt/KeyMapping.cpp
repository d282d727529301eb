#include "hosts/qt/KeyMapping.h"

#include "platform/core/VirtualKeys.h"

#include <map>

namespace dd {
namespace {

const std::map<int, int>& NamedKeys() {
    static const std::map<int, int> keys = {{Qt::Key_Backspace, vk::Backspace},
                                            {Qt::Key_Tab, vk::Tab},
                                            {Qt::Key_Backtab, vk::Tab},
                                            {Qt::Key_Return, vk::Return},
                                            {Qt::Key_Enter, vk::Return},
                                            {Qt::Key_Shift, vk::Shift},
                                            {Qt::Key_Control, vk::Control},
                                            {Qt::Key_Alt, vk::Menu},
                                            {Qt::Key_Pause, vk::Pause},
                                            {Qt::Key_CapsLock, vk::Capital},
                                            {Qt::Key_Escape, vk::Escape},
                                            {Qt::Key_Space, vk::Space},
                                            {Qt::Key_PageUp, vk::PageUp},
                                            {Qt::Key_PageDown, vk::PageDown},
                                            {Qt::Key_End, vk::End},
                                            {Qt::Key_Home, vk::Home},
                                            {Qt::Key_Left, vk::Left},
                                            {Qt::Key_Up, vk::Up},
                                            {Qt::Key_Right, vk::Right},
                                            {Qt::Key_Down, vk::Down},
                                            {Qt::Key_Print, vk::Snapshot},
                                            {Qt::Key_Insert, vk::Insert},
                                            {Qt::Key_Delete, vk::Delete},
                                            {Qt::Key_Meta, vk::LeftWin},
                                            {Qt::Key_NumLock, vk::NumLock},
                                            {Qt::Key_ScrollLock, vk::Scroll}};
    return keys;
}

} // namespace

int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? vk::Numpad0 : vk::Key0) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return vk::KeyA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vk::F1 + (qtKey - Qt::Key_F1);
    if (keypad) {
        switch (qtKey) {
        case Qt::Key_Asterisk:
            return vk::Multiply;
        case Qt::Key_Plus:
            return vk::Add;
        case Qt::Key_Minus:
            return vk::Subtract;
        case Qt::Key_Period:
            return vk::Decimal;
        case Qt::Key_Slash:
            return vk::Divide;
        default:
            break;
        }
    }
    const auto it = NamedKeys().find(qtKey);
    return it != NamedKeys().end() ? it->second : vk::Other;
}

} // namespace dd
