#include "ui/form.h"

#include "ui/controls.h"
#include "ui/runtime.h"
#include "ui/runtime_internal.h"
#include "ui/system_scale.h"
#include "ui/text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace ui {

// The forms of the program, which it owns: the loaded ones by type, in load order, and the
// unloaded ones that wait for the last of their handlers to return before they are destroyed.
class FormRegistry {
public:
    // Never destroyed: no form may outlive the application's widgets at exit.
    static FormRegistry& get() {
        static FormRegistry* const registry = new FormRegistry;
        return *registry;
    }

    Form* find(std::type_index type) const {
        for (const Entry& e : loaded_)
            if (e.type == type) return e.form.get();
        return nullptr;
    }
    bool isLoaded(const Form* f) const {
        return std::any_of(loaded_.begin(), loaded_.end(),
                           [f](const Entry& e) { return e.form.get() == f; });
    }
    std::vector<Form*> loaded() const {
        std::vector<Form*> out;
        for (const Entry& e : loaded_) out.push_back(e.form.get());
        return out;
    }
    bool empty() const { return loaded_.empty(); }
    void add(std::type_index type, std::unique_ptr<Form> f) {
        f->loaded_ = true;
        loaded_.push_back(Entry{type, std::move(f)});
    }
    // The form goes to the unloaded ones.
    void forget(Form* f) {
        const auto it = std::find_if(loaded_.begin(), loaded_.end(),
                                     [f](const Entry& e) { return e.form.get() == f; });
        if (it == loaded_.end()) return;
        std::unique_ptr<Form> owned = std::move(it->form);
        loaded_.erase(it);
        owned->loaded_ = false;
        owned->doomed_ = true;
        unloaded_.push_back(std::move(owned));
        sweepSoon();
    }
    // Every form goes to the unloaded ones; those that run no handler are destroyed at once.
    void forgetAll() {
        std::vector<Form*> forms = loaded();
        // Children before the main window, so that no sub-window outlives its area.
        std::stable_partition(forms.begin(), forms.end(), notMainWindow);
        for (Form* f : forms) {
            forget(f);
            stopFormTimers(f);
            f->detachWindow();
        }
        sweep();
    }
    // Destroys the unloaded forms once the event loop is back, unless a handler of theirs still
    // runs (the end of that handler asks again).
    void sweepSoon() {
        if (sweepPosted_ || !qApp) return;
        sweepPosted_ = true;
        QMetaObject::invokeMethod(
            qApp,
            [] {
                FormRegistry& r = get();
                r.sweepPosted_ = false;
                r.sweep();
            },
            Qt::QueuedConnection);
    }
    void sweep() {
        std::vector<std::unique_ptr<Form>> ready;
        for (auto& f : unloaded_)
            if (f->busy_ == 0) ready.push_back(std::move(f));
        std::erase(unloaded_, nullptr);
        std::stable_partition(ready.begin(), ready.end(),
                              [](const auto& f) { return notMainWindow(f.get()); });
        for (auto& f : ready) f.reset();
    }

private:
    static bool notMainWindow(const Form* f) { return dynamic_cast<const MdiForm*>(f) == nullptr; }
    struct Entry {
        std::type_index type;
        std::unique_ptr<Form> form;
    };
    std::vector<Entry> loaded_;
    std::vector<std::unique_ptr<Form>> unloaded_;
    bool sweepPosted_ = false;
};

namespace {

std::function<void()>& mdiLoader() {
    static std::function<void()> loader;
    return loader;
}

Control* controlOf(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* side = dynamic_cast<ControlSide*>(w)) return &side->control();
    return nullptr;
}

// The control that has the focus and takes focus events (screens and picture boxes take none).
Control* focusedControl() {
    Control* c = controlOf(QApplication::focusWidget());
    if (dynamic_cast<Form*>(c) || dynamic_cast<PictureBox*>(c)) return nullptr;
    return c;
}

