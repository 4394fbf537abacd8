// The kinds of control the screens are made of.
#pragma once

#include "ui/control.h"

#include <QTimer>

class QPushButton;
class QLineEdit;
class QPlainTextEdit;
class QCheckBox;
class QRadioButton;
class QListWidget;
class QListWidgetItem;

namespace ui {

// --- windowless controls ---

class Label : public Control {
public:
    explicit Label(Container& parent);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    int alignment() const { return alignment_; }
    void setAlignment(int a);
    int backStyle() const { return backStyle_; }
    void setBackStyle(int s);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool a);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool w);
    void paint(QPainter& p) override;
    void copyFrom(const Control& other) override;
    void apply() override;

private:
    void fit();
    std::string caption_;
    int alignment_ = vbLeftJustify;
    int backStyle_ = vbOpaque;
    int borderStyle_ = 0;
    bool autoSize_ = false;
    bool wordWrap_ = false;
};

class Image : public Control {
public:
    explicit Image(Container& parent);
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& p);
    bool stretch() const { return stretch_; }
    void setStretch(bool s);
    void paint(QPainter& p) override;
    bool hitTest(const QPoint& pixel) const override;
    void copyFrom(const Control& other) override;

private:
    Picture picture_;
    bool stretch_ = true;
};

enum ShapeKind : int {
    vbShapeRectangle = 0,
    vbShapeSquare = 1,
    vbShapeOval = 2,
    vbShapeCircle = 3,
    vbShapeRoundedRectangle = 4,
    vbShapeRoundedSquare = 5
};

class Shape : public Control {
public:
    explicit Shape(Container& parent);
    int shape() const { return shape_; }
    void setShape(int s);
    int backStyle() const { return backStyle_; } // opaque: filled with the back colour
    void setBackStyle(int s);
    int fillStyle() const { return fillStyle_; } // 0 solid, 1 transparent
    void setFillStyle(int s);
    Colour fillColor() const { return fillColor_; }
    void setFillColor(Colour c);
    Colour borderColor() const { return borderColor_; }
    void setBorderColor(Colour c);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w);
    int borderStyle() const { return borderStyle_; } // 0 none, 1 solid, 2.. dashes
    void setBorderStyle(int s);
    void paint(QPainter& p) override;
    bool hitTest(const QPoint&) const override { return false; }
    void copyFrom(const Control& other) override;

private:
    int shape_ = vbShapeRectangle;
    int backStyle_ = vbTransparent;
    int fillStyle_ = 1;
    Colour fillColor_ = kNoir;
    Colour borderColor_ = kNoir;
    int borderWidth_ = 1;
    int borderStyle_ = 1;
};

class Line : public Control {
public:
    explicit Line(Container& parent);
    // End points in the container's scale units.
    double x1() const;
    double y1() const;
    double x2() const;
    double y2() const;
    void setY1(double v);
    void setY2(double v);
    void setPoints(double x1, double y1, double x2, double y2);
    // Twips, for the design and for scaling.
    void setTwipsPoints(double x1, double y1, double x2, double y2);
    Colour borderColor() const { return borderColor_; }
    void setBorderColor(Colour c);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    void paint(QPainter& p) override;
    bool hitTest(const QPoint&) const override { return false; }
    void copyFrom(const Control& other) override;
    void scaleBy(double factor) override;

private:
    QPointF p1_, p2_; // twips
    Colour borderColor_ = kNoir;
    int borderWidth_ = 1;
    int borderStyle_ = 1;
};

// --- windowed controls ---

class CommandButton : public Control {
public:
    explicit CommandButton(Container& parent);
    ~CommandButton() override;
    QWidget* widget() const override;
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool isDefault() const { return default_; }
    void setDefault(bool d);
    bool isCancel() const { return cancel_; }
    void setCancel(bool c);
    // Presses the button as a click would (Enter on the focused button, the default button).
    void press();
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void copyFrom(const Control& other) override;
    void apply() override;

protected:
    void applyColours() override;

private:
    QPushButton* button_;
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
};

class TextBox : public Control {
public:
    explicit TextBox(Container& parent, bool multiLine = false);
    ~TextBox() override;
    QWidget* widget() const override;
    std::string text() const;
    void setText(const std::string& t);
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);
    std::string passwordChar() const { return passwordChar_; }
    void setPasswordChar(const std::string& c);
    bool multiLine() const { return multiLine_; }
    // Scroll bars of a multi-line box: 0 none, 1 horizontal, 2 vertical (the default here), 3 both.
    // Without a horizontal bar, lines wrap at the box's width.
    int scrollBars() const { return scrollBars_; }
    void setScrollBars(int s);
    bool locked() const { return locked_; }
    void setLocked(bool l);
    // Caret position and selection, in characters.
    int selStart() const;
    void setSelStart(int s);
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void copyFrom(const Control& other) override;
    void apply() override;

protected:
    void applyColours() override;
    void insertReplacement(int keyAscii) override;
    bool takesEnter() const override { return multiLine_; }

private:
    friend class TextWidgetAccess;
    bool multiLine_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* edit_ = nullptr;
    int maxLength_ = 0;
    int scrollBars_ = 2;
    std::string passwordChar_;
    bool locked_ = false;
    bool settingText_ = false;
};

