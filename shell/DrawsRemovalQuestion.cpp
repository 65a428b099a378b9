#include "shell/DrawsRemovalQuestion.h"

#include "engine/UDrawsDB.h"
#include "shell/FGlobalMessages.h"

bool ConfirmDrawsRemoval(const TDrawsManager &History, const TDrawsManager &Replacement, const QString &Lead,
                         const QString &Question)
{
    const int32_t removed = History.CountMissingFrom(Replacement);
    if (removed == 0)
        return true;
    QString text = QStringLiteral("Liczba losowań, które zostaną usunięte z bazy: %1.\n").arg(removed) + Question;
    if (!Lead.isEmpty())
        text.prepend(Lead + QLatin1Char('\n'));
    return MsgBox(text, QString(), MsgFlagsQuestion) == platform::IDYES;
}
