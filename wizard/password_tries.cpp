#include "wizard/password_tries.h"

namespace wizard {

namespace {
const QString FactoryPassword = QStringLiteral("KwPPe");
} // namespace

PasswordTries::Outcome PasswordTries::check(const QString &typed)
{
    if (typed == FactoryPassword)
        return Outcome::Accepted;
    // Stays at the limit: every wrong try from the limit on closes the prompt.
    if (m_wrongTries < Limit)
        ++m_wrongTries;
    return m_wrongTries >= Limit ? Outcome::LimitReached : Outcome::TryAgain;
}

PasswordTries &PasswordTries::program()
{
    static PasswordTries tries;
    return tries;
}

} // namespace wizard
