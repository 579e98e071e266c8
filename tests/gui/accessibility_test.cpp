// SPDX-License-Identifier: MIT
#include "base/qt/grid_view.h"
#include "every_window.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

namespace {

// Read as a screen reader reads the program: through Qt's accessibility interfaces.
class AccessibilityTest : public testing_support::EveryWindowOpen {
protected:
    static QAccessibleTableInterface* table(QWidget* grid) {
        return QAccessible::queryAccessibleInterface(grid)->tableInterface();
    }
};

// The controls a screen reader lets the user reach and must name: a push button, text
// box, check box, radio button, combo box, list, tab or table.
const std::set<QAccessible::Role> kNamedRoles{
    QAccessible::PushButton, QAccessible::EditableText, QAccessible::CheckBox, QAccessible::RadioButton,
    QAccessible::ComboBox,   QAccessible::List,         QAccessible::PageTab,  QAccessible::Table};

// Every control of those roles in the tree below `node` that has no name, hidden ones too
// (the progeny grids show after a sire search). The cells of a list or table are not
// walked: they are read with the name of their list or table.
void collectNameless(QAccessibleInterface* node, const QString& path, QStringList& nameless) {
    const QAccessible::Role role = node->role();
    const QString name = node->object() ? node->object()->objectName() : QString();
    const QString where = path.isEmpty() ? name : path + " > " + name;
    if (kNamedRoles.contains(role) && node->text(QAccessible::Name).trimmed().isEmpty())
        nameless << where + QString(" (role 0x%1)").arg(role, 0, 16);
    if (role == QAccessible::Table || role == QAccessible::List) return;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* child = node->child(i)) collectNameless(child, where, nameless);
}

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasANameAndTheGridsAnswerCellsAndCaptions) {
    ASSERT_NO_FATAL_FAILURE(openEveryWindow());
    const auto shown = windows();
    QStringList names;
    for (QWidget* each : shown) names << each->objectName();
    ASSERT_EQ(shown.size(), 13u) << "the main window and the twelve small windows: " << names.join(' ').toStdString();
    for (QWidget* each : shown) {
        QStringList nameless;
        collectNameless(QAccessible::queryAccessibleInterface(each), QString(), nameless);
        EXPECT_TRUE(nameless.isEmpty()) << nameless.join('\n').toStdString();
    }

    const auto spoken = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).toStdString();
    };
    EXPECT_EQ(spoken(view->findChild<QLineEdit*>("txthorse")), "Name:");
    EXPECT_EQ(spoken(view->grid("MSFWGrid")), "Max Speed And W-P-S");
    EXPECT_EQ(spoken(view->findChild<lineage::LineageWindow*>()->findChild<base::GridView*>()), "Pedigree");

    // The results grid: a run's cells, its captions in the header.
    QAccessibleTableInterface* results = table(view->grid("MSFlexGrid1"));
    EXPECT_EQ(results->cellAt(0, 0)->text(QAccessible::Name), "Black Dasher");
    EXPECT_EQ(results->cellAt(0, 2)->text(QAccessible::Name), "312.3006");
    EXPECT_EQ(results->columnDescription(0), "Name");
    // A statistics grid shows its captions as cells; they still name its columns and rows.
    QAccessibleTableInterface* stats = table(view->grid("MSFWGrid"));
    EXPECT_EQ(stats->cellAt(0, 1)->text(QAccessible::Name), "4-5");
    EXPECT_EQ(stats->columnDescription(9), "Max");
    EXPECT_EQ(stats->rowDescription(2), "T");
    QAccessibleInterface* headers = stats->cellAt(1, 9)->tableCellInterface()->columnHeaderCells().value(0);
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->text(QAccessible::Name), "Max");
}

}  // namespace
