// Every window against its template: its size in dialog units at the program's one scale,
// every numeric field wide enough for its widest legal value, and no control outside its
// window or on top of another.
#include "core/Globals.h"
#include "core/ModelTable.h"
#include "platform/Services.h"
#include "tests/layout/DialogCatalogue.h"
#include "tests/support/MemoryProfileStore.h"
#include "tests/support/TestClock.h"
#include "ui/Dialog.h"
#include "ui/DialogUnits.h"
#include "ui/IpAddressCtrl.h"
#include "ui/UpDownCtrl.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <gtest/gtest.h>

namespace ztest {
void PrintTo(const CatalogueEntry& entry, std::ostream* os)
{
    *os << entry.name.toStdString();
}
}  // namespace ztest

namespace {

// Templates are laid out by their layouts; the window's size may differ from its template's
// by the rounding of a few conversions.
constexpr int kSizeTolerance = 3;

class LayoutTest : public ::testing::TestWithParam<ztest::CatalogueEntry> {
protected:
    void SetUp() override { ztest::selectPrinter(QStringLiteral("Ostrel"), QStringLiteral("KX-21")); }
    void TearDown() override
    {
        g_curModelInfo = nullptr;
        ClearModelTable();
    }

    // Opens the window shown, as the operator sees it, and runs `check` on it.
    void withOpenWindow(const std::function<void(ui::Dialog&)>& check)
    {
        bool opened = false;
        GetParam().open([&](ui::Dialog& dialog) {
            dialog.show();
            QApplication::processEvents();
            opened = true;
            check(dialog);
        });
        ASSERT_TRUE(opened);
    }

    ztest::MemoryProfileStore profile;
    ztest::TestClock clock;
    platform::ScopedService<platform::ProfileStore> profileScope{profile};
    platform::ScopedService<platform::Clock> clockScope{clock};
};

std::string describe(const QWidget* w)
{
    QString text = QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    if (const QVariant id = w->property("ctlId"); id.isValid())
        text += QStringLiteral(" (%1)").arg(id.toInt());
    return text.toStdString();
}

bool isControl(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLabel*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractScrollArea*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QProgressBar*>(w) ||
           qobject_cast<const ui::UpDownCtrl*>(w) || qobject_cast<const ui::IpAddressCtrl*>(w) ||
           qobject_cast<const QTabBar*>(w);
}

// The controls the operator sees: visible, and not a part of another control.
std::vector<QWidget*> visibleControls(const QWidget& window)
{
    std::vector<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || !isControl(w))
            continue;
        bool part = false;
        for (QWidget* p = w->parentWidget(); p && p != &window; p = p->parentWidget())
            part = part || isControl(p);
        if (!part)
            controls.push_back(w);
    }
    return controls;
}

QRect inWindow(const QWidget* w, const QWidget& window)
{
    return QRect(w->mapTo(&window, QPoint(0, 0)), w->size());
}

// The widest value a numeric field takes: the template's for a field whose data sets it,
// else the wider end of the range of its up-down control.
QString widestValue(const QLineEdit* edit, const QWidget& window)
{
    QString widest = edit->property("widestText").toString();
    for (const ui::UpDownCtrl* spin : window.findChildren<ui::UpDownCtrl*>()) {
        if (spin->buddy() != edit)
            continue;
        for (int end : {spin->lower(), spin->upper()}) {
            const QString text = QString::number(end);
            if (text.size() > widest.size())
                widest = text;
        }
    }
    return widest;
}

TEST_P(LayoutTest, WindowHasItsTemplatesSizeAtTheProgramsScale)
{
    withOpenWindow([](ui::Dialog& dialog) {
        const QSize units = dialog.property("templateSize").toSize();
        ASSERT_TRUE(units.isValid()) << "the template records no size";
        if (GetParam().partSize.isValid())
            EXPECT_EQ(units, GetParam().partSize);
        const QSize expected = ui::DialogUnits::toPixels(units);
        EXPECT_NEAR(dialog.width(), expected.width(), kSizeTolerance);
        EXPECT_NEAR(dialog.height(), expected.height(), kSizeTolerance);
    });
}

TEST_P(LayoutTest, EveryNumericFieldShowsItsWidestValue)
{
    withOpenWindow([](ui::Dialog& dialog) {
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            if (!edit->isVisible())
                continue;
            const QString widest = widestValue(edit, dialog);
            if (widest.isEmpty())
                continue;
            EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(widest),
                      ui::DialogUnits::editTextRoom(*edit))
                << describe(edit) << " " << edit->width() << " px wide (min " << edit->minimumWidth() << ") cannot show "
                << widest.toStdString();
        }
    });
}

