#pragma once
#include <QString>

namespace platform {

enum class MessageIcon { Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Modal: runs the event loop until the user presses a button, and returns
    // that button. `detail`, when given, says why and what to do, shown under
    // the text without further clicks.
    virtual MessageResult show(const QString &text, MessageIcon icon,
                               MessageButtons buttons = MessageButtons::Ok, const QString &detail = {}) = 0;
};

} // namespace platform