// Focus events run after Qt has moved the focus, lost focus first: a handler may move the
// focus back or show a message box without the two events chasing each other.
class FocusTracker : public QObject {
public:
    FocusTracker() {
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget*) { schedule(); });
    }
    void schedule() {
        if (pending_) return;
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
            pending_ = false;
            sync();
        });
    }
    void sync() {
        for (int guard = 0; guard < 8; ++guard) {
            Control* target = focusedControl();
            const Weak<Control> old = current_;
            if (target == old.get()) return;
            current_ = {};
            if (old) old->fireIndex(old->LostFocus);
            Control* now = focusedControl();
            if (now && now == old.get()) {
                current_ = old; // moved back during LostFocus: it never lost it
                return;
            }
            current_ = now;
            if (now) now->fireIndex(now->GotFocus);
        }
    }

private:
    Weak<Control> current_;
    bool pending_ = false;
};

void ensureFocusTracker() {
    static FocusTracker* tracker = nullptr;
    if (!tracker && qApp) tracker = new FocusTracker;
}

// The windowed controls of a screen, those inside its frames and picture boxes included (not the
// containers themselves), in their tab order.
std::vector<Control*> controlsInTabOrder(Container& form) {
    std::vector<Control*> order;
    std::vector<Container*> stack{&form};
    while (!stack.empty()) {
        Container* c = stack.back();
        stack.pop_back();
        for (Control* child : c->children()) {
            if (child->widget() && !dynamic_cast<Container*>(child)) order.push_back(child);
            if (auto* inner = dynamic_cast<Container*>(child)) stack.push_back(inner);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

// The widget that takes the focus for a control: a combo box's edit field.
QWidget* focusWidgetOf(Control* c) {
    if (auto* combo = dynamic_cast<ComboBox*>(c)) return combo->editField();
    return c->widget();
}

// A screen shown for the first time gives the focus to its first control in the tab order that
// can take it, unless its load already put the focus somewhere in it.
void focusFirstTabStop(Form& f) {
    QWidget* win = f.window();
    if (!win) return;
    // The screen's own surface takes the focus as its window opens: that is no choice.
    const auto chose = [&](QWidget* w) {
        return w && w != win && w != f.containerWidget() && win->isAncestorOf(w);
    };
    if (chose(QApplication::focusWidget()) || chose(win->focusWidget())) return;
    const std::vector<Control*> order = controlsInTabOrder(f);
    for (Control* c : order) {
        QWidget* w = focusWidgetOf(c);
        if (!c->tabStop() || !w->isVisibleTo(win) || !w->isEnabled()) continue;
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

// The main window's working area: the screens' 4:3 area in its middle, the margins around it in
// the area's own colour. Sub-windows are placed inside that area, so their positions are as the
// screens give them.
class CentredArea : public QMdiArea {
public:
    explicit CentredArea(QWidget* parent) : QMdiArea(parent) { setAutoFillBackground(true); }
    void setSurround(const QColor& c) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, c);
        setPalette(pal);
        setBackground(QBrush(c));
    }
    void centre() {
        const QRect inner = screenArea(size());
        setViewportMargins(inner.left(), inner.top(), width() - inner.right() - 1,
                           height() - inner.bottom() - 1);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        centre();
        QMdiArea::resizeEvent(event);
    }
};

// Closing a window from its frame asks the form, which may refuse.
class CloseFilter : public QObject {
public:
    explicit CloseFilter(Form& f) : f_(f) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close) {
            e->ignore();
            QTimer::singleShot(0, qApp, [form = Weak<Form>(&f_)] {
                if (Form* f = form.get(); f && isLoaded(f)) unloadForm(f, vbFormControlMenu);
            });
            return true;
        }
        if (e->type() == QEvent::WindowActivate && !f_.mdiChild()) f_.activated();
        return false;
    }

private:
    Form& f_;
};

} // namespace

// ---------------------------------------------------------------------------------------------

HandlerGuard::HandlerGuard(Form* form) : form_(form) {
    if (form_) ++form_->busy_;
}

HandlerGuard::~HandlerGuard() {
    if (!form_) return;
    if (--form_->busy_ == 0 && form_->doomed_) FormRegistry::get().sweepSoon();
}

