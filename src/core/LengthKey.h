#pragma once

#include <QStringView>
#include <Qt>

// Whether a key pressed in the length box may reach it. Keys that move,
// delete or leave type no character and pass; of the typed characters only
// the ten digits pass. Ctrl with a letter types a control character (Ctrl+V
// is 22), which is refused whether or not the platform reports it as the
// key's text.
bool lengthKeyAccepted(int key, Qt::KeyboardModifiers modifiers, QStringView text);
