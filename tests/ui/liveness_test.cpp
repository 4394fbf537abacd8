// What the runtime holds on to across events (the control that got a press, the control with the
// focus, a screen whose window was closed) is found gone once it is destroyed, even when a new
// control or screen has taken its very address meanwhile.
#include "harness.h"

#include <QApplication>
#include <QCloseEvent>
#include <new>
#include <string>
#include <vector>

namespace {

using harness::ScreenTest;

// Hands out the same few addresses again and again, as a busy heap may: what is made after
// something was destroyed takes its place.
template <class T, int N> struct SameAddresses {
    alignas(T) static inline unsigned char places[N][sizeof(T)];
    static inline bool used[N] = {};
    static void* take() {
        for (int i = 0; i < N; ++i)
            if (!used[i]) {
                used[i] = true;
                return places[i];
            }
        throw std::bad_alloc();
    }
    static void give(void* p) {
        for (int i = 0; i < N; ++i)
            if (p == places[i]) used[i] = false;
    }
};

struct ReusedLabel : ui::Label {
    using ui::Label::Label;
    static void* operator new(std::size_t) { return SameAddresses<ReusedLabel, 3>::take(); }
    static void operator delete(void* p) { SameAddresses<ReusedLabel, 3>::give(p); }
};

struct ReusedText : ui::TextBox {
    using ui::TextBox::TextBox;
    static void* operator new(std::size_t) { return SameAddresses<ReusedText, 3>::take(); }
    static void operator delete(void* p) { SameAddresses<ReusedText, 3>::give(p); }
};

std::vector<std::string> events;

struct Sheet : ui::Form {
    ui::ControlArray<ReusedLabel> Etiquette1{*this};
    ui::ControlArray<ReusedText> Texte1{*this};
    ui::TextBox Autre{*this};
    Sheet() {
        moveForm(0, 0, 6000, 4500);
        ReusedLabel& l = Etiquette1.add(0);
        l.move(120, 120, 1500, 400);
        l.setCaption("zero");
        l.MouseUp = [](int i, int, int, float, float) {
            events.push_back("up " + std::to_string(i));
        };
        l.Click = [](int i) { events.push_back("click " + std::to_string(i)); };
        Texte1.add(0).move(120, 1200, 2000, 360);
        Texte1[0].GotFocus = [](int i) { events.push_back("got " + std::to_string(i)); };
        Texte1[0].LostFocus = [](int i) { events.push_back("lost " + std::to_string(i)); };
        Autre.move(120, 2400, 2000, 360);
    }
    // Element 1, shown below element 0.
    template <class T> static T& second(ui::ControlArray<T>& array) {
        T& c = array.load(1);
        c.setTop(c.top() + 500);
        c.setVisible(true);
        return c;
    }
};

class Liveness : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        events.clear();
    }
};

TEST_F(Liveness, AReleaseNeverReachesTheControlThatTookThePressedOnesAddress) {
    Sheet& f = ui::load<Sheet>();
    f.show();
    ReusedLabel* pressed = &Sheet::second(f.Etiquette1);
    press(*pressed);
    f.Etiquette1.unload(1);
    ReusedLabel& again = Sheet::second(f.Etiquette1);
    ASSERT_EQ(&again, pressed) << "the new element took the old one's address";
    release(again);
    EXPECT_TRUE(events.empty()) << events.front();
    click(again);
    EXPECT_EQ(events, (std::vector<std::string>{"up 1", "click 1"})) << "the new one works";
}

TEST_F(Liveness, NoLostFocusForTheControlThatTookTheFocusedOnesAddress) {
    Sheet& f = ui::load<Sheet>();
    f.show();
    ReusedText* focused = &Sheet::second(f.Texte1);
    focus(*focused);
    ASSERT_EQ(events, std::vector<std::string>{"got 1"});
    events.clear();
    f.Texte1.unload(1);
    ReusedText& again = Sheet::second(f.Texte1);
    ASSERT_EQ(&again, focused);
    focus(f.Autre);
    EXPECT_TRUE(events.empty()) << events.front();
}

struct Reused : ui::Form {
    static inline std::vector<int> queried;
    Reused() { moveForm(0, 0, 3000, 2000); }
    void Form_QueryUnload(int&, int mode) override { queried.push_back(mode); }
    static void* operator new(std::size_t) { return SameAddresses<Reused, 1>::take(); }
    static void operator delete(void* p) { SameAddresses<Reused, 1>::give(p); }
};

TEST_F(Liveness, AClosedWindowNeverUnloadsTheScreenThatTookItsScreensAddress) {
    Reused::queried.clear();
    Reused& first = ui::load<Reused>();
    first.show();
    const ui::Weak<ui::Form> handle(&first);
    QCloseEvent close;
    QApplication::sendEvent(first.window(), &close); // the unload it asks for comes later
    ui::unloadAllForms();
    EXPECT_FALSE(handle);
    Reused& second = ui::load<Reused>();
    ASSERT_EQ(&second, &first);
    EXPECT_FALSE(handle) << "a handle never passes for a new screen at the same address";
    EXPECT_EQ(handle.get(), nullptr);
    pump();
    EXPECT_EQ(ui::find<Reused>(), &second);
    EXPECT_TRUE(Reused::queried.empty()) << "asked to unload with mode " << Reused::queried[0];
}

struct Self : ui::Form {
    ui::CommandButton Commande1{*this};
    static inline bool wholeAfterYield = false;
    static inline bool loadedAfterYield = true;
    Self() {
        Commande1.move(0, 0, 1200, 400);
        Commande1.Click = [this](int) {
            const ui::Weak<Self> self(this);
            ui::unloadForm(this);
            ui::yield();
            wholeAfterYield = bool(self);
            loadedAfterYield = ui::isLoaded(this);
            Commande1.setCaption("encore là");
        };
    }
};

TEST_F(Liveness, AScreenUnloadedByItsOwnHandlerLivesUntilTheHandlerReturns) {
    Self& f = ui::load<Self>();
    f.show();
    const ui::Weak<Self> handle(&f);
    click(f.Commande1);
    EXPECT_TRUE(Self::wholeAfterYield);
    EXPECT_FALSE(Self::loadedAfterYield);
    EXPECT_FALSE(handle) << "destroyed once the handler returned";
    EXPECT_EQ(ui::find<Self>(), nullptr);
}

} // namespace
