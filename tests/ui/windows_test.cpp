// The main window, its menus and the list controls, as screens use them.
#include "harness.h"

#include "platform/cp1252.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

using harness::ScreenTest;

class Main : public ui::MdiForm {
public:
    ui::MenuItem Fichier{*this, "&Fichier"};
    ui::MenuArray quitter{Fichier};
    ui::MenuItem gestionnaire{*this, "&Gestionnaire"};
    ui::MenuArray gestion{gestionnaire};
    ui::MenuItem total{*this, ""};
    std::vector<std::string> chosen;
    Main() {
        quitter.add(0, "&Quitter");
        quitter.add(1, "-");
        gestion.add(0, "&Inscrire");
        ui::MenuItem& lecons = gestion.add(6, cp("Modifier des &leçons"));
        lessons = std::make_unique<ui::MenuItem>(lecons, "Les ensembles", 0);
        quitter.setClick([this](int i) { chosen.push_back("quitter " + std::to_string(i)); });
        gestion.setClick([this](int i) { chosen.push_back("gestion " + std::to_string(i)); });
        lessons->Click = [this](int i) { chosen.push_back("exercice " + std::to_string(i)); };
        total.setVisible(false);
    }
    std::unique_ptr<ui::MenuItem> lessons;
};

class Child : public ui::Form {
public:
    ui::ListBox Liste1{*this};
    ui::ComboBox Liste2{*this, ui::vbComboSimple};
    std::vector<std::string> events;
    Child() {
        setMdiChild(true);
        setBorderStyle(ui::vbFixedSingle);
        setControlBox(false);
        setCaption("Enfant");
        moveForm(600, 600, 6000, 4500);
        Liste1.move(100, 100, 3000, 2000);
        Liste2.move(3300, 100, 2400, 3000);
        Liste1.Click = [this](int) {
            events.push_back("list " + std::to_string(Liste1.listIndex()));
        };
        Liste2.Click = [this](int) { events.push_back("combo " + Liste2.text()); };
    }
};

class WindowsTest : public ScreenTest {};

TEST_F(WindowsTest, MenusFireTheirIndexedHandlersAndOpeningASubmenuIsAnEvent) {
    Main& m = ui::load<Main>();
    choose(m.quitter[0]);
    emit m.gestion[6].submenu()->aboutToShow();
    choose(*m.lessons);
    m.gestion[0].setEnabled(false);
    m.gestion[0].trigger(); // a disabled item does nothing
    EXPECT_EQ(m.chosen, (std::vector<std::string>{"quitter 0", "gestion 6", "exercice 0"}));
    EXPECT_TRUE(m.quitter[1].action()->isSeparator());
    EXPECT_TRUE(m.quitter[1].action()->text().isEmpty()) << "no dash beside the separator line";
    const std::string caption = std::string(75, ' ') + cp("Total : 3 leçons");
    m.total.setCaption(caption);
    EXPECT_EQ(m.total.caption(), caption) << "leading blanks are kept";
}

TEST_F(WindowsTest, ChildrenShowTheMainWindowAndALoneChildTilesToTheTopLeft) {
    ui::setMdiParentLoader([] { ui::load<Main>(); });
    Child& c = ui::load<Child>();
    Main* m = ui::find<Main>();
    ASSERT_NE(m, nullptr) << "showing a child loads the main window";
    EXPECT_TRUE(m->shown());
    ASSERT_NE(dynamic_cast<QMdiSubWindow*>(c.window()), nullptr);
    EXPECT_EQ(c.window()->size(), QSize(400, 300));
    m->arrange(1);
    EXPECT_EQ(c.window()->pos(), QPoint(0, 0));
    EXPECT_EQ(c.window()->size(), QSize(400, 300)) << "tiling never stretches a screen";
    // Unloading the main window takes its children with it.
    ui::unloadForm(m);
    EXPECT_EQ(ui::find<Child>(), nullptr);
    ui::setMdiParentLoader({});
}

TEST_F(WindowsTest, SortedMultipleChoiceListAndSimpleCombo) {
    Child& c = ui::load<Child>();
    c.show();
    c.Liste1.setSorted(true);
    for (const char* name : {"MARTIN Zoé", "DURAND Léo", "BERNARD Ana"}) c.Liste1.addItem(cp(name));
    EXPECT_EQ(u8(c.Liste1.list(0)), "BERNARD Ana");
    EXPECT_EQ(u8(c.Liste1.list(2)), "MARTIN Zoé");
    c.Liste1.setMultiSelect(1);
    c.Liste1.setSelected(0, true);
    c.Liste1.setSelected(2, true);
    EXPECT_EQ(c.Liste1.selCount(), 2);
    EXPECT_TRUE(c.events.empty()) << "choosing lines from code is silent";
    for (const char* s : {" 1", " 2", " 3"}) c.Liste2.addItem(s);
    focus(c.Liste2);
    key(c.Liste2, Qt::Key_Down);
    key(c.Liste2, Qt::Key_Down);
    key(c.Liste2, Qt::Key_Up);
    EXPECT_EQ(c.events, (std::vector<std::string>{"combo  1", "combo  2", "combo  1"}));
    EXPECT_EQ(c.Liste2.listIndex(), 0);
}

TEST_F(WindowsTest, ComboFieldAndListTakeAFontSetLater) {
    Child& c = ui::load<Child>();
    c.show();
    c.Liste2.addItem("1");
    c.Liste2.setFont(ui::arial(16.8, false));
    const int pixels = ui::qfont(ui::arial(16.8, false)).pixelSize();
    EXPECT_EQ(c.Liste2.editField()->font().pixelSize(), pixels);
    const auto* list = c.Liste2.widget()->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->font().pixelSize(), pixels) << "the open list shows its lines in that font";
}

} // namespace
