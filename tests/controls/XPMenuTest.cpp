#include "controls/XPMenu.h"
#include "controls/ComponentTag.h"
#include "controls/XPColors.h"
#include "controls/XPMenuStyle.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A main window with a menu bar, one drop-down menu and a pop-up menu, taken by an active TXPMenu.
class XPMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOld = QApplication::palette();
        QPalette palette = FOld;
        palette.setColor(QPalette::Button, QColor(200, 200, 200));
        palette.setColor(QPalette::Highlight, QColor(10, 36, 106));
        palette.setColor(QPalette::Dark, QColor(128, 128, 128));
        palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
        QApplication::setPalette(palette);

        form = std::make_unique<QMainWindow>();
        form->resize(400, 300);
        file = form->menuBar()->addMenu(QStringLiteral("&Plik"));
        open = file->addAction(QStringLiteral("&Otwórz"));
        open->setCheckable(true);
        open->setChecked(true);
        separator = file->addSeparator();
        closeItem = file->addAction(QStringLiteral("Zamknij"));
        closeItem->setEnabled(false);
        plain = file->addAction(QStringLiteral("Wybrane"));
        kept = file->addAction(QStringLiteral("Stałe"));
        SetComponentTag(kept, XPKeepTag);
        popup = new QMenu(form.get());
        popup->addAction(QStringLiteral("Generuj"));
        xp = new TXPMenu(form.get());
        TFont font = xp->Font();
        font.Name = QStringLiteral("Tahoma");
        font.setSize(8);
        xp->SetFont(font);
    }
    void TearDown() override
    {
        form.reset();
        QApplication::setPalette(FOld);
    }

    void activate()
    {
        xp->SetActive(true);
        xp->Loaded();
    }

    // The menu as shown, with Selected as its active item.
    QImage shown(QMenu *menu, QAction *selected = nullptr)
    {
        menu->popup(QPoint(0, 0));
        if (selected)
            menu->setActiveAction(selected);
        QImage image = menu->grab().toImage();
        menu->hide();
        return image;
    }

    static QRgb rgb(TColor color) { return toQColor(color).rgb(); }

    // True when some pixel of Rect has the colour.
    static bool anyPixel(const QImage &image, const QRect &rect, TColor color)
    {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (image.pixel(x, y) == rgb(color))
                    return true;
        return false;
    }

    QPalette FOld;
    std::unique_ptr<QMainWindow> form;
    QMenu *file = nullptr;
    QMenu *popup = nullptr;
    QAction *open = nullptr;
    QAction *separator = nullptr;
    QAction *closeItem = nullptr;
    QAction *plain = nullptr;
    QAction *kept = nullptr;
    TXPMenu *xp = nullptr;
};

QStyleOptionMenuItem menuItem(const QString &text)
{
    QStyleOptionMenuItem item;
    item.text = text;
    item.menuItemType = QStyleOptionMenuItem::Normal;
    return item;
}

} // namespace

TEST_F(XPMenuTest, ItemsMeasureByCaptionShortcutAndImage)
{
    activate();
    TXPMenuStyle *style = xp->Style();
    const QFontMetrics metrics(toQFont(xp->Font()));
    const int textHeight = metrics.height();
    const int height = textHeight + int(std::lround(textHeight * 0.75));
    const QSize small(1, 1);

    // "&" is not counted; a drop-down item without image gets the icon strip's width and 5 more, and the
    // platform adds a check mark's width less one to an owner-drawn item.
    const int padding = 12;
    QStyleOptionMenuItem caption = menuItem(QStringLiteral("&Plik"));
    EXPECT_EQ(style->sizeFromContents(QStyle::CT_MenuItem, &caption, small, file),
              QSize(metrics.horizontalAdvance(QStringLiteral("Plik")) + 5 + 24 + padding, height));
    // A shortcut adds itself and "WWW".
    QStyleOptionMenuItem shortCut = menuItem(QStringLiteral("Zapisz\tCtrl+S"));
    EXPECT_EQ(style->sizeFromContents(QStyle::CT_MenuItem, &shortCut, small, file).width(),
              metrics.horizontalAdvance(QStringLiteral("ZapiszCtrl+SWWW")) + 5 + 24 + padding);
    // A menu-bar item has no icon strip but 8 pixels more.
    EXPECT_EQ(style->sizeFromContents(QStyle::CT_MenuBarItem, &caption, small, form->menuBar()).width(),
              metrics.horizontalAdvance(QStringLiteral("Plik")) + 5 + 8 + padding);
    // The requested size is raised, never lowered.
    EXPECT_EQ(style->sizeFromContents(QStyle::CT_MenuItem, &caption, QSize(500, 90), file),
              QSize(500 + padding, 90));

    // With a small font the image sets the height: its height + 6.
    TFont tiny = xp->Font();
    tiny.Height = -4;
    xp->SetFont(tiny);
    QStyleOptionMenuItem imaged = menuItem(QStringLiteral("X"));
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    imaged.icon = QIcon(icon);
    const int iconSize = style->pixelMetric(QStyle::PM_SmallIconSize, &imaged, file);
    EXPECT_EQ(style->sizeFromContents(QStyle::CT_MenuItem, &imaged, small, file).height(), iconSize + 6);
}

