#include "ExchangeDialog.h"

#include "ui/ColorStatic.h"
#include "ui/PictureScrollView.h"
#include "ui/TabStrip.h"
#include "ui/UpDownCtrl.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <gtest/gtest.h>

namespace {

TEST(UpDownCtrlTest, ArrowsStepTheBuddysNumberAndWrapAtTheEnds)
{
    const struct {
        int lower, upper;
        bool wrap;
        const char* buddy;
        bool up;
        const char* result;
    } cases[] = {
        {0, 10000, true, "5", true, "6"},
        {0, 10000, true, "5", false, "4"},
        {0, 10000, true, "10000", true, "0"},
        {0, 10000, true, "0", false, "10000"},
        {0, 100, false, "100", true, "100"},
        {0, 100, false, "0", false, "0"},
        {0, 100, false, " 42 ", true, "43"},
        {0, 100, false, "250", true, "100"},  // a typed value beyond the range
        {100, 0, false, "5", true, "4"},      // an inverted range steps the other way
        {1, 4, true, "4", true, "1"},
    };
    for (const auto& c : cases) {
        uitest::ExchangeDialog dialog;  // its spin has edit1 as buddy, by id
        dialog.spin->setRange(c.lower, c.upper);
        dialog.spin->setWrap(c.wrap);
        dialog.edit1->setText(c.buddy);
        c.up ? dialog.spin->stepUp() : dialog.spin->stepDown();
        EXPECT_EQ(dialog.edit1->text(), c.result) << c.buddy << (c.up ? " up" : " down");
    }
}

TEST(UpDownCtrlTest, ATextThatIsNoNumberStepsFromTheLastPosition)
{
    uitest::ExchangeDialog dialog;
    dialog.spin->setRange(0, 20);
    dialog.spin->setPos(30);
    EXPECT_EQ(dialog.edit1->text(), "20");
    dialog.edit1->setText("abc");
    EXPECT_EQ(dialog.spin->pos(), 20);
    dialog.spin->stepDown();
    EXPECT_EQ(dialog.edit1->text(), "19");
}

TEST(TabStripTest, TheChosenTabShowsItsPageOnly)
{
    ui::TabStrip strip;
    strip.resize(300, 200);
    strip.insertItem(0, "^cp Command");
    strip.insertItem(1, "^cu Command");
    QWidget* pages[3] = {new QWidget, new QWidget, new QWidget};
    for (QWidget* page : pages)
        strip.addPage(page);
    strip.showPage(0);
    strip.show();
    QList<int> changes;
    QObject::connect(&strip, &ui::TabStrip::selectionChanged, [&](int index) { changes << index; });

    strip.tabBar()->setCurrentIndex(1);  // as the operator's click does
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0], 1);
    EXPECT_EQ(strip.currentPage(), 1);
    EXPECT_TRUE(pages[1]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());
    EXPECT_FALSE(pages[2]->isVisible());
    EXPECT_EQ(pages[1]->geometry(), strip.pageArea());
    EXPECT_GT(strip.pageArea().top(), 0);

    strip.setCurrentItem(0);  // a program's choice is no notification
    EXPECT_EQ(changes.size(), 1);
    strip.showPage(-1);
    EXPECT_FALSE(pages[1]->isVisible());
}

TEST(PictureScrollViewTest, DrawsThePictureUnscaledOrAGreyArea)
{
    ui::PictureScrollView view;
    view.resize(120, 100);
    view.show();
    const QPoint inside = view.viewport()->mapTo(&view, QPoint(5, 5));
    EXPECT_EQ(view.grab().toImage().pixelColor(inside), QColor(238, 238, 238));

    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixelColor(0, 0, Qt::blue);
    view.setImage(picture);
    const QImage shown = view.grab().toImage();
    EXPECT_EQ(shown.pixelColor(view.viewport()->mapTo(&view, QPoint(0, 0))), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(view.viewport()->mapTo(&view, QPoint(1, 1))), QColor(Qt::red));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 400 - view.viewport()->width());
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 300 - view.viewport()->height());

    view.clearImage();
    EXPECT_FALSE(view.hasImage());
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
}

TEST(ColorStaticTest, TakesItsColoursAndReturnsToTheDefaults)
{
    QWidget page;
    auto* count = new ui::ColorStatic(&page);
    const QColor normal = count->palette().color(QPalette::WindowText);
    count->setTextColor(QColor(0, 255, 255));
    count->setBackgroundColor(QColor(0, 0, 128));
    EXPECT_EQ(count->palette().color(QPalette::WindowText), QColor(0, 255, 255));
    EXPECT_EQ(count->palette().color(QPalette::Window), QColor(0, 0, 128));
    EXPECT_TRUE(count->autoFillBackground());
    count->setTextColor(QColor());
    count->setBackgroundColor(QColor());
    EXPECT_EQ(count->palette().color(QPalette::WindowText), normal);
    EXPECT_FALSE(count->autoFillBackground());
}

}  // namespace
