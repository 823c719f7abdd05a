#pragma once
#include <QString>

namespace platform {

enum class MessageIcon { Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Modal; returns the button the user pressed.
    virtual MessageResult show(const QString &text, MessageIcon icon,
                               MessageButtons buttons = MessageButtons::Ok) = 0;
};

} // namespace platform
