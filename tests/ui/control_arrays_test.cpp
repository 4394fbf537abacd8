// Control arrays that cannot be misused: only a load makes an element at run time, reading one
// that is not there is reported (a debug build stops, a release build logs it and the call
// changes nothing), and taking elements away is safe whatever the array holds.
#include "harness.h"

#include <QtGlobal>
#include <functional>
#include <string>

namespace {

using harness::ScreenTest;

struct Sheet : ui::Form {
    ui::Frame Cadre1{*this};
    ui::ControlArray<ui::Label> Etiquette1{*this};
    ui::ControlArray<ui::TextBox> Texte1{*this};
    ui::ControlArray<ui::Label> Vide{*this};
    Sheet() {
        moveForm(0, 0, 6000, 4500);
        Cadre1.move(0, 2000, 3000, 2000);
        Etiquette1.add(0).move(120, 120, 900, 300);
        Etiquette1[0].setCaption("zero");
        Etiquette1.add(2, Cadre1).setCaption("deux");
        Texte1.add(0, *this, true);
    }
};

// What the log says while a test lets misuses through.
std::vector<std::string>* logged = nullptr;
void keepCritical(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg && logged) logged->push_back(message.toStdString());
}

class ControlArrays : public ScreenTest {
protected:
    void TearDown() override {
        ui::setMisuseStops(defaultStops());
        ScreenTest::TearDown();
    }
    static bool defaultStops() {
#ifdef NDEBUG
        return false;
#else
        return true;
#endif
    }
};

TEST_F(ControlArrays, OneAddPutsElementsWhereItsArgumentsSay) {
    Sheet& f = ui::load<Sheet>();
    EXPECT_EQ(&f.Etiquette1[0].container(), &f);
    EXPECT_EQ(&f.Etiquette1[2].container(), &f.Cadre1);
    EXPECT_EQ(f.Etiquette1[2].index(), 2);
    EXPECT_TRUE(f.Texte1[0].multiLine());
    EXPECT_FALSE(f.Etiquette1.exists(1));
    EXPECT_EQ(f.Etiquette1.count(), 2);
}

// Each misuse, as a screen could write it, and what the report says.
struct Misuse {
    const char* name;
    std::function<void(Sheet&)> act;
    const char* report;
};

const Misuse kMisuses[] = {
    {"a read between two elements", [](Sheet& f) { f.Etiquette1[1].setCaption("un"); },
     "element 1 of a control array read but never loaded"},
    {"a read past the last element", [](Sheet& f) { f.Etiquette1[3].setVisible(true); },
     "element 3 of a control array read but never loaded"},
    {"a read of an empty array", [](Sheet& f) { f.Vide[0].setCaption("rien"); },
     "element 0 of a control array read but never loaded"},
    {"a read of an element taken away",
     [](Sheet& f) {
         f.Etiquette1.load(5);
         f.Etiquette1.unload(5);
         f.Etiquette1[5].setVisible(true);
     },
     "element 5 of a control array read but never loaded"},
    {"an element added twice", [](Sheet& f) { f.Etiquette1.add(0).setCaption("encore"); },
     "element 0 of a control array added twice"},
};

TEST_F(ControlArrays, AMisuseStopsADebugBuild) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const Misuse& m : kMisuses) {
        SCOPED_TRACE(m.name);
        Sheet& f = ui::load<Sheet>();
        EXPECT_DEBUG_DEATH(m.act(f), m.report);
        ui::unloadAllForms();
    }
}

TEST_F(ControlArrays, AMisuseLetThroughIsLoggedAndChangesNothingTheUserSees) {
    ui::setMisuseStops(false);
    std::vector<std::string> messages;
    logged = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(keepCritical);
    for (const Misuse& m : kMisuses) {
        SCOPED_TRACE(m.name);
        messages.clear();
        Sheet& f = ui::load<Sheet>();
        f.show();
        pump();
        const QImage before = grab(f);
        m.act(f);
        pump();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(m.report), std::string::npos) << messages[0];
        EXPECT_EQ(f.Etiquette1.count(), 2) << "nothing was made";
        EXPECT_TRUE(f.Etiquette1.exists(0) && f.Etiquette1.exists(2));
        EXPECT_EQ(f.Etiquette1[0].caption(), "zero");
        EXPECT_EQ(f.Vide.count(), 0);
        EXPECT_TRUE(grab(f) == before) << "the screen changed";
        ui::unloadAllForms();
    }
    qInstallMessageHandler(previous);
    logged = nullptr;
}

