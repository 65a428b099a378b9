#include "platform/gui/HelpWindow.h"

#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace platform {
namespace {

QToolButton *NewButton(QWidget *Parent, const QString &Caption)
{
    auto *button = new QToolButton(Parent);
    button->setText(Caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    return button;
}

} // namespace

THelpWindow::THelpWindow(const QUrl &Contents) : QWidget(nullptr, Qt::Window), FContents(Contents)
{
    setWindowTitle(HelpCaption);
    btnBack = NewButton(this, QStringLiteral("&Wstecz"));
    btnForward = NewButton(this, QStringLiteral("&Dalej"));
    btnContents = NewButton(this, QStringLiteral("&Spis treści"));
    Browser = new QTextBrowser(this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addWidget(btnContents);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(Browser, 1);

    btnBack->setEnabled(false);
    btnForward->setEnabled(false);
    connect(Browser, &QTextBrowser::backwardAvailable, btnBack, &QWidget::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, btnForward, &QWidget::setEnabled);
    connect(btnBack, &QToolButton::clicked, Browser, &QTextBrowser::backward);
    connect(btnForward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
    connect(btnContents, &QToolButton::clicked, this, [this] { ShowPage(FContents); });

    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * 100, metrics.height() * 40);
}

void THelpWindow::ShowPage(const QUrl &Page)
{
    Browser->setSource(Page, QTextDocument::HtmlResource);
}

QUrl THelpWindow::CurrentPage() const
{
    return Browser->source();
}

} // namespace platform