TEST_F(XPMenuTest, DropDownMenuPaintsStripSelectionSeparatorTickAndDisabledText)
{
    activate();
    ASSERT_EQ(file->style(), xp->Style());
    const QImage image = shown(file, plain);
    const TXPColors colors = xp->WorkingColors(32);

    // The icon strip down the left, the menu colour after it.
    const QRect openRect = file->actionGeometry(open);
    const int stripLeft = openRect.left();
    const QRect closeRect = file->actionGeometry(closeItem);
    EXPECT_EQ(image.pixel(stripLeft + 2, closeRect.top() + 2), rgb(colors.IconColor));
    EXPECT_EQ(image.pixel(stripLeft + 24, closeRect.top() + 2), rgb(colors.MenuColor));
    EXPECT_EQ(image.pixel(stripLeft + 23, closeRect.top() + 2), rgb(colors.IconColor));

    // The selected item: a box one pixel in from top and bottom, outlined and filled.
    const QRect plainRect = file->actionGeometry(plain);
    EXPECT_EQ(image.pixel(plainRect.left(), plainRect.top() + 1), rgb(colors.SelectBorder));
    EXPECT_EQ(image.pixel(plainRect.left() + 30, plainRect.top() + 1), rgb(colors.SelectBorder));
    EXPECT_EQ(image.pixel(plainRect.left() + 1, plainRect.top() + 3), rgb(colors.SelectFill));
    EXPECT_EQ(image.pixel(plainRect.left() + 2, plainRect.top()), rgb(colors.IconColor));

    // The separator: one line IconWidth + 7 pixels from the item's left, in the middle of its 4 pixels.
    const QRect separatorRect = file->actionGeometry(separator);
    EXPECT_EQ(separatorRect.height(), 4);
    const int y = separatorRect.top() + 2;
    EXPECT_EQ(image.pixel(stripLeft + 24 + 7, y), rgb(colors.SeparatorColor));
    EXPECT_EQ(image.pixel(stripLeft + 24 + 6, y), rgb(colors.MenuColor));
    EXPECT_EQ(image.pixel(stripLeft + 24 + 7, y - 1), rgb(colors.MenuColor));

    // The tick of a checked item without image: a 10 x 10 box centred in the strip, the tick in black.
    const int boxLeft = stripLeft + 7;
    const int boxTop = openRect.top() + (openRect.height() - 1 - 10) / 2;
    EXPECT_EQ(image.pixel(boxLeft, boxTop + 4), rgb(colors.CheckFrame));
    EXPECT_EQ(image.pixel(boxLeft + 9, boxTop + 4), rgb(colors.CheckFrame));
    EXPECT_EQ(image.pixel(boxLeft + 1, boxTop + 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(boxLeft + 1, boxTop + 1), rgb(colors.CheckedFill));

    // The disabled item's text is in the disabled colour, the others' in the font colour.
    const QRect closeText = closeRect.adjusted(24, 0, 0, 0);
    EXPECT_TRUE(anyPixel(image, closeText, colors.DisabledText));
    EXPECT_FALSE(anyPixel(image, closeText, colors.FontColor));
    EXPECT_TRUE(anyPixel(image, plainRect.adjusted(24, 2, 0, -2), colors.FontColor));
}

TEST_F(XPMenuTest, OpenMenuBarItemTakesTheTabLook)
{
    activate();
    QMenuBar *bar = form->menuBar();
    form->show();
    bar->setActiveAction(file->menuAction());
    const QImage image = bar->grab().toImage();
    file->hide();
    const TXPColors colors = xp->WorkingColors(32);
    const QRect item = bar->actionGeometry(file->menuAction());
    const int bottom = item.bottom() - 1; // the drawn rectangle ends one pixel higher
    EXPECT_EQ(image.pixel(item.left(), item.center().y()), rgb(colors.SelectBorder));
    EXPECT_EQ(image.pixel(item.left() + 3, item.top()), rgb(colors.SelectBorder));
    EXPECT_EQ(image.pixel(item.right() + 1 - 8, item.center().y()), rgb(colors.SelectBorder));
    EXPECT_EQ(image.pixel(item.left() + 2, item.center().y() + 3), rgb(colors.SelectFill));
    // The shadow at the right: the outer band and the darkest inner one.
    EXPECT_EQ(image.pixel(item.right(), bottom), rgb(ShadeColor(colors.MenuBarColor, 10)));
    EXPECT_EQ(image.pixel(item.right() + 1 - 6, bottom), rgb(ShadeColor(colors.MenuBarColor, 100)));
}

TEST_F(XPMenuTest, KeptItemsAndOwnStylesStayAlsoAfterDeactivation)
{
    QMenu *own = form->menuBar()->addMenu(QStringLiteral("Własne"));
    own->addAction(QStringLiteral("A"));
    std::unique_ptr<QStyle> ownStyle(QStyleFactory::create(QStringLiteral("Windows")));
    own->setStyle(ownStyle.get());
    QMenu *tagged = form->menuBar()->addMenu(QStringLiteral("Znaczone"));
    tagged->addAction(QStringLiteral("B"));
    SetComponentTag(tagged, XPKeepTag);
    activate();

    EXPECT_EQ(own->style(), ownStyle.get());
    EXPECT_NE(tagged->style(), xp->Style());
    EXPECT_EQ(popup->style(), xp->Style());
    // A Tag-999 action of a taken menu is drawn by the base style: no icon strip beside it.
    const QImage image = shown(file);
    const QRect keptRect = file->actionGeometry(kept);
    EXPECT_NE(image.pixel(keptRect.left() + 2, keptRect.center().y()), rgb(xp->WorkingColors(32).IconColor));

    // A style set in the meantime stays; ours go back to the application's.
    std::unique_ptr<QStyle> later(QStyleFactory::create(QStringLiteral("Fusion")));
    popup->setStyle(later.get());
    xp->SetActive(false);
    EXPECT_EQ(own->style(), ownStyle.get());
    EXPECT_EQ(popup->style(), later.get());
    EXPECT_EQ(file->style(), QApplication::style());
    EXPECT_FALSE(file->testAttribute(Qt::WA_SetStyle));
    EXPECT_EQ(form->menuBar()->style(), QApplication::style());

    // With OverrideOwnerDraw a menu with its own style is taken too.
    popup->setStyle(nullptr);
    xp->SetOverrideOwnerDraw(true);
    xp->SetActive(true);
    EXPECT_EQ(own->style(), xp->Style());
    xp->SetActive(false);
    EXPECT_EQ(own->style(), ownStyle.get());
    own->setStyle(nullptr);
}

TEST_F(XPMenuTest, AutoDetectTakesMenusAddedLater)
{
    xp->SetAutoDetect(true);
    activate();
    QMenu *added = form->menuBar()->addMenu(QStringLiteral("Nowe"));
    auto *later = new QMenu(form.get());
    QCoreApplication::processEvents();
    EXPECT_EQ(added->style(), xp->Style());
    EXPECT_EQ(later->style(), xp->Style());

    // Without AutoDetect a sub-menu added to a taken menu is taken when its item is drawn.
    xp->SetActive(false);
    xp->SetAutoDetect(false);
    xp->SetActive(true);
    QMenu *sub = file->addMenu(QStringLiteral("Podmenu"));
    QCoreApplication::processEvents();
    EXPECT_NE(sub->style(), xp->Style());
    shown(file);
    EXPECT_EQ(sub->style(), xp->Style());
}

TEST_F(XPMenuTest, ChecksRadiosAndImagesFollowTheState)
{
    activate();
    // A checked radio item without image: a filled circle in the box.
    auto *group = new QActionGroup(file);
    QAction *radio = file->addAction(QStringLiteral("Radio"));
    radio->setCheckable(true);
    group->addAction(radio);
    radio->setChecked(true);
    // An item with an image, selected: the image is shadowed and raised.
    QPixmap red(16, 16);
    red.fill(QColor(255, 0, 0));
    QAction *imaged = file->addAction(QIcon(red), QStringLiteral("Obraz"));
    const TXPColors colors = xp->WorkingColors(32);

    QImage image = shown(file, imaged);
    const QRect radioRect = file->actionGeometry(radio);
    const int centreY = radioRect.top() + (radioRect.height() - 1) / 2;
    EXPECT_EQ(image.pixel(radioRect.left() + 12, centreY), rgb(colors.CheckedFill));
    EXPECT_EQ(image.pixel(radioRect.left() + 7, radioRect.top() + 1), rgb(colors.IconColor));

    const QRect imageRect = file->actionGeometry(imaged);
    const int x = imageRect.left() + (24 - 16) / 2 - 1;
    const int y = imageRect.top() + 3;
    EXPECT_EQ(image.pixel(x - 1, y - 1), qRgb(255, 0, 0));                          // raised by one
    EXPECT_EQ(image.pixel(x + 16, y + 10), rgb(ShadeColor(colors.SelectFill, 50))); // shadow
    // Unselected, the image is lightened by DimLevel.
    image = shown(file, radio);
    EXPECT_EQ(image.pixel(x + 4, y + 4), rgb(LightenColor(0x0000FF, 30)));
}

TEST_F(XPMenuTest, FlatFrameAndGradientAreDrawnOnTheMenuItself)
{
    xp->SetFlatMenu(true);
    xp->SetGradient(true);
    activate();
    const QImage image = shown(file);
    const TXPColors colors = xp->WorkingColors(32);
    const int w = image.width();
    const int h = image.height();
    const int middle = h / 2;
    EXPECT_EQ(image.pixel(0, middle), rgb(colors.FrameLight));
    EXPECT_EQ(image.pixel(1, middle), rgb(colors.IconColor));
    EXPECT_EQ(image.pixel(w - 3, middle), rgb(colors.FrameLight));
    EXPECT_EQ(image.pixel(w - 1, middle), rgb(colors.FrameDark));
    EXPECT_EQ(image.pixel(w / 2, h - 1), rgb(colors.FrameDark));
    EXPECT_EQ(image.pixel(w / 2, h - 3), rgb(colors.FrameLight));
    // The bottom-left and top-right corners of the shadow are reset to the button face.
    EXPECT_EQ(image.pixel(0, h - 1), rgb(ColorToRGB(clBtnFace)));
    EXPECT_EQ(image.pixel(w - 1, 0), rgb(ColorToRGB(clBtnFace)));

    // The gradient: 1 in the first column, 3 more per column across the strip, capped at 96.
    const QRect item = file->actionGeometry(closeItem);
    const int y = item.top() + 2;
    EXPECT_EQ(image.pixel(item.left(), y), rgb(LightenColor(colors.IconColor, 1)));
    EXPECT_EQ(image.pixel(item.left() + 2, y), rgb(LightenColor(colors.IconColor, 7)));
    EXPECT_EQ(image.pixel(item.right() - 1, y), rgb(LightenColor(colors.IconColor, 96)));
}

TEST_F(XPMenuTest, ToolBarButtonsGoThroughTheStyle)
{
    QToolBar *toolBar = form->addToolBar(QStringLiteral("ToolBar1"));
    QAction *start = toolBar->addAction(QStringLiteral("Start"));
    xp->SetXPControls(XPSet({xcToolbar}));
    activate();
    auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(start));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->style(), xp->Style());
    EXPECT_NE(file->style(), xp->Style()); // menus are not chosen
    form->show();
    const TXPColors colors = xp->WorkingColors(32);
    const TColor barColor = fromQColor(toolBar->palette().color(QPalette::Button));

    QImage image = button->grab().toImage();
    EXPECT_EQ(image.pixel(1, 2), rgb(LightenColor(barColor, 16)));
    button->setAttribute(Qt::WA_UnderMouse, true);
    image = button->grab().toImage();
    EXPECT_EQ(image.pixel(0, 1), rgb(colors.SelectBorder));
    EXPECT_EQ(image.pixel(1, 2), rgb(colors.SelectFill));
    start->setCheckable(true);
    start->setChecked(true);
    button->setAttribute(Qt::WA_UnderMouse, false);
    image = button->grab().toImage();
    EXPECT_EQ(image.pixel(1, 2), rgb(colors.CheckedFill));
}