TEST_F(ControlArrays, OnlyALoadMakesAnElementAndUnloadIsSafeOnAnyArray) {
    Sheet& f = ui::load<Sheet>();
    f.Vide.unload(0); // empty: nothing to take away
    EXPECT_EQ(f.Vide.count(), 0);
    f.Etiquette1.unload(7); // not there
    EXPECT_EQ(f.Etiquette1.count(), 2);

    ui::Label& copy = f.Etiquette1.load(4);
    EXPECT_EQ(&f.Etiquette1.load(4), &copy) << "a second load gives the same element";
    EXPECT_FALSE(copy.visible());
    EXPECT_EQ(f.Etiquette1.ubound(), 4);
    f.Etiquette1.unload(4);
    EXPECT_FALSE(f.Etiquette1.exists(4));
    EXPECT_EQ(f.Etiquette1.ubound(), 2);

    // The last element stays as the model of later loads.
    f.Etiquette1.unload(0);
    f.Etiquette1.unload(2);
    ASSERT_EQ(f.Etiquette1.count(), 1);
    EXPECT_EQ(f.Etiquette1[2].caption(), "deux");
    EXPECT_EQ(&f.Etiquette1.load(6).container(), &f.Cadre1) << "cloned from the one left";

    // An empty array's first load makes a plain element in the array's container.
    ui::Label& first = f.Vide.load(3);
    EXPECT_EQ(&first.container(), &f);
    EXPECT_EQ(f.Vide.lbound(), 3);
}

} // namespace

namespace {

struct Buttons : ui::Form {
    ui::ControlArray<ui::CommandButton> Bouton1{*this};
    Buttons() {
        moveForm(0, 0, 6000, 4500);
        Bouton1.add(0).move(120, 120, 1200, 400);
        Bouton1.add(1).move(120, 700, 1200, 400);
    }
};

// The events an element's own handler may try to take it away from.
struct OwnEvent {
    const char* name;
    std::function<void(Buttons&)> unloadFromIt;
};
const OwnEvent kOwnEvents[] = {
    {"Click", [](Buttons& f) { f.Bouton1[1].Click = [&f](int i) { f.Bouton1.unload(i); }; }},
    {"MouseDown",
     [](Buttons& f) {
         f.Bouton1[1].MouseDown = [&f](int i, int, int, float, float) { f.Bouton1.unload(i); };
     }},
    {"MouseUp",
     [](Buttons& f) {
         f.Bouton1[1].MouseUp = [&f](int i, int, int, float, float) { f.Bouton1.unload(i); };
     }},
};

TEST_F(ControlArrays, AnElementIsNeverTakenAwayByItsOwnEvent) {
    ui::setMisuseStops(false);
    std::vector<std::string> messages;
    logged = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(keepCritical);
    for (const OwnEvent& e : kOwnEvents) {
        SCOPED_TRACE(e.name);
        messages.clear();
        Buttons& f = ui::load<Buttons>();
        f.show();
        pump();
        e.unloadFromIt(f);
        click(f.Bouton1[1]);
        pump();
        // The button whose press is being delivered stays, and the misuse is told.
        ASSERT_TRUE(f.Bouton1.exists(1));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("element 1 of a control array unloaded by its own event"),
                  std::string::npos)
            << messages[0];
        // From another element's event it goes as asked.
        f.Bouton1[0].Click = [&f](int) { f.Bouton1.unload(1); };
        click(f.Bouton1[0]);
        EXPECT_FALSE(f.Bouton1.exists(1));
        ui::unloadAllForms();
        pump();
    }
    qInstallMessageHandler(previous);
    logged = nullptr;
}

TEST_F(ControlArrays, AnElementUnloadedByItsOwnEventStopsADebugBuild) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Buttons& f = ui::load<Buttons>();
    f.show();
    pump();
    kOwnEvents[0].unloadFromIt(f);
    EXPECT_DEBUG_DEATH(click(f.Bouton1[1]), "unloaded by its own event");
}

} // namespace
