#include "LengthKey.h"

#include "NumberText.h"

bool lengthKeyAccepted(int key, Qt::KeyboardModifiers modifiers, QStringView text)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Backspace:
        return true;
    default:
        break;
    }
    const bool controlLetter =
        modifiers.testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z;
    if (controlLetter)
        return false;
    return text.isEmpty() || NumberText::digitValue(text).has_value();
}
