#pragma once
#include <QString>

namespace wizard {

// The factory password check with its wrong-try count. One count serves the
// whole run: closing and reopening the dialog does not restore tries.
class PasswordTries {
public:
    static constexpr int Limit = 5;
    enum class Outcome { Accepted, TryAgain, LimitReached };

    // Exact comparison: letter case counts, blanks are not trimmed.
    Outcome check(const QString &typed);
    int wrongTries() const { return m_wrongTries; }

    // The count of this run of the program.
    static PasswordTries &program();

private:
    int m_wrongTries = 0;
};

} // namespace wizard