void dispatch(Form* form, const std::function<void()>& f) {
    HandlerGuard guard(form);
    if (form && form->doomed_ && form->busy_ == 1) {
        // An unloaded form receives no new events.
        return;
    }
    f();
}

Form* findForm(std::type_index type) {
    return FormRegistry::get().find(type);
}

void loadForm(std::type_index type, std::unique_ptr<Form> form) {
    ensureFocusTracker();
    Form* f = form.get();
    FormRegistry::get().add(type, std::move(form));
    {
        HandlerGuard guard(f);
        f->Form_Load();
    }
    if (!f->loaded()) return;
    startFormTimers(f);
    if (f->mdiChild() && !f->shown() && f->visible()) f->show();
}

bool unloadForm(Form* f, int mode) {
    if (!f || !f->loaded()) return true;
    HandlerGuard guard(f);
    int cancel = 0;
    f->Form_QueryUnload(cancel, mode);
    if (cancel) return false;
    if (auto* m = dynamic_cast<MdiForm*>(f)) {
        for (Form* child : m->children())
            if (!unloadForm(child, vbFormMDIForm)) return false;
    }
    if (!f->loaded()) return true;
    f->Form_Unload(cancel);
    if (cancel) return false;
    if (!f->loaded()) return true;
    FormRegistry& registry = FormRegistry::get();
    registry.forget(f);
    stopFormTimers(f);
    f->detachWindow();
    if (registry.empty()) noFormsLeft();
    return true;
}

bool isLoaded(const Form* form) {
    return FormRegistry::get().isLoaded(form);
}

std::vector<Form*> loadedForms() {
    return FormRegistry::get().loaded();
}

void unloadAllForms() {
    FormRegistry::get().forgetAll();
}

// ---------------------------------------------------------------------------------------------
// Form

