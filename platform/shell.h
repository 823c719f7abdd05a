#pragma once
#include <QString>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a document or URL (such as "mailto:...") with the desktop's handler.
    virtual bool open(const QString &url) = 0;
};

} // namespace platform
