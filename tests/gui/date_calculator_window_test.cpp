// SPDX-License-Identifier: MIT
#include "base/qt/regional_clock.h"
#include "base/qt/twips.h"
#include "shell/qt/date_calculator_window.h"
#include "shown_main_window.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char* const kNoWeek = "You must enter a week number from 1 to 32767 in the text box.";

class DateCalculatorWindowTest : public testing_support::EmptyStoreWindow {
protected:
    shell::DateCalculatorWindow* open() {
        window->findChild<QAction*>("datecalculator")->trigger();
        shell::DateCalculatorWindow* shown = nullptr;
        for (auto* each : window->findChildren<shell::DateCalculatorWindow*>("frmdatecalculator"))
            if (each->isVisible()) shown = each;
        return shown;
    }

    // Types `text` into the emptied week box as a user would, then presses `key`.
    QString convert(shell::DateCalculatorWindow* calculator, const QString& text, bool enter) {
        auto* box = calculator->findChild<QLineEdit*>("txtdate");
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        if (enter) QTest::keyClick(box, Qt::Key_Return);
        else QTest::mouseClick(calculator->findChild<QPushButton*>("cmdgetdate"), Qt::LeftButton);
        return calculator->findChild<QLabel*>("lbldateinfo")->text();
    }
};

TEST_F(DateCalculatorWindowTest, OpensBesideTheMainWindowInItsDesignedSize) {
    auto* calculator = open();
    ASSERT_NE(calculator, nullptr);
    EXPECT_EQ(calculator->windowTitle(), "Date Calculator");
    EXPECT_TRUE(calculator->isWindow());
    EXPECT_FALSE(calculator->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(calculator->width(), base::twipsToPixelsX(2790, calculator));
    EXPECT_EQ(calculator->height(), base::twipsToPixelsY(1620, calculator));
    EXPECT_EQ(calculator->findChild<QLabel*>("lblenterdate")->text(), "Enter Date:");
    EXPECT_EQ(calculator->findChild<QPushButton*>("cmdgetdate")->text(), "Get Date");
    EXPECT_EQ(calculator->findChild<QLineEdit*>("txtdate")->maxLength(), 5);
    auto* info = calculator->findChild<QLabel*>("lbldateinfo");
    EXPECT_EQ(info->text(), "");
    EXPECT_EQ(info->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(window->findChild<QAction*>("datecalculator")->isEnabled());
}

TEST_F(DateCalculatorWindowTest, ButtonAndEnterConvertTheTypedWeek) {
    auto* calculator = open();
    EXPECT_EQ(convert(calculator, "1", false), "Week 1\n=\n1998-07-21");
    EXPECT_EQ(convert(calculator, "586", true), "Week 586\n=\n2000-02-26");
    EXPECT_EQ(convert(calculator, "587", false), "Week 587\n=\n2000-02-28");
    EXPECT_EQ(convert(calculator, "600", true), "Week 600\n=\n2000-03-12");
    EXPECT_EQ(convert(calculator, "1000", false), "Week 1000\n=\n2001-04-16");
    EXPECT_EQ(convert(calculator, "10366", true), "Week 10366\n=\n2026-12-07");  // today's weeks
    // Digits only, five at most: the rest is not typed.
    EXPECT_EQ(convert(calculator, "-1x0.3 66.45", true), "Week 10366\n=\n2026-12-07");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DateCalculatorWindowTest, TextThatIsNoWeekGetsTheMessageAndClearsTheResult) {
    auto* calculator = open();
    for (const char* text : {"", "0", "40000"}) {
        convert(calculator, "600", true);
        dialogs.messages.clear();
        EXPECT_EQ(convert(calculator, text, true), "") << text;
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{kNoWeek}) << text;
    }
}

TEST_F(DateCalculatorWindowTest, OneCalculatorBroughtToTheFrontUntilClosed) {
    auto* calculator = open();
    convert(calculator, "600", true);
    EXPECT_EQ(open(), calculator);
    EXPECT_EQ(calculator->findChild<QLabel*>("lbldateinfo")->text(), "Week 600\n=\n2000-03-12");
    EXPECT_EQ(calculator->findChild<QLineEdit*>("txtdate")->text(), "600");

    calculator->close();
    auto* next = open();
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, calculator);
    EXPECT_EQ(next->findChild<QLabel*>("lbldateinfo")->text(), "");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChildren<shell::DateCalculatorWindow*>().size(), 1);
}

TEST_F(DateCalculatorWindowTest, MenuAccessKeysReachTheCalculator) {
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
    auto* utilities = window->findChild<QMenu*>("Utilitiesmenu");
    ASSERT_TRUE(utilities->isVisible());
    QTest::keyClick(utilities, Qt::Key_D);
    EXPECT_NE(window->findChild<shell::DateCalculatorWindow*>("frmdatecalculator"), nullptr);
}

TEST(RegionalClock, UsesTheSystemsShortDateForm) {
    const base::RegionalClock clock;
    const int day = 35997 + 600;
    EXPECT_EQ(clock.shortDate(day), QLocale::system().toString(QDate(2000, 3, 12), QLocale::ShortFormat).toStdString());
    EXPECT_EQ(clock.today(), QDate(1899, 12, 30).daysTo(QDate::currentDate()));
}

}  // namespace
