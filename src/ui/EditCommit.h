#pragma once

#include <functional>

class QLineEdit;

// Calls commit when the user is done with a number box: Return or Enter pressed in it, or the
// keyboard focus moved from it to another control. Losing the focus because another window
// came to the front (a message box, another program) or a popup opened does not count, and
// a commit that is still running (showing its error box) starts no second one.
void OnEditCommitted(QLineEdit* edit, std::function<void()> commit);