Form::Form() : Container(nullptr, true) {
    ensureFocusTracker();
    init(new ContainerWidget(*this, nullptr));
    client_->hide();
    rect_ = QRectF(0, 0, 4800, 3600);
    back_ = kButtonFace;
    closeFilter_ = new CloseFilter(*this);
    Click = [this](int) { Form_Click(); };
    DblClick = [this](int) { Form_DblClick(); };
    MouseDown = [this](int, int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    MouseUp = [this](int, int b, int s, float x, float y) { Form_MouseUp(b, s, x, y); };
    MouseMove = [this](int, int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    KeyDown = [this](int, int& k, int s) { Form_KeyDown(k, s); };
    KeyPress = [this](int, int& k) { Form_KeyPress(k); };
    Paint = [this](int) { Form_Paint(); };
    applyGeometry();
}

Form::~Form() {
    delete closeFilter_;
    if (top_ && top_ != client_ && !dynamic_cast<MdiForm*>(this)) {
        // The stage of a maximised screen goes with it; the screen itself is deleted as usual.
        QWidget* stage = top_;
        top_ = nullptr;
        client_->setParent(nullptr);
        delete stage;
    }
    if (sub_) {
        // The sub-window owns the client now; deleting it takes the whole screen away.
        QMdiSubWindow* s = sub_;
        sub_ = nullptr;
        if (QMdiArea* a = s->mdiArea()) a->removeSubWindow(s);
        delete s;
    }
}

void Form::setCaption(const std::string& c) {
    caption_ = c;
    if (QWidget* w = window()) w->setWindowTitle(qs(c));
}

void Form::setBorderStyle(int s) {
    borderStyle_ = s;
}
void Form::setControlBox(bool b) {
    controlBox_ = b;
}

void Form::setWindowState(int s) {
    windowState_ = s;
    if (shown()) applyGeometry();
}

void Form::moveForm(double left, double top) {
    moveForm(left, top, rect_.width(), rect_.height());
}

void Form::moveForm(double left, double top, double width, double height) {
    rect_ = QRectF(left, top, width, height);
    applyGeometry();
}

QSize Form::estimatedInner() const {
    const QRect r = pixelRect();
    const bool framed = mdiChild_ && borderStyle_ != vbBSNone && (!caption_.empty() || controlBox_);
    if (!framed) return r.size();
    QStyle* st = QApplication::style();
    const int frame = st->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int title = st->pixelMetric(QStyle::PM_TitleBarHeight);
    return QSize(std::max(1, r.width() - 2 * frame), std::max(1, r.height() - title - frame));
}

void Form::applyGeometry() {
    const QRect r = pixelRect();
    if (sub_) {
        sub_->setGeometry(r);
        if (borderStyle_ != vbSizable) sub_->setFixedSize(r.size());
        client_->resize(estimatedInner());
    } else if (top_) {
        if (windowState_ == vbMaximized) {
            if (QScreen* s = QGuiApplication::primaryScreen())
                top_->setGeometry(s->availableGeometry());
            if (top_ != client_ && top_->isVisible())
                client_->setGeometry(screenArea(top_->size()));
        } else {
            top_->setGeometry(r);
        }
    } else if (client_) {
        client_->resize(estimatedInner());
    }
}

void Form::attachWindow() {
    if (sub_ || top_) return;
    if (auto* m = dynamic_cast<MdiForm*>(this)) {
        // The main window is its own top-level window; its client only holds picture stores.
        top_ = m->mainWindow();
        top_->setWindowTitle(qs(caption_));
        applyIcon();
        applyGeometry();
        return;
    }
    if (mdiChild_) {
        MdiForm* m = mdiParent();
        if (!m && mdiLoader()) {
            mdiLoader()();
            m = mdiParent();
        }
        if (m && m != this) {
            sub_ = new QMdiSubWindow;
            sub_->setAttribute(Qt::WA_DeleteOnClose, false);
            sub_->setWidget(client_);
            Qt::WindowFlags flags = Qt::SubWindow;
            if (borderStyle_ == vbBSNone || (caption_.empty() && !controlBox_)) {
                flags |= Qt::FramelessWindowHint;
            } else {
                flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
                if (controlBox_) {
                    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
                    if (borderStyle_ == vbSizable && minButton_)
                        flags |= Qt::WindowMinimizeButtonHint;
                    if (borderStyle_ == vbSizable && maxButton_)
                        flags |= Qt::WindowMaximizeButtonHint;
                }
            }
            sub_->setWindowFlags(flags);
            sub_->setWindowTitle(qs(caption_));
            sub_->installEventFilter(closeFilter_);
            m->area()->addSubWindow(sub_);
            client_->show();
            applyIcon();
            applyGeometry();
            return;
        }
    }
    top_ = windowState_ == vbMaximized ? makeStage(client_, [this] { return qcolour(back_); })
                                       : client_;
    Qt::WindowFlags flags = Qt::Window;
    if (borderStyle_ == vbBSNone)
        flags |= Qt::FramelessWindowHint;
    else if (!controlBox_)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    top_->setWindowFlags(flags);
    top_->setWindowTitle(qs(caption_));
    top_->installEventFilter(closeFilter_);
    applyIcon();
    applyGeometry();
}

void Form::setIcon(const Picture& p) {
    icon_ = p;
    applyIcon();
}

void Form::applyIcon() {
    QWidget* w = window();
    if (!w || icon_.isNull()) return;
    QIcon icon;
    for (int side : {16, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        icon_.draw(painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    w->setWindowIcon(icon);
}

void Form::detachWindow() {
    if (sub_) sub_->hide();
    if (top_) top_->hide();
    if (client_ && !sub_ && !top_) client_->hide();
    visible_ = false;
}

QWidget* Form::window() const {
    if (sub_) return sub_;
    if (top_) return top_;
    return nullptr;
}

bool Form::shown() const {
    QWidget* w = window();
    return w && w->isVisible();
}

void Form::show() {
    if (doomed_) return;
    followScreenSize();
    attachWindow();
    const bool first = !everShown_;
    visible_ = true;
    everShown_ = true;
    applyTabOrder();
    if (sub_) {
        MdiForm* m = mdiParent();
        if (m && !m->shown()) m->show();
        client_->show();
        sub_->show();
        if (m) m->area()->setActiveSubWindow(sub_);
    } else if (top_) {
        if (windowState_ == vbMaximized) top_->showMaximized();
        applyGeometry();
        top_->show();
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) top_->raise();
        top_->activateWindow();
    }
    if (first) focusFirstTabStop(*this);
}

void Form::hide() {
    if (QWidget* w = window()) w->hide();
    visible_ = false;
}

void Form::setVisible(bool v) {
    if (v)
        show();
    else
        hide();
}

void Form::refresh() {
    if (client_) client_->repaint();
}

QSize Form::innerPixelSize() const {
    if (!client_) return QSize();
    if (sub_ || top_) return client_->size();
    return estimatedInner();
}

CommandButton* Form::defaultButton() const {
    for (CommandButton* b : buttons_)
        if (b->isDefault()) return b;
    return nullptr;
}

CommandButton* Form::cancelButton() const {
    for (CommandButton* b : buttons_)
        if (b->isCancel()) return b;
    return nullptr;
}

void Form::registerButton(CommandButton* b, bool add) {
    if (add)
        buttons_.push_back(b);
    else
        std::erase(buttons_, b);
}

void Form::applyTabOrder() {
    const std::vector<Control*> order = controlsInTabOrder(*this);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget* a = focusWidgetOf(order[i - 1]);
        QWidget* b = focusWidgetOf(order[i]);
        if (a->window() == b->window()) QWidget::setTabOrder(a, b);
    }
}

void Form::activated() {
    Form* self = this;
    dispatch(self, [self] { self->Form_Activate(); });
}

// ---------------------------------------------------------------------------------------------
// MdiForm

MdiForm::MdiForm() {
    followScreenSize();
    main_ = new QMainWindow;
    auto* area = new CentredArea(main_);
    area_ = area;
    main_->setCentralWidget(area_);
    back_ = kAppWorkspace;
    area->setSurround(qcolour(back_));
    area->setFrameShape(QFrame::NoFrame);
    rightEnd_ = main_->menuBar()->addSeparator();
    rightEnd_->setVisible(false);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The hidden picture stores of the main window live in a widget of their own.
    client_->setParent(main_);
    client_->hide();
    main_->installEventFilter(closeFilter_);
    setWindowState(vbMaximized);
    QObject::connect(area_, &QMdiArea::subWindowActivated, area_, [](QMdiSubWindow* sub) {
        if (!sub) return;
        for (Form* f : loadedForms())
            if (f->window() == sub) f->activated();
    });
}

MdiForm::~MdiForm() {
    // Children go first; their sub-windows belong to the area.
    for (Form* f : loadedForms())
        if (f != this && f->sub_ && f->sub_->mdiArea() == area_) f->detachWindow();
    // A child unloaded while one of its handlers still runs is listed no more; its screen is
    // taken out of its sub-window as well, so that it stays whole until that handler returns.
    for (QMdiSubWindow* s : area_->subWindowList()) {
        if (QWidget* w = s->widget()) {
            s->setWidget(nullptr);
            w->hide();
            w->setParent(nullptr);
        }
    }
    QMainWindow* m = main_;
    main_ = nullptr;
    client_->setParent(nullptr);
    delete m;
}

QMenuBar* MdiForm::menuBar() const {
    return main_->menuBar();
}

void MdiForm::arrange(int how) {
    if (how != 1) return;
    // Each screen places and sizes itself; a lone screen goes to the top left corner.
    std::vector<Form*> shownChildren;
    for (Form* f : children())
        if (f->sub_ && f->visible()) shownChildren.push_back(f);
    if (shownChildren.size() == 1) {
        Form* f = shownChildren.front();
        f->rect_.moveTopLeft(QPointF(0, 0));
        f->sub_->move(0, 0);
    }
}

std::vector<Form*> MdiForm::children() const {
    std::vector<Form*> out;
    for (Form* f : loadedForms())
        if (f != this && f->mdiChild() && (!f->sub_ || f->sub_->mdiArea() == area_))
            out.push_back(f);
    return out;
}

void MdiForm::setBackColor(Colour c) {
    back_ = c;
    static_cast<CentredArea*>(area_)->setSurround(qcolour(c));
}

QSize MdiForm::innerPixelSize() const {
    return area_ ? area_->viewport()->size() : QSize();
}

void MdiForm::showRightEnd() {
    // The marker is no item of its own: it is there only while an item stands after it.
    const QList<QAction*> items = menuBar()->actions();
    bool any = false;
    for (qsizetype i = items.indexOf(rightEnd_) + 1; i < items.size(); ++i)
        any = any || items[i]->isVisible();
    rightEnd_->setVisible(any);
}

MdiForm* mdiParent() {
    for (Form* f : loadedForms())
        if (auto* m = dynamic_cast<MdiForm*>(f)) return m;
    return nullptr;
}

void setMdiParentLoader(std::function<void()> loader) {
    mdiLoader() = std::move(loader);
}

// ---------------------------------------------------------------------------------------------
// Menus

MenuItem::MenuItem(MdiForm& form, const std::string& caption, int index)
    : form_(&form), caption_(caption), index_(index) {
    action_ = new QAction(form.mainWindow());
    inBar_ = true;
    form.menuBar()->insertAction(form.rightEnd_, action_);
    showCaption();
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        if (!menu_)
            dispatch(form_, [this] {
                if (Click) Click(index_);
            });
    });
}

MenuItem::MenuItem(MenuItem& parent, const std::string& caption, int index)
    : form_(parent.form_), caption_(caption), index_(index) {
    parent.ensureSubmenu();
    action_ = new QAction(parent.menu_);
    parent.menu_->addAction(action_);
    showCaption();
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        if (!menu_)
            dispatch(form_, [this] {
                if (Click) Click(index_);
            });
    });
}

