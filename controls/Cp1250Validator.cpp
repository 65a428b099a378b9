#include "controls/Cp1250Validator.h"

#include "platform/Cp1250.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

bool TCp1250Validator::Accepts(QChar c)
{
    return !c.isSurrogate() && platform::cp1250CanEncode(c.unicode());
}

QValidator::State TCp1250Validator::validate(QString &input, int &) const
{
    return std::all_of(input.cbegin(), input.cend(), Accepts) ? Acceptable : Invalid;
}

void TCp1250Validator::Restrict(QPlainTextEdit *Edit)
{
    QTextDocument *document = Edit->document();
    QObject::connect(document, &QTextDocument::contentsChange, Edit, [document](int Position, int, int Added) {
        if (Added <= 0)
            return;
        // The document counts its closing paragraph separator among what setPlainText adds.
        const int end = std::min(Position + Added, document->characterCount() - 1);
        QTextCursor cursor(document);
        bool editing = false;
        for (int at = end - 1; at >= Position; --at) {
            const QChar c = document->characterAt(at);
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || Accepts(c))
                continue;
            if (!editing) {
                cursor.joinPreviousEditBlock();
                editing = true;
            }
            cursor.setPosition(at);
            cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
        if (editing)
            cursor.endEditBlock();
    });
}