class CheckBox : public Control {
public:
    explicit CheckBox(Container& parent);
    ~CheckBox() override;
    QWidget* widget() const override;
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    int value() const { return value_; } // 0 unchecked, 1 checked
    // Setting the value fires Click when it changes, as a click does.
    void setValue(int v);
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void copyFrom(const Control& other) override;
    void apply() override;

protected:
    void applyColours() override;

private:
    QCheckBox* box_;
    std::string caption_;
    int value_ = 0;
};

class OptionButton : public Control {
public:
    explicit OptionButton(Container& parent);
    ~OptionButton() override;
    QWidget* widget() const override;
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool value() const { return value_; }
    // Selecting an option clears the others of its container and fires Click, even when it was
    // already selected.
    void setValue(bool v);
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void copyFrom(const Control& other) override;
    void apply() override;

protected:
    void applyColours() override;

private:
    QRadioButton* radio_;
    std::string caption_;
    bool value_ = false;
};

class Frame : public Container {
public:
    explicit Frame(Container& parent);
    QWidget* widget() const override;
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    void paintFrame(QPainter& p) override;
    void setVisible(bool v) override;
    void copyFrom(const Control& other) override;

private:
    std::string caption_;
};

class PictureBox : public Container {
public:
    explicit PictureBox(Container& parent);
    QWidget* widget() const override;
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int s);
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void paintFrame(QPainter& p) override;
    QSize innerPixelSize() const override;
    void copyFrom(const Control& other) override;

private:
    int borderStyle_ = 1;
};

// A line wider than its cell is drawn with its letters narrowed, as tall as the others, just
// enough to show it whole: a list never cuts a line, so two long names that differ only at their
// ends still look different. A line that fits keeps the list's font.
class ListBox : public Control {
public:
    explicit ListBox(Container& parent);
    ~ListBox() override;
    QWidget* widget() const override;
    void addItem(const std::string& item, int at = -1);
    void removeItem(int i);
    void clear();
    std::string list(int i) const;
    int listCount() const;
    int listIndex() const;
    // Setting the index selects that line and fires Click, as a click does.
    void setListIndex(int i);
    bool selected(int i) const;
    void setSelected(int i, bool s);
    int selCount() const;
    bool sorted() const { return sorted_; }
    void setSorted(bool s);
    int columns() const { return columns_; }
    void setColumns(int c);
    int multiSelect() const { return multiSelect_; } // 0 none, 1 simple, 2 extended
    void setMultiSelect(int m);
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void copyFrom(const Control& other) override;
    void apply() override;

protected:
    void applyColours() override;
    void applyGeometry() override;
    void applyFont() override;

private:
    void fitLines();
    bool fitLine(QListWidgetItem* it) const; // true when its font changed
    QListWidget* list_;
    bool sorted_ = false;
    int columns_ = 0;
    int multiSelect_ = 0;
    bool silent_ = false;
    friend class ListWidget;
};

enum ComboStyle : int { vbComboDropdown = 0, vbComboSimple = 1, vbComboDropdownList = 2 };

class ComboBox : public Control {
public:
    explicit ComboBox(Container& parent, int style = vbComboDropdown);
    ~ComboBox() override;
    QWidget* widget() const override;
    QLineEdit* editField() const { return edit_; }
    std::string text() const;
    void setText(const std::string& t);
    void addItem(const std::string& item, int at = -1);
    void removeItem(int i);
    void clear();
    std::string list(int i) const;
    int listCount() const;
    int listIndex() const { return listIndex_; }
    // Choosing a line shows it in the edit field and fires Click.
    void setListIndex(int i);
    int style() const { return style_; }
    void setVisible(bool v) override;
    void setEnabled(bool v) override;
    void copyFrom(const Control& other) override;
    void apply() override;

protected:
    void applyColours() override;
    void applyGeometry() override;
    // The edit field and the list carry fonts of their own: a later font (the screen's scaling)
    // has to reach them too.
    void applyFont() override;
    void insertReplacement(int keyAscii) override;

private:
    friend class ComboWidget;
    int style_;
    QWidget* box_;
    QLineEdit* edit_;
    QListWidget* items_;
    int listIndex_ = -1;
    bool silent_ = false;
};

// A timer ticks on the runtime's clock while it is enabled and its interval is not zero.
class Timer : public Control {
public:
    explicit Timer(Container& parent);
    ~Timer() override;
    int interval() const { return interval_; }
    // Changing the interval of a running timer starts its count again.
    void setInterval(int ms);
    bool timerEnabled() const { return enabled_; }
    void setEnabled(bool e) override;
    IndexHandler Tick;
    void copyFrom(const Control& other) override;
    bool hitTest(const QPoint&) const override { return false; }

    // --- runtime internals ---
    void restart();
    void stop();
    void fire();
    bool running() const { return running_; }
    std::int64_t due() const { return due_; }

private:
    int interval_ = 0;
    bool running_ = false;
    std::int64_t due_ = 0;
    QTimer qtimer_;
};

} // namespace ui