MenuItem::~MenuItem() = default;

void MenuItem::ensureSubmenu() {
    if (menu_) return;
    menu_ = new QMenu(form_->mainWindow());
    action_->setMenu(menu_);
    // Opening a submenu is an event of its own.
    QObject::connect(menu_, &QMenu::aboutToShow, menu_, [this] {
        dispatch(form_, [this] {
            if (Click) Click(index_);
        });
    });
}

void MenuItem::setCaption(const std::string& c) {
    caption_ = c;
    showCaption();
}

void MenuItem::showCaption() {
    // A "-" caption is a separator line; its dash must not show beside the line.
    const bool dash = caption_ == "-";
    action_->setSeparator(dash);
    QString text = dash ? QString() : qs(caption_);
    if (inBar_) {
        // Leading blanks were how a caption was pushed to the right end of the bar, which they
        // overshoot on a narrow screen: the item stands at the right end, its caption kept as set
        // and shown without them.
        qsizetype blanks = 0;
        while (blanks < text.size() && text[blanks] == QLatin1Char(' ')) ++blanks;
        const bool right = blanks > 0;
        text = text.mid(blanks);
        QMenuBar* bar = form_->menuBar();
        const bool atRight =
            bar->actions().indexOf(action_) > bar->actions().indexOf(form_->rightEnd_);
        if (right != atRight) {
            bar->removeAction(action_);
            if (right)
                bar->addAction(action_);
            else
                bar->insertAction(form_->rightEnd_, action_);
        }
    }
    action_->setText(text);
    if (inBar_) form_->showRightEnd();
}

void MenuItem::setEnabled(bool e) {
    enabled_ = e;
    action_->setEnabled(e);
}

void MenuItem::setVisible(bool v) {
    visible_ = v;
    action_->setVisible(v);
    if (inBar_) form_->showRightEnd();
}

void MenuItem::setChecked(bool c) {
    checked_ = c;
    action_->setCheckable(c);
    action_->setChecked(c);
}

void MenuItem::trigger() {
    if (!enabled_ || !visible_) return;
    dispatch(form_, [this] {
        if (Click) Click(index_);
    });
}

MenuItem& MenuArray::add(int i, const std::string& caption) {
    auto item = parent_ ? std::make_unique<MenuItem>(*parent_, caption, i)
                        : std::make_unique<MenuItem>(*form_, caption, i);
    MenuItem& ref = *item;
    items_[i] = std::move(item);
    return ref;
}

void MenuArray::setClick(IndexHandler h) {
    for (auto& [i, item] : items_) item->Click = h;
}

} // namespace ui
