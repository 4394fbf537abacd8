// Forms (screens) by name, the multiple-document main window and its menus.
#pragma once

#include "ui/control.h"

#include <QPointer>
#include <functional>
#include <typeindex>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QMenu;
class QAction;

namespace ui {

class CommandButton;
class MdiForm;

// How a form is being unloaded, as QueryUnload receives it.
enum UnloadMode : int {
    vbFormControlMenu = 0,
    vbFormCode = 1,
    vbAppWindows = 2,
    vbFormMDIForm = 4
};
enum BorderStyle : int {
    vbBSNone = 0,
    vbFixedSingle = 1,
    vbSizable = 2,
    vbFixedDialog = 3,
    vbFixedToolWindow = 4
};
enum WindowState : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

class Form : public Container {
public:
    Form();
    ~Form() override;

    // Window design.
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    bool controlBox() const { return controlBox_; }
    void setControlBox(bool b);
    void setMinButton(bool b) { minButton_ = b; }
    void setMaxButton(bool b) { maxButton_ = b; }
    int windowState() const { return windowState_; }
    void setWindowState(int s);
    bool mdiChild() const { return mdiChild_; }
    void setMdiChild(bool c) { mdiChild_ = c; }
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool k) { keyPreview_ = k; }
    // The window's icon (title bar, task bar).
    const Picture& icon() const { return icon_; }
    void setIcon(const Picture& p);

    // The form's own place and size, always in twips (the outer size, frame included).
    double formLeft() const { return rect_.left(); }
    double formTop() const { return rect_.top(); }
    double formWidth() const { return rect_.width(); }
    double formHeight() const { return rect_.height(); }
    void moveForm(double left, double top);
    void moveForm(double left, double top, double width, double height);

    void show();
    void hide();
    bool shown() const;
    void setVisible(bool v) override;
    void refresh();

    // The outer window: the sub-window in the main window, or the top-level widget.
    QWidget* window() const;
    QSize innerPixelSize() const override;
    CommandButton* defaultButton() const;
    CommandButton* cancelButton() const;

    // Events, named as the screens write them.
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_Activate() {}
    virtual void Form_Paint() {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_KeyDown(int& /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyPress(int& /*keyAscii*/) {}

    // --- runtime internals ---
    bool loaded() const { return loaded_; }
    void attachWindow();
    void detachWindow();
    void applyTabOrder();
    void registerButton(CommandButton* b, bool add);
    void activated();

protected:
    void applyGeometry() override;

private:
    friend class MdiForm;
    friend class FormRegistry;
    friend class HandlerGuard;
    friend void dispatch(Form* form, const std::function<void()>& f);
    int busy_ = 0;        // handlers of this form on the stack
    bool doomed_ = false; // unloaded: destroyed once no handler of it runs
    std::string caption_;
    int borderStyle_ = vbSizable;
    bool controlBox_ = true;
    bool minButton_ = true;
    bool maxButton_ = true;
    int windowState_ = vbNormal;
    bool mdiChild_ = false;
    bool keyPreview_ = false;
    bool loaded_ = false;
    bool everShown_ = false;
    bool closingByCode_ = false;
    QObject* closeFilter_ = nullptr;
    QSize estimatedInner() const;
    void applyIcon();
    Picture icon_;
    QPointer<QWidget> top_;       // top-level window holding the client
    QPointer<QMdiSubWindow> sub_; // sub-window in the main window
    std::vector<CommandButton*> buttons_;
};

// Keeps a form alive while one of its handlers runs; an unloaded form is destroyed only after the
// last handler of it has returned.
class HandlerGuard {
public:
    explicit HandlerGuard(Form* form);
    ~HandlerGuard();
    HandlerGuard(const HandlerGuard&) = delete;

private:
    Form* form_;
};

// Runs `f` as a handler of `form` (events from the user and from timers come through here).
void dispatch(Form* form, const std::function<void()>& f);

// --- forms by name ---
// The runtime owns every form: the loaded ones, and the unloaded ones until the last of their
// handlers has returned. Whatever must reach a form later (after a yield, from a queued event)
// holds a Weak<Form>, which a new form at the same address never fools.
Form* findForm(std::type_index type);
// The runtime takes the new form as the loaded one of its type and runs its Form_Load.
void loadForm(std::type_index type, std::unique_ptr<Form> form);
// Unloads: QueryUnload and Unload may cancel; then the form is hidden and forgotten, and
// destroyed after its running handlers return. Returns false when a handler cancelled.
bool unloadForm(Form* form, int mode = vbFormCode);
bool isLoaded(const Form* form);
std::vector<Form*> loadedForms();
// Tests: unloads every form without asking and destroys them.
void unloadAllForms();

template <class T> T* find() {
    return static_cast<T*>(findForm(typeid(T)));
}

// Creates the form and runs its Form_Load; does nothing when it is loaded already. A child of the
// main window shows itself once loaded.
template <class T> T& load() {
    if (T* f = find<T>()) return *f;
    auto made = std::make_unique<T>();
    T& f = *made;
    loadForm(typeid(T), std::move(made));
    return f;
}

template <class T> void unload() {
    if (T* f = find<T>()) unloadForm(f);
}

template <class T> bool loaded() {
    return find<T>() != nullptr;
}

// --- the main window ---

class MenuItem;

class MdiForm : public Form {
public:
    MdiForm();
    ~MdiForm() override;
    QMainWindow* mainWindow() const { return main_; }
    QMdiArea* area() const { return area_; }
    QMenuBar* menuBar() const;
    // 1 = tile horizontally: every child keeps its own size; one child goes to the top left.
    void arrange(int how);
    std::vector<Form*> children() const;
    void setBackColor(Colour c) override;
    QSize innerPixelSize() const override;

private:
    friend class MenuItem;
    QMainWindow* main_;
    QMdiArea* area_;
    QAction* rightEnd_ = nullptr; // bar items after it stand at the bar's right end
    void showRightEnd();
};

// The main window in use (the loaded one), or null.
MdiForm* mdiParent();
// Called when a child must be shown and no main window is loaded (the shell loads its own).
void setMdiParentLoader(std::function<void()> loader);

class MenuItem {
public:
    MenuItem(MdiForm& form, const std::string& caption, int index = -1);
    MenuItem(MenuItem& parent, const std::string& caption, int index = -1);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool checked() const { return checked_; }
    void setChecked(bool c);
    int index() const { return index_; }
    bool hasSubmenu() const { return menu_ != nullptr; }
    QAction* action() const { return action_; }
    QMenu* submenu() const { return menu_; }
    // As the user choosing it: fires Click when it is enabled and visible (opening a submenu
    // fires its Click too).
    void trigger();

    IndexHandler Click;

private:
    void ensureSubmenu();
    void showCaption();
    MdiForm* form_;
    std::string caption_;
    int index_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    bool inBar_ = false;
    QAction* action_;
    QMenu* menu_ = nullptr;
};

// Indexed menu items under one parent; a "-" caption makes a separator.
class MenuArray {
public:
    explicit MenuArray(MdiForm& form) : form_(&form) {}
    explicit MenuArray(MenuItem& parent) : parent_(&parent) {}
    MenuItem& add(int i, const std::string& caption);
    MenuItem& operator[](int i) { return *items_.at(i); }
    bool exists(int i) const { return items_.count(i) != 0; }
    void setClick(IndexHandler h);

private:
    MdiForm* form_ = nullptr;
    MenuItem* parent_ = nullptr;
    std::map<int, std::unique_ptr<MenuItem>> items_;
};

} // namespace ui
