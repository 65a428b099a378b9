#pragma once
// The help window: one top-level window with the help pages, back, forward and the contents.

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace platform {

// The help window's caption, and that of the help's messages.
inline const QString HelpCaption = QStringLiteral("Korvantile - Pomoc");

class THelpWindow : public QWidget {
public:
    // Contents is the contents page, the target of btnContents.
    explicit THelpWindow(const QUrl &Contents);

    // Shows the page (a file URL, with an optional "#anchor") in place of the current one.
    void ShowPage(const QUrl &Page);
    QUrl CurrentPage() const;

    QTextBrowser *Browser;
    QToolButton *btnBack;
    QToolButton *btnForward;
    QToolButton *btnContents;

private:
    QUrl FContents;
};

} // namespace platform
