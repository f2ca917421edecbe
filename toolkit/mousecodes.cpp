#include "toolkit/mousecodes.h"

namespace toolkit {

int mouseButtonCode(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? LeftButtonCode : 0)
        | (buttons.testFlag(Qt::RightButton) ? RightButtonCode : 0)
        | (buttons.testFlag(Qt::MiddleButton) ? MiddleButtonCode : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? ShiftCode : 0)
        | (modifiers.testFlag(Qt::ControlModifier) ? CtrlCode : 0) | (modifiers.testFlag(Qt::AltModifier) ? AltCode : 0);
}

} // namespace toolkit