TEST_P(LayoutTest, NoControlLeavesItsWindowOrCoversAnother)
{
    withOpenWindow([](ui::Dialog& dialog) {
        // Every tab in view: none behind the scroll arrows.
        for (QTabBar* tabs : dialog.findChildren<QTabBar*>()) {
            if (tabs->isVisible() && tabs->count() > 0)
                EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), tabs->width())
                    << describe(tabs) << " hides tabs behind its scroll arrows";
        }
        const std::vector<QWidget*> controls = visibleControls(dialog);
        for (size_t i = 0; i < controls.size(); ++i) {
            const QRect r = inWindow(controls[i], dialog);
            EXPECT_TRUE(dialog.rect().contains(r))
                << describe(controls[i]) << " at " << r.x() << "," << r.y() << " " << r.width()
                << "x" << r.height() << " outside " << dialog.width() << "x" << dialog.height();
            for (size_t j = i + 1; j < controls.size(); ++j) {
                const QRect other = inWindow(controls[j], dialog);
                EXPECT_FALSE(r.intersects(other))
                    << describe(controls[i]) << " covers " << describe(controls[j]);
            }
        }
    });
}

// A caption shown in part reads as another word ("Save Calibratio").
TEST_P(LayoutTest, EveryCaptionShowsInFull)
{
    withOpenWindow([](ui::Dialog& dialog) {
        for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
            const QString title = QString(group->title()).remove(QLatin1Char('&'));
            if (group->isVisible() && !title.isEmpty())
                EXPECT_GE(group->width(), QFontMetrics(group->font()).horizontalAdvance(title))
                    << describe(group) << " shows \"" << title.toStdString() << "\" in part";
        }
        for (QWidget* w : visibleControls(dialog)) {
            QString text;
            int needed = 0;
            const QFontMetrics metrics(w->font());
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull()) {
                text = label->text();
                for (const QString& line : QString(text).remove(QLatin1Char('&')).split(QLatin1Char('\n')))
                    needed = std::max(needed, metrics.horizontalAdvance(line));
            } else if (auto* button = qobject_cast<QPushButton*>(w)) {
                text = button->text();
                needed = metrics.horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 4;
            } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                // The box's hint is its indicator and its text, the text's width rounded
                // up; a pixel less still shows every glyph.
                text = static_cast<QAbstractButton*>(w)->text();
                needed = w->minimumSizeHint().width() - 1;
            }
            if (!text.isEmpty())
                EXPECT_GE(w->width(), needed) << describe(w) << " shows \"" << text.toStdString()
                                              << "\" in part";
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Windows, LayoutTest, ::testing::ValuesIn(ztest::dialogCatalogue()),
                         [](const auto& info) {
                             QString name = info.param.name;
                             return name.replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
                         });

// The fields whose widest values the builders' descriptions give: positions up to 1000 with
// the float's decimals, heights up to 1000.
struct WidestCase {
    const char* window;
    int id;
    const char* widest;
};

class NamedFieldTest : public LayoutTest {};

TEST_F(NamedFieldTest, BuilderFieldsShowTheirWidestValues)
{
    const WidestCase cases[] = {
        {"barcode-1d", 1230, "999.999"}, {"barcode-1d", 1232, "999.999"},
        {"barcode-1d", 1239, "1000"},    {"bitmap-text", 1280, "999.999"},
        {"bitmap-text", 1282, "999.999"},
    };
    for (const ztest::CatalogueEntry& entry : ztest::dialogCatalogue()) {
        for (const WidestCase& c : cases) {
            if (entry.name != QLatin1String(c.window))
                continue;
            entry.open([&](ui::Dialog& dialog) {
                dialog.show();
                QApplication::processEvents();
                auto* edit = dialog.item<QLineEdit>(c.id);
                ASSERT_NE(edit, nullptr) << c.window << " " << c.id;
                EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(QString::fromLatin1(c.widest)),
                          ui::DialogUnits::editTextRoom(*edit))
                    << c.window << " " << c.id << " cannot show " << c.widest;
            });
        }
    }
}

}  // namespace

namespace {

// The Basic page's six lock boxes stand in one column, and the caption "Lock" heads that
// column above all three groups.
TEST_F(NamedFieldTest, BasicPageLockBoxesStandInOneColumnUnderLock)
{
    for (const ztest::CatalogueEntry& entry : ztest::dialogCatalogue()) {
        if (entry.name != QLatin1String("user-settings-basic"))
            continue;
        entry.open([](ui::Dialog& window) {
            window.show();
            QApplication::processEvents();
            std::vector<QRect> boxes;
            for (QWidget* w : window.findChildren<QWidget*>()) {
                const int id = w->property("ctlId").toInt();
                if (w->isVisible() && (id == 1087 || (id >= 1091 && id <= 1096 && id != 1093)))
                    boxes.push_back(inWindow(w, window));
            }
            ASSERT_EQ(boxes.size(), 6u);
            for (const QRect& box : boxes)
                EXPECT_EQ(box.left(), boxes.front().left());
            QLabel* caption = nullptr;
            for (QLabel* label : window.findChildren<QLabel*>()) {
                if (label->isVisible() && label->text() == QLatin1String("Lock"))
                    caption = label;
            }
            ASSERT_NE(caption, nullptr);
            const QRect c = inWindow(caption, window);
            EXPECT_NEAR(c.center().x(), boxes.front().center().x(), 3);
            int firstGroupTop = window.height();
            for (QGroupBox* group : window.findChildren<QGroupBox*>()) {
                if (group->isVisible())
                    firstGroupTop = std::min(firstGroupTop, inWindow(group, window).top());
            }
            EXPECT_LE(c.bottom(), firstGroupTop) << "the caption stands inside the first group";
        });
    }
}

}  // namespace
